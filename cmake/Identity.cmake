# SPDX-License-Identifier: MIT
# Who the program is: its application id, its web address and its maintainer,
# from two build options. The id names the AppStream metadata and is the name
# the program takes on the session bus (AppId.h gives it to the code).
#   ZYN_DOMAIN      the project's internet domain, say example.org
#   ZYN_MAINTAINER  the package's maintainer, say Jane Doe <jane@example.org>
# Without a domain the id is made from the reserved name zynmon.invalid, which
# no one can own (RFC 6761), and the package names no web address; without a
# maintainer the package names one at that reserved name. Either way it is no
# release build, and configuring and packaging say so.
# A build folder configured when the domain defaulted to example.org (its
# cache entry has the old help text) drops that default.
get_property(help CACHE ZYN_DOMAIN PROPERTY HELPSTRING)
if(help STREQUAL "The project's internet domain" AND ZYN_DOMAIN STREQUAL "example.org")
    unset(ZYN_DOMAIN CACHE)
endif()
set(ZYN_DOMAIN "" CACHE STRING "The project's internet domain (empty: none yet)")
set(ZYN_MAINTAINER "" CACHE STRING "The package's maintainer, Name <address> (empty: none yet)")

if(ZYN_DOMAIN)
    set(id_domain ${ZYN_DOMAIN})
    set(ZYN_HOMEPAGE "https://${ZYN_DOMAIN}/zynmon")
else()
    set(id_domain zynmon.invalid)
    set(ZYN_HOMEPAGE "")
endif()
string(REPLACE "." ";" domain_parts ${id_domain})
list(REVERSE domain_parts)
list(JOIN domain_parts "." reversed_domain)
# Lower case, and '_' for '-', which the session bus and AppStream reject in ids.
string(TOLOWER "${reversed_domain}.zynmon" ZYN_APP_ID)
string(REPLACE "-" "_" ZYN_APP_ID ${ZYN_APP_ID})
if(NOT ZYN_APP_ID MATCHES "^[a-z_][a-z0-9_]*(\\.[a-z_][a-z0-9_]*)+$")
    message(FATAL_ERROR "ZYN_DOMAIN '${ZYN_DOMAIN}' makes no valid application id: ${ZYN_APP_ID}")
endif()

if(ZYN_MAINTAINER)
    set(ZYN_PACKAGE_MAINTAINER ${ZYN_MAINTAINER})
else()
    set(ZYN_PACKAGE_MAINTAINER "ZYN Monitor Test developers <maintainer@zynmon.invalid>")
endif()

set(missing)
foreach(option ZYN_DOMAIN ZYN_MAINTAINER)
    if(NOT ${option})
        list(APPEND missing ${option})
    endif()
endforeach()
set(ZYN_NOT_RELEASE_WARNING "")
if(missing)
    list(JOIN missing " and " missing)
    if(ZYN_HOMEPAGE)
        set(web "its homepage is ${ZYN_HOMEPAGE}")
    else()
        set(web "it names no web address")
    endif()
    string(CONCAT ZYN_NOT_RELEASE_WARNING
           "Not a release build, without ${missing}: the package's id is ${ZYN_APP_ID}, "
           "its maintainer ${ZYN_PACKAGE_MAINTAINER}, and ${web}.")
    message(WARNING ${ZYN_NOT_RELEASE_WARNING})
endif()

set(ZYN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/AppId.h.in ${ZYN_GENERATED_DIR}/AppId.h @ONLY)

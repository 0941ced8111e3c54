# SPDX-License-Identifier: MIT
# Read by cpack before it packages: a package that is no release build says so.
if(CPACK_ZYN_NOT_RELEASE_WARNING)
    message(WARNING ${CPACK_ZYN_NOT_RELEASE_WARNING})
endif()

# SPDX-License-Identifier: MIT
# The application's id, ZYN_APPSTREAM_ID: the reverse-DNS name the AppStream
# metadata, the desktop entry and the program's name on the session bus share.
# Included before the program's targets, which take it as a definition.

# The project's home: the AppStream id, the maintainer's address and the
# screenshot's address are made from it.
set(ZYN_DOMAIN "example.org" CACHE STRING "The project's internet domain")
string(REPLACE "." ";" domain_parts ${ZYN_DOMAIN})
list(REVERSE domain_parts)
list(JOIN domain_parts "." reversed_domain)
set(ZYN_APPSTREAM_ID "${reversed_domain}.zynmon")

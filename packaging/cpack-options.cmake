# Read by cpack for each package it makes. The install it runs to fill the
# package reads this variable: the Debian package puts the commands, the
# desktop entry and the icon under /usr, whatever a plain install uses.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(ENV{KESTRUN_INSTALL_SYSTEM_PREFIX} /usr)
endif()

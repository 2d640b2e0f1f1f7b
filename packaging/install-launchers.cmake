# Runs at install time, when the final folder of the program is known: writes
# the commands on the PATH and the desktop entry, which must name that folder.
# Expects KESTRUN_PACKAGING_SOURCE, KESTRUN_PACKAGING_BINARY,
# KESTRUN_SYSTEM_PREFIX and KESTRUN_LAUNCHERS.
set(KESTRUN_DIR "${CMAKE_INSTALL_PREFIX}")
if(KESTRUN_DIR MATCHES "'")
    message(FATAL_ERROR "The install folder must not contain a single quote: ${KESTRUN_DIR}")
endif()

set(generated "${KESTRUN_PACKAGING_BINARY}/generated")
foreach(command ${KESTRUN_LAUNCHERS})
    configure_file("${KESTRUN_PACKAGING_SOURCE}/${command}-launcher.sh.in"
                   "${generated}/${command}" @ONLY)
    file(INSTALL "${generated}/${command}"
         DESTINATION "${KESTRUN_SYSTEM_PREFIX}/bin"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                          WORLD_READ WORLD_EXECUTE)
endforeach()

configure_file("${KESTRUN_PACKAGING_SOURCE}/kestrun.desktop.in" "${generated}/kestrun.desktop" @ONLY)
file(INSTALL "${generated}/kestrun.desktop"
     DESTINATION "${KESTRUN_SYSTEM_PREFIX}/share/applications")

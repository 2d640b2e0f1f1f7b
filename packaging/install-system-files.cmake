# Runs at install time: links the commands on the PATH to the programs and
# installs the desktop entry, the project file type, the icon and the
# copyright file under the system prefix. file(INSTALL) honours DESTDIR and
# lists every file in the install manifest.
# Expects KESTRUN_PACKAGING_SOURCE, KESTRUN_PACKAGING_BINARY, KESTRUN_ICONS,
# KESTRUN_SYSTEM_PREFIX and KESTRUN_PROGRAMS.
set(program_folder "${CMAKE_INSTALL_PREFIX}")
set(system_prefix "${KESTRUN_SYSTEM_PREFIX}")
if(DEFINED ENV{KESTRUN_INSTALL_SYSTEM_PREFIX})
    set(system_prefix "$ENV{KESTRUN_INSTALL_SYSTEM_PREFIX}")
endif()
if(program_folder MATCHES "[\n\r]")
    message(FATAL_ERROR "The install folder must not contain a line break: ${program_folder}")
endif()
set(generated "${KESTRUN_PACKAGING_BINARY}/generated")
file(REMOVE_RECURSE "${generated}")
file(MAKE_DIRECTORY "${generated}")

# The programs find image/ and licenses/ beside themselves through the link.
# An existing link is replaced, not kept as up to date: only links written
# anew reach the install manifest.
foreach(program ${KESTRUN_PROGRAMS})
    file(CREATE_LINK "${program_folder}/${program}" "${generated}/${program}" SYMBOLIC)
    file(REMOVE "$ENV{DESTDIR}${system_prefix}/bin/${program}")
    file(INSTALL "${generated}/${program}" DESTINATION "${system_prefix}/bin")
endforeach()

# The Exec key takes the program's path as one argument in double quotes, in
# which ", `, $ and \ are escaped with a backslash and % is doubled; as a
# value of the key file, every backslash is then doubled once more.
set(quoted "${program_folder}/kestrun")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
foreach(special "\"" "`" "$")
    string(REPLACE "${special}" "\\${special}" quoted "${quoted}")
endforeach()
string(REPLACE "%" "%%" quoted "${quoted}")
string(REPLACE "\\" "\\\\" KESTRUN_EXEC "\"${quoted}\"")
configure_file("${KESTRUN_PACKAGING_SOURCE}/kestrun.desktop.in" "${generated}/kestrun.desktop"
               @ONLY)
file(INSTALL "${generated}/kestrun.desktop" DESTINATION "${system_prefix}/share/applications")

# The project file type, so file managers open .cmdat files with Kestrun.
file(INSTALL "${KESTRUN_PACKAGING_SOURCE}/kestrun-mime.xml"
     DESTINATION "${system_prefix}/share/mime/packages" RENAME kestrun.xml)
foreach(size 16 32 48 64 128 256)
    file(INSTALL "${KESTRUN_ICONS}/${size}x${size}/kestrun.png"
         DESTINATION "${system_prefix}/share/icons/hicolor/${size}x${size}/apps")
endforeach()
file(INSTALL "${KESTRUN_PACKAGING_SOURCE}/copyright"
     DESTINATION "${system_prefix}/share/doc/kestrun")

# The package leaves the desktop's MIME and application caches to the
# triggers of shared-mime-info and desktop-file-utils; a plain install
# updates them.
if("$ENV{DESTDIR}" STREQUAL "")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
        execute_process(COMMAND "${update_mime}" "${system_prefix}/share/mime")
    endif()
    if(update_desktop)
        execute_process(COMMAND "${update_desktop}" "${system_prefix}/share/applications")
    endif()
endif()

# Runs at install time, when the final prefix is known (cpack's is /usr):
# links the commands in bin/ to the programs and writes the desktop entry,
# which names the window program by its full path. file(INSTALL) honours
# DESTDIR and lists every file in the install manifest.
# Expects KESTRUN_PACKAGING_SOURCE, KESTRUN_PACKAGING_BINARY,
# KESTRUN_PROGRAM_DESTINATION and KESTRUN_PROGRAMS.
set(program_folder "${CMAKE_INSTALL_PREFIX}/${KESTRUN_PROGRAM_DESTINATION}")
if(program_folder MATCHES "[\n\r]")
    message(FATAL_ERROR "The install folder must not contain a line break: ${program_folder}")
endif()
set(generated "${KESTRUN_PACKAGING_BINARY}/generated")
file(REMOVE_RECURSE "${generated}")
file(MAKE_DIRECTORY "${generated}")

# Relative links keep the install movable as a whole. The programs find
# image/ and licenses/ beside themselves through the link. An existing link
# is replaced, not kept as up to date: only links written anew reach the
# install manifest.
file(RELATIVE_PATH to_programs "${CMAKE_INSTALL_PREFIX}/bin" "${program_folder}")
foreach(program ${KESTRUN_PROGRAMS})
    file(CREATE_LINK "${to_programs}/${program}" "${generated}/${program}" SYMBOLIC)
    file(REMOVE "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/${program}")
    file(INSTALL "${generated}/${program}" DESTINATION "${CMAKE_INSTALL_PREFIX}/bin")
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
file(INSTALL "${generated}/kestrun.desktop"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")

# The package leaves the desktop's MIME and application caches to the
# triggers of shared-mime-info and desktop-file-utils; a plain install
# updates them.
if("$ENV{DESTDIR}" STREQUAL "")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
        execute_process(COMMAND "${update_mime}" "${CMAKE_INSTALL_PREFIX}/share/mime")
    endif()
    if(update_desktop)
        execute_process(COMMAND "${update_desktop}" "${CMAKE_INSTALL_PREFIX}/share/applications")
    endif()
endif()

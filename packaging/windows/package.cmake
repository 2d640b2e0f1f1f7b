# Lays out the Windows program folder and packs it as the portable zip and the
# installer. Run by the windows_packages target with BUILD_DIR, PACKAGE_NAME,
# VERSION, WINDOWS_VERSION, SOURCE_DIR, MAKENSIS and STRIP set.
set(deploy_root ${BUILD_DIR}/deploy)
set(deploy ${deploy_root}/${PACKAGE_NAME})
set(zip_file ${BUILD_DIR}/${PACKAGE_NAME}.zip)
set(setup_file ${BUILD_DIR}/Kestrun-${VERSION}-setup.exe)
if(NOT MAKENSIS)
    message(FATAL_ERROR "makensis was not found (Debian package nsis)")
endif()

file(REMOVE_RECURSE ${deploy_root})
file(REMOVE ${zip_file} ${setup_file})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${deploy} --strip
                COMMAND_ERROR_IS_FATAL ANY)
# The libraries come with their symbols, which no user needs.
file(GLOB_RECURSE libraries ${deploy}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${libraries} COMMAND_ERROR_IS_FATAL ANY)

# Names are stored as UTF-8 and marked so (the documents have Japanese
# names), which needs a UTF-8 locale.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
                        ${CMAKE_COMMAND} -E tar cf ${zip_file} --format=zip ${PACKAGE_NAME}
                WORKING_DIRECTORY ${deploy_root}
                COMMAND_ERROR_IS_FATAL ANY)

# The uninstaller removes exactly the files the installer put down, deepest
# folders last.
file(GLOB_RECURSE files RELATIVE ${deploy} ${deploy}/*)
set(uninstall_lines "")
set(folders "")
foreach(file ${files})
    string(REPLACE "/" "\\" windows_path "${file}")
    string(APPEND uninstall_lines "Delete \"$INSTDIR\\${windows_path}\"\n")
    get_filename_component(folder "${file}" DIRECTORY)
    while(folder)
        list(APPEND folders "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder ${folders})
    string(REPLACE "/" "\\" windows_path "${folder}")
    string(APPEND uninstall_lines "RMDir \"$INSTDIR\\${windows_path}\"\n")
endforeach()
set(file_list ${BUILD_DIR}/uninstall-files.nsh)
file(WRITE ${file_list} "${uninstall_lines}")

# NSIS reads a text licence as UTF-8 only when it starts with a byte order mark.
file(READ "${deploy}/licenses/ソフトウェア使用許諾契約書.txt" agreement)
string(ASCII 239 187 191 bom)
set(license ${BUILD_DIR}/license-agreement.txt)
file(WRITE ${license} "${bom}${agreement}")

execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8
                        -DVERSION=${VERSION} -DWINDOWS_VERSION=${WINDOWS_VERSION} -DSOURCE=${deploy} -DOUTFILE=${setup_file}
                        -DLICENSE=${license} -DICON=${SOURCE_DIR}/resources/icons/kestrun.ico
                        -DFILE_LIST=${file_list}
                        ${SOURCE_DIR}/packaging/windows/kestrun.nsi
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Program folder: ${deploy}")
message(STATUS "Portable zip:   ${zip_file}")
message(STATUS "Installer:      ${setup_file}")

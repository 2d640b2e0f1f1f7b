# copy_beside_programs(<folder> <source> <list>): copies <source> into
# <folder> beside the programs in the build tree whenever it changes, so the
# programs and the tests run there as they run installed. The copy's path is
# appended to the caller's list named <list>.
function(copy_beside_programs folder source copy_list_name)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}/${name})
    add_custom_command(OUTPUT ${copy}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${copy}
        DEPENDS ${source}
        VERBATIM)
    set(${copy_list_name} ${${copy_list_name}} ${copy} PARENT_SCOPE)
endfunction()

# The tests of a Windows build run under Wine, on an Xvfb display of their
# own (KESTRUN_TEST_DISPLAY) with openbox as window manager, in a Wine prefix
# made fresh for each ctest run by the wine fixture and removed afterwards.
find_program(KESTRUN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT KESTRUN_WINE)
    message(FATAL_ERROR "Wine was not found (Debian package wine64)")
endif()

set(KESTRUN_WINE_SESSION ${CMAKE_BINARY_DIR}/wine-session)
# Every test program of this folder and below runs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${KESTRUN_WINE_SESSION})

add_test(NAME wine_session_start
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh start ${KESTRUN_WINE_SESSION}
            ${KESTRUN_TEST_DISPLAY} ${KESTRUN_WINE})
add_test(NAME wine_session_stop
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh stop ${KESTRUN_WINE_SESSION})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine_desktop)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine_desktop)

# The programs beside the tests, with the libraries they load, come first.
function(kestrun_run_under_wine test)
    add_dependencies(${test} windows_runtime)
    set_tests_properties(${test} PROPERTIES
        FIXTURES_REQUIRED wine
        RESOURCE_LOCK wine_desktop
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KESTRUN_QTEST_LOG=1")
endfunction()

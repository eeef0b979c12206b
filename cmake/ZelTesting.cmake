# GoogleTest for both builds: the system library natively, the Debian sources built by the
# cross compiler for Windows (ctest then runs the .exe through the Wine emulator script).
enable_testing()

if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()

# zel_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [WINDOWS])
# One ctest entry per executable: under Wine every process start costs, so cases are not split.
# WINDOWS: the tests show windows and read the screen, focus and clipboard, which the programs
# on one display share, so no two of them run at once.
function(zel_add_test name)
    cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    if(ARG_WINDOWS)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()

# GoogleTest for both builds and the helper that declares a test program.
# Native: the system's GoogleTest. Win32: built from the Debian sources, run
# under Wine through the emulator wrapper configured below.
enable_testing()

if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    add_library(zav_gtest INTERFACE)
    target_link_libraries(zav_gtest INTERFACE gtest gtest_main)

    set(ZAV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(ZAV_WINEARCH win64)
    else()
        set(ZAV_WINEARCH win32)
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in
                   ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
else()
    find_package(GTest REQUIRED)
    add_library(zav_gtest INTERFACE)
    target_link_libraries(zav_gtest INTERFACE GTest::gtest GTest::gtest_main)
endif()

# zav_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>])
function(zav_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zav_flags zav_gtest ${ARG_LIBRARIES})
    if(WIN32)
        target_link_options(${name} PRIVATE -mconsole)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()

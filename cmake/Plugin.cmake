# The plug-in a host loads: ZAVTOLVEK.dll on Windows (32- and 64-bit, with its
# editor) and zavtolvek.so on Linux (the instrument alone).
if(WIN32)
    # The 32-bit DLL exports only "main"; 64-bit hosts look for VSTPluginMain.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(zav_exports host/ZAVTOLVEK64.def)
    else()
        set(zav_exports host/ZAVTOLVEK.def)
    endif()
    add_library(ZAVTOLVEK SHARED
        host/DllMain.cpp
        editor/CreatePlugin.cpp
        ${zav_exports}
        $<TARGET_OBJECTS:zav_resources>)
    set_target_properties(ZAVTOLVEK PROPERTIES PREFIX "" OUTPUT_NAME ZAVTOLVEK)
    target_link_libraries(ZAVTOLVEK PRIVATE
        zav_flags zav_entry zav_editor zav_controls zav_gui zav_instrument zav_synth zav_host)
    target_link_options(ZAVTOLVEK PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--enable-stdcall-fixup)
    set(ZAV_PLUGIN_TARGET ZAVTOLVEK)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    add_library(zavtolvek MODULE
        host/SharedObjectEntry.cpp
        instrument/CreatePlugin.cpp)
    set_target_properties(zavtolvek PROPERTIES PREFIX "" OUTPUT_NAME zavtolvek
        LINK_DEPENDS ${PROJECT_SOURCE_DIR}/host/zavtolvek.map)
    target_link_libraries(zavtolvek PRIVATE zav_flags zav_entry zav_instrument zav_synth zav_host)
    # Dropping unused sections also drops the C++ runtime's calls into the
    # newest C library (arc4random), so the plug-in loads on glibc 2.35 too.
    target_link_options(zavtolvek PRIVATE
        -Wl,--version-script=${PROJECT_SOURCE_DIR}/host/zavtolvek.map -Wl,--no-undefined -Wl,--gc-sections)
    # A host may bring an older C++ runtime than ours; the sanitizers need the shared one.
    if(NOT ZAV_SANITIZE AND NOT ZAV_SANITIZE_THREAD)
        target_link_options(zavtolvek PRIVATE -static-libstdc++ -static-libgcc)
    endif()
    set(ZAV_PLUGIN_TARGET zavtolvek)
endif()

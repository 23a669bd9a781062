# ZAVTOLVEK.dll: the plug-in a host loads (win32 build only).
if(WIN32)
    add_library(ZAVTOLVEK SHARED
        host/DllMain.cpp
        editor/CreatePlugin.cpp
        host/ZAVTOLVEK.def
        $<TARGET_OBJECTS:zav_resources>)
    set_target_properties(ZAVTOLVEK PROPERTIES PREFIX "" OUTPUT_NAME ZAVTOLVEK)
    target_link_libraries(ZAVTOLVEK PRIVATE
        zav_flags zav_entry zav_editor zav_controls zav_gui zav_instrument zav_synth zav_host)
    target_link_options(ZAVTOLVEK PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--enable-stdcall-fixup)
endif()

# ZAVTOLVEK.dll: the plug-in a host loads (win32 build only).
if(WIN32)
    add_library(ZAVTOLVEK SHARED
        host/DllMain.cpp
        instrument/CreatePlugin.cpp
        host/ZAVTOLVEK.def)
    set_target_properties(ZAVTOLVEK PROPERTIES PREFIX "" OUTPUT_NAME ZAVTOLVEK)
    target_link_libraries(ZAVTOLVEK PRIVATE zav_flags zav_entry zav_host zav_instrument zav_synth)
    target_link_options(ZAVTOLVEK PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--enable-stdcall-fixup)
endif()

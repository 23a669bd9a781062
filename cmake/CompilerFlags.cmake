# Flags shared by every target of ours. The synthesis is specified down to
# float rounding and both builds must give the same samples bit for bit, so
# floating-point contraction stays off and the cross build uses SSE2 rather
# than x87 extended precision.
add_library(zav_flags INTERFACE)
target_compile_options(zav_flags INTERFACE
    -Wall -Wextra -Wpedantic -Werror -Wshadow -Wconversion -Wno-sign-conversion
    -ffp-contract=off -fno-fast-math)
if(WIN32)
    target_compile_options(zav_flags INTERFACE -msse2 -mfpmath=sse)
    target_compile_definitions(zav_flags INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
if(ZAV_SANITIZE AND NOT WIN32)
    target_compile_options(zav_flags INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(zav_flags INTERFACE -fsanitize=address,undefined)
endif()
if(ZAV_SANITIZE_THREAD AND NOT WIN32)
    target_compile_options(zav_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(zav_flags INTERFACE -fsanitize=thread)
endif()
target_include_directories(zav_flags INTERFACE ${PROJECT_SOURCE_DIR})

# Where there are no resources (Linux), the pictures a Win32 resource script
# lists are compiled in instead: this script turns every "<id> BITMAP
# "file"" line of RC into a byte array registered by id in a PictureTable
# (gui/x11/PictureResources.h), written to OUTPUT. Files are looked up in
# SEARCH_DIR, as windres looks them up on its include path.
#
# As a function: zav_embed_pictures(<target> <rc file> <folder of the files> [DEPENDS <files>])
# As a script: cmake -DRC=... -DSEARCH_DIR=... -DOUTPUT=... -P EmbedPictures.cmake

if(CMAKE_SCRIPT_MODE_FILE)
    file(STRINGS "${RC}" lines REGEX "^[0-9]+[ \t]+BITMAP[ \t]+\"[^\"]+\"")
    set(arrays "")
    set(entries "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "^([0-9]+)[ \t]+BITMAP[ \t]+\"([^\"]+)\"" _ "${line}")
        set(id "${CMAKE_MATCH_1}")
        file(READ "${SEARCH_DIR}/${CMAKE_MATCH_2}" hex HEX)
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
        string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
        string(APPEND arrays "const unsigned char picture${id}[] = {\n${bytes}};\n")
        string(APPEND entries "    {${id}, picture${id}, sizeof picture${id}},\n")
    endforeach()
    file(WRITE "${OUTPUT}.new"
        "// Written by cmake/EmbedPictures.cmake from ${RC}; do not edit.\n"
        "#include \"gui/x11/PictureResources.h\"\n\nnamespace {\n\n${arrays}\n"
        "const PictureResource kPictures[] = {\n${entries}};\n\n"
        "PictureTable table(kPictures, sizeof kPictures / sizeof kPictures[0]);\n\n}  // namespace\n")
    file(RENAME "${OUTPUT}.new" "${OUTPUT}")
    return()
endif()

set(ZAV_EMBED_PICTURES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(zav_embed_pictures target rc search_dir)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_pictures.cpp)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DRC=${rc} -DSEARCH_DIR=${search_dir} -DOUTPUT=${output}
                -P ${ZAV_EMBED_PICTURES_SCRIPT}
        DEPENDS ${rc} ${ARG_DEPENDS} ${ZAV_EMBED_PICTURES_SCRIPT}
        COMMENT "Compiling in the pictures of ${rc}")
    target_sources(${target} PRIVATE ${output})
endfunction()

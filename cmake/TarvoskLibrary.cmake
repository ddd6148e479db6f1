# Every library exports only its own headers: they are linked into an include
# folder of the library's own, so a file that includes a header of a library it
# does not link fails to compile, and the layering is kept by the build.
#
#   tarvosk_library(name SOURCES a.cpp b.cpp [HEADERS only.h] [LINK lib ...])
#
# A source's header of the same name is exported with it; HEADERS adds
# header-only files. Headers are included as "<folder>/<file>.h".
function(tarvosk_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;LINK" ${ARGN})
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(headers ${ARG_HEADERS})
    foreach(source IN LISTS ARG_SOURCES)
        string(REGEX REPLACE "\\.cpp$" ".h" header ${source})
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
            list(APPEND headers ${header})
        endif()
    endforeach()

    set(root ${CMAKE_BINARY_DIR}/include/${name})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS headers)
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
    endforeach()

    add_library(${name} STATIC ${ARG_SOURCES} ${ARG_HEADERS})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
endfunction()

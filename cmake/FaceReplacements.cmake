# The standard Japanese face names and the installed families they stand for
# (typekiln/glyphs/face_replacements.tsv): the Wine prefix's font
# replacements and the native face lookup both come from this one list.
#
#   read_face_replacements(<names variable> <families variable>)
# sets the two variables to lists of equal length, in the file's order.
function(read_face_replacements names_variable families_variable)
    file(STRINGS ${PROJECT_SOURCE_DIR}/typekiln/glyphs/face_replacements.tsv lines ENCODING UTF-8)
    set(names "")
    set(families "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^#" OR line STREQUAL "")
            continue()
        endif()
        if(NOT line MATCHES "^([^\t]+)\t([^\t]+)$")
            message(FATAL_ERROR "face_replacements.tsv: expected a name, a tab and a family: ${line}")
        endif()
        list(APPEND names "${CMAKE_MATCH_1}")
        list(APPEND families "${CMAKE_MATCH_2}")
    endforeach()
    set(${names_variable} "${names}" PARENT_SCOPE)
    set(${families_variable} "${families}" PARENT_SCOPE)
endfunction()

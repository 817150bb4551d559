# Libraries the build compiles itself come from Debian's source packages,
# which scripts/setup.sh fetches and unpacks into a folder of their own.
#
#   debian_source_folder(<variable> <root> <package>)
# sets <variable> to the one unpacked "<package>-<version>" folder in <root>.
function(debian_source_folder variable root package)
    file(GLOB folders LIST_DIRECTORIES true "${root}/${package}-[0-9]*")
    list(FILTER folders EXCLUDE REGEX "\\.(tar|dsc)")
    list(LENGTH folders count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "Expected one ${package} source folder in ${root}; run scripts/setup.sh")
    endif()
    set(${variable} ${folders} PARENT_SCOPE)
endfunction()

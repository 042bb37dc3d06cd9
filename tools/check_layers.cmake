# The include check: every folder of the source tree is a layer, and a file may include only
# headers of its own folder or of the folders below it. Run by ctest (test check_layers) as
#   cmake -DSOURCE_DIR=<source folder> -P tools/check_layers.cmake
# It fails, naming the file and the line, when a folder includes from a folder above it, when two
# folders include each other, when a header name is found in two folders (an include would be
# ambiguous), or when a folder with sources is missing from the order below.

# The layers, lowest first. tools/ (orxtool, the simulated radio) links only what lies below it.
set(layers image screen config link res tools document grid linkui dialogs editor app bench tests)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<source folder> -P check_layers.cmake")
endif()

set(failures "")
list(LENGTH layers layer_count)

# Every header of the tree, by file name: the folder it lives in.
file(GLOB_RECURSE headers RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h)
foreach(header ${headers})
    string(REGEX MATCH "^[^/]+" folder "${header}")
    list(FIND layers "${folder}" rank)
    if(rank EQUAL -1)
        continue() # build folders and the like
    endif()
    get_filename_component(name "${header}" NAME)
    string(MAKE_C_IDENTIFIER "${name}" key)
    if(DEFINED owner_${key} AND NOT owner_${key} STREQUAL folder)
        list(APPEND failures "${name} is in ${owner_${key}}/ and in ${folder}/: an include of it is ambiguous")
    endif()
    set(owner_${key} ${folder})
endforeach()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(source ${sources})
    string(REGEX MATCH "^[^/]+" folder "${source}")
    if(source STREQUAL folder)
        continue() # a file at the top of the tree
    endif()
    list(FIND layers "${folder}" rank)
    if(rank EQUAL -1)
        if(NOT folder MATCHES "^(build.*|\\..*)$")
            list(APPEND failures "${source}: the folder ${folder}/ has no place in the layer order")
        endif()
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" included "${line}")
        get_filename_component(name "${included}" NAME)
        string(MAKE_C_IDENTIFIER "${name}" key)
        if(NOT DEFINED owner_${key})
            continue() # generated (moc) or from outside the tree
        endif()
        set(target ${owner_${key}})
        if(target STREQUAL folder)
            continue()
        endif()
        list(FIND layers "${target}" target_rank)
        set(edge_${folder}_${target} "${source}")
        if(target_rank GREATER rank)
            list(APPEND failures "${source}: includes ${name} of ${target}/, a folder above ${folder}/")
        endif()
    endforeach()
endforeach()

# Two folders that include each other: named once for the pair.
foreach(a ${layers})
    foreach(b ${layers})
        if(a STRLESS b AND DEFINED edge_${a}_${b} AND DEFINED edge_${b}_${a})
            list(APPEND failures "${a}/ and ${b}/ include each other (${edge_${a}_${b}}, ${edge_${b}_${a}})")
        endif()
    endforeach()
endforeach()

if(failures)
    list(LENGTH failures count)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${count} include(s) against the layer order (${layers}):\n  ${text}")
endif()
message(STATUS "includes follow the layer order: ${layers}")

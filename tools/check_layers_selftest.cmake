# Shows that check_layers.cmake refuses what it should: a tree in which image/ includes a header
# of screen/ (upward) and screen/ includes image/ back (the two include each other), and accepts
# the same tree once the upward include is gone. Run by ctest as check_layers_selftest:
#   cmake -DCHECK=<check_layers.cmake> -DSCRATCH=<empty folder> -P check_layers_selftest.cmake

file(REMOVE_RECURSE ${SCRATCH})
file(WRITE ${SCRATCH}/image/RadioImage.h "#pragma once\n#include \"ScreenCopy.h\"\n")
file(WRITE ${SCRATCH}/screen/ScreenCopy.h "#pragma once\n#include \"RadioImage.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${SCRATCH} -P ${CHECK}
                RESULT_VARIABLE upward_result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(upward_result EQUAL 0)
    message(FATAL_ERROR "an upward include passed the check:\n${out}")
endif()
foreach(expected "image/RadioImage.h: includes ScreenCopy.h of screen/, a folder above image/"
                 "image/ and screen/ include each other")
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the check did not say \"${expected}\":\n${out}")
    endif()
endforeach()

file(WRITE ${SCRATCH}/image/RadioImage.h "#pragma once\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${SCRATCH} -P ${CHECK}
                RESULT_VARIABLE downward_result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT downward_result EQUAL 0)
    message(FATAL_ERROR "a tree that follows the layers failed the check:\n${out}")
endif()

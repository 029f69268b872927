# Builds each probe target on its own; a probe passes when its include marked
# "// wrong way" ("header" or <header>) is the header the compiler cannot find.
foreach(probe IN LISTS PROBES)
    file(STRINGS ${SOURCE_DIR}/${probe}.cpp wrongWay REGEX "^#include [\"<].*// wrong way$")
    string(REGEX REPLACE "^#include [\"<]([^\">]*)[\">].*$" "\\1" wrongWay "${wrongWay}")
    if(wrongWay STREQUAL "")
        message(FATAL_ERROR "${probe} marks no include \"// wrong way\"")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${probe}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result EQUAL 0)
        message(FATAL_ERROR "${probe} compiled: ${wrongWay} was reachable")
    endif()
    string(FIND "${output}" "${wrongWay}: No such file or directory" refused)
    if(refused EQUAL -1)
        message(FATAL_ERROR "${probe} failed for another reason:\n${output}")
    endif()
    message(STATUS "${probe}: ${wrongWay} refused as expected")
endforeach()

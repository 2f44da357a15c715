# Fails unless cmake/models.cmake lists the program's models by their keys, in the program's
# order. --convert prints one line per entry of the engine's model table, after the hexadecimal
# notation and before the gamut line, so its other first words are the table's keys.
#
# usage: cmake -DPRISMORA=<the built program> -P check-models.cmake
include(${CMAKE_CURRENT_LIST_DIR}/models.cmake)

execute_process(COMMAND ${PRISMORA} --convert "#000000"
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PRISMORA} --convert failed (${status}): ${errors}")
endif()

string(REGEX MATCHALL "[^\n]+" lines "${output}")
set(keys)
foreach(line IN LISTS lines)
    string(REGEX MATCH "^[^ ]+" key "${line}")
    list(APPEND keys ${key})
endforeach()
list(REMOVE_ITEM keys hex gamut)

if(NOT "${keys}" STREQUAL "${PRISMORA_MODEL_KEYS}")
    string(REPLACE ";" " " program "${keys}")
    string(REPLACE ";" " " listed "${PRISMORA_MODEL_KEYS}")
    message(FATAL_ERROR "The program's models are\n  ${program}\nbut cmake/models.cmake lists\n"
        "  ${listed}\nAdd the new model's name and key there, in the program's order.")
endif()
message(STATUS "cmake/models.cmake lists the program's ${prismora_key_count} models")

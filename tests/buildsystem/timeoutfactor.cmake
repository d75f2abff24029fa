# Configures the project of PROJECT_DIR in WORK with another PROJECT_TEST_TIMEOUT_FACTOR than
# FACTOR, the one of the build in BUILD, and checks that both have the same CTest entries and
# that each entry has a time-out of its own (CTest's default would not follow the factor),
# scaled by the ratio of the two factors. So an entry whose time-out ignores the factor fails
# here, whichever folder adds it.
include(${CMAKE_CURRENT_LIST_DIR}/ctestentries.cmake)

file(REMOVE_RECURSE ${WORK})
math(EXPR other "${FACTOR} + 1")

execute_process(COMMAND ${CMAKE_COMMAND} -S ${PROJECT_DIR} -B ${WORK} -G ${GENERATOR}
        -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
        -DQt5_DIR=${Qt5_DIR} -DBUILD_BENCHMARKS=${BUILD_BENCHMARKS}
        -DPROJECT_TEST_TIMEOUT_FACTOR=${other}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The configure with PROJECT_TEST_TIMEOUT_FACTOR ${other} failed:\n${out}")
endif()

ctest_entries(${BUILD} built)
ctest_entries(${WORK} scaled)
set(names ${built})
list(TRANSFORM names REPLACE "=.*" "")
set(scaledNames ${scaled})
list(TRANSFORM scaledNames REPLACE "=.*" "")
if(NOT names STREQUAL scaledNames)
    message(FATAL_ERROR "The entries of the build are\n  ${names}\nthose of the configure with "
        "factor ${other}\n  ${scaledNames}")
endif()
set(faults)
foreach(name item scaledItem IN ZIP_LISTS names built scaled)
    string(REGEX REPLACE "^.*=" "" timeout "${item}")
    string(REGEX REPLACE "^.*=" "" scaledTimeout "${scaledItem}")
    if(timeout STREQUAL "" OR scaledTimeout STREQUAL "")
        list(APPEND faults "${name} has no time-out of its own (project_test_timeout)")
        continue()
    endif()
    math(EXPR left "${scaledTimeout} * ${FACTOR}")
    math(EXPR right "${timeout} * ${other}")
    if(NOT left EQUAL right)
        list(APPEND faults
            "${name}: ${timeout} s with factor ${FACTOR}, ${scaledTimeout} s with ${other}")
    endif()
endforeach()
if(faults)
    list(JOIN faults "\n  " faults)
    message(FATAL_ERROR "Time-outs that do not follow PROJECT_TEST_TIMEOUT_FACTOR:\n  ${faults}")
endif()

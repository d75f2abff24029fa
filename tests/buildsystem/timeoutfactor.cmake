# Configures the project of PROJECT_DIR in WORK with another PROJECT_TEST_TIMEOUT_FACTOR than
# FACTOR, the one of the build in BUILD, and checks that both have the same CTest entries and
# that each entry has a time-out of its own (CTest's default would not follow the factor),
# scaled by the ratio of the two factors. So an entry whose time-out ignores the factor fails
# here, whichever folder adds it.
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

# The entries of a build as "<name>=<time-out>" items, sorted; "<name>=" for one without.
function(timeouts build out)
    execute_process(COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${build} --show-only=json-v1
        RESULT_VARIABLE result OUTPUT_VARIABLE json ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "ctest --show-only in ${build} failed: ${error}")
    endif()
    string(JSON count LENGTH "${json}" tests)
    set(items)
    if(count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            string(JSON name GET "${json}" tests ${i} name)
            set(timeout "")
            string(JSON properties ERROR_VARIABLE none GET "${json}" tests ${i} properties)
            if(NOT none)
                string(JSON known LENGTH "${properties}")
                if(known GREATER 0)
                    math(EXPR lastProperty "${known} - 1")
                    foreach(k RANGE ${lastProperty})
                        string(JSON property GET "${properties}" ${k} name)
                        if(property STREQUAL "TIMEOUT")
                            string(JSON timeout GET "${properties}" ${k} value)
                        endif()
                    endforeach()
                endif()
            endif()
            list(APPEND items "${name}=${timeout}")
        endforeach()
    endif()
    list(SORT items)
    set(${out} ${items} PARENT_SCOPE)
endfunction()

timeouts(${BUILD} built)
timeouts(${WORK} scaled)
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
    # CTest gives whole seconds as "120.0".
    string(REGEX REPLACE "^.*=|\\.0*$" "" timeout "${item}")
    string(REGEX REPLACE "^.*=|\\.0*$" "" scaledTimeout "${scaledItem}")
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

# Runs the fuzzer for a fixed number of inputs, starting from the fixtures.
# New inputs go to a scratch corpus in the build tree, never to the fixtures.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
    COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=4096 -timeout=10 -rss_limit_mb=1024
            -dict=${DICTIONARY} -print_final_stats=1 ${WORK} ${SEEDS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The fuzzer stopped with ${result}")
endif()

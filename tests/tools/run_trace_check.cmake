# Plays 200 games into a trace, then replays the trace with the checker.
execute_process(COMMAND ${SIM} --games 200 --seed 7 --trace ${TRACE} ${EXTRA}
                RESULT_VARIABLE simResult OUTPUT_QUIET)
if(NOT simResult EQUAL 0)
    message(FATAL_ERROR "corvane-sim failed: ${simResult}")
endif()
execute_process(COMMAND ${PYTHON} ${CHECKER} ${TRACE} ${EXTRA} RESULT_VARIABLE checkResult)
if(NOT checkResult EQUAL 0)
    message(FATAL_ERROR "the trace breaks the rules")
endif()

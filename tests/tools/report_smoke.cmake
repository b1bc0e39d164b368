# Runs the handling report into OUT, checks that every file is there, and
# that the summary matches the one committed in COMMITTED.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${REPORT} ${OUT} RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "handling_report failed: ${status}")
endif()
set(expected summary.md acceleration.svg braking.svg step_steer_60_yaw.svg
    step_steer_60_path.svg step_steer_60_heading.svg step_steer_120_yaw.svg
    step_steer_120_path.svg step_steer_120_heading.svg
    full_lock_yaw.svg full_lock_path.svg)
foreach(manoeuvre acceleration braking step_steer_60 step_steer_120
        full_lock)
  list(APPEND expected ${manoeuvre}_preset1.csv ${manoeuvre}_preset0.csv)
endforeach()
foreach(name ${expected})
  if(NOT EXISTS ${OUT}/${name})
    message(FATAL_ERROR "handling_report made no ${name}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/summary.md
                        ${COMMITTED}/summary.md RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "docs/handling/summary.md is out of date: run "
                      "handling_report docs/handling")
endif()

# The README shows the same table.
file(READ ${OUT}/summary.md summary)
string(FIND "${summary}" "| |" table_start)
string(SUBSTRING "${summary}" ${table_start} -1 table)
file(READ ${COMMITTED}/../../README.md readme)
string(FIND "${readme}" "${table}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "README.md does not show the current handling table")
endif()

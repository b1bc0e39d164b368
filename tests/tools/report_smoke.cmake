# Runs the handling report into OUT, checks that every file is there, and
# that the summary matches the one committed in COMMITTED, and that
# README.md and docs/model.md show its tables as they are now.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${REPORT} ${OUT} RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "handling_report failed: ${status}")
endif()
set(expected summary.md acceleration.svg braking.svg step_steer_60_yaw.svg
    step_steer_60_path.svg step_steer_60_heading.svg step_steer_120_yaw.svg
    step_steer_120_path.svg step_steer_120_heading.svg
    full_lock_yaw.svg full_lock_path.svg yaw_gain.svg)
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

# The README shows the first table, and docs/model.md the steady turns
# (the text after the last heading).
function(check_shown file text)
  file(READ ${COMMITTED}/../../${file} doc)
  string(FIND "${doc}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${file} does not show the current handling report: "
                        "copy it from docs/handling/summary.md")
  endif()
endfunction()
file(READ ${OUT}/summary.md summary)
string(FIND "${summary}" "| |" table_start)
string(FIND "${summary}" "\n\n## " table_end)
math(EXPR table_length "${table_end} + 1 - ${table_start}")
string(SUBSTRING "${summary}" ${table_start} ${table_length} table)
check_shown(README.md "${table}")
string(FIND "${summary}" "\n## " turns_start REVERSE)
string(SUBSTRING "${summary}" ${turns_start} -1 turns)
string(REGEX REPLACE "^\n## [^\n]*\n\n" "" turns "${turns}")
check_shown(docs/model.md "${turns}")

# Runs the handling report into OUT and checks that the files committed
# in COMMITTED are exactly what it makes, and that README.md and
# docs/model.md show its tables as they are now.
set(GENERATOR ${REPORT})
set(PATTERN *)
set(UPDATE "handling_report docs/handling")
include(${CMAKE_CURRENT_LIST_DIR}/../generated_current.cmake)

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

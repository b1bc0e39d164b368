# Every text the program shows is in its table (messages/messages.def):
# no words in a string of app/, render/ or image/. The README's tables
# of messages are the ones made from that table, and docs/images.md's
# table of refusals gives exactly its reasons, in its order. A table in
# the README starts after its marker line; UPDATE=ON rewrites them.
#   cmake [-DUPDATE=ON] -P messages_documented.cmake
get_filename_component(source_dir ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
include(${source_dir}/messages/messages.cmake)
drive_messages(${source_dir})
set(update "cmake -DUPDATE=ON -P tests/install/messages_documented.cmake")
set(failures "")

# The text from the line after MARKER to the next blank line: a table.
function(table_after text marker start_var end_var)
  string(FIND "${text}" "${marker}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "no line '${marker}'")
  endif()
  string(LENGTH "${marker}\n" length)
  math(EXPR start "${start} + ${length}")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "\n\n" length)
  math(EXPR end "${start} + ${length} + 1")
  set(${start_var} ${start} PARENT_SCOPE)
  set(${end_var} ${end} PARENT_SCOPE)
endfunction()

file(READ ${source_dir}/README.md readme)
set(made "${readme}")
foreach(table MESSAGES_README MESSAGES_WEB)
  set(marker "<!-- ${table}: made from messages/messages.def by ${update} -->")
  table_after("${made}" "${marker}" start end)
  string(SUBSTRING "${made}" 0 ${start} before)
  string(SUBSTRING "${made}" ${end} -1 after)
  set(made "${before}${DRIVE_${table}}${after}")
endforeach()
if(NOT made STREQUAL readme)
  if(UPDATE)
    file(WRITE ${source_dir}/README.md "${made}")
  else()
    string(APPEND failures "README.md's tables of messages are out of "
                           "date: run ${update}\n")
  endif()
endif()

# docs/images.md: the first cell of each row of the reasons' table.
file(READ ${source_dir}/docs/images.md images)
string(REPLACE ";" "," images "${images}")
table_after("${images}" "| Reason (the program's words) | Meaning |" start end)
math(EXPR length "${end} - ${start}")
string(SUBSTRING "${images}" ${start} ${length} rows)
string(REGEX MATCHALL "\n\\| [^|]+ \\|" cells "${rows}")
list(TRANSFORM cells REPLACE "^\n\\| (.+) \\|$" "\\1")
if(NOT cells STREQUAL DRIVE_IMAGE_REASONS)
  list(JOIN cells "\n  " cells)
  list(JOIN DRIVE_IMAGE_REASONS "\n  " reasons)
  string(APPEND failures "docs/images.md's reasons:\n  ${cells}\n"
                         "messages/messages.def's:\n  ${reasons}\n")
endif()

# Words in a string outside a comment: a message written in the code.
file(GLOB sources ${source_dir}/app/*.[ch]* ${source_dir}/render/*.[ch]*
     ${source_dir}/image/*.[ch]*)
foreach(source ${sources})
  file(STRINGS ${source} words REGEX "^[^/]*\"[^\"]*[a-z] [a-z][^\"]*\"")
  foreach(line ${words})
    string(APPEND failures "${source}: a text outside the table: ${line}\n")
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()

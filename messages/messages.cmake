# Reads the program's table of messages (messages.def) and makes the
# documents that explain them:
#   drive_messages(SOURCE_DIR) sets, in the caller,
#     DRIVE_MESSAGES_ROFF    the manual page's list, every message the
#                            installed program can show
#     DRIVE_MESSAGES_JS      web/page's meanings.js: how each message line
#                            starts and its English meaning
#     DRIVE_MESSAGES_README  the README's table of those messages
#     DRIVE_MESSAGES_WEB     the README's table of the web build's own
#     DRIVE_IMAGE_REASONS    the list of the reasons an image is refused
# A line of the table that is not a comment, blank or a well-formed
# message stops the run.
cmake_policy(VERSION 3.25)

function(drive_messages source_dir)
  set(table ${source_dir}/messages/messages.def)
  file(READ ${table} content)
  # Semicolons separate CMake's list items: they wait behind a stand-in
  # until the documents are made.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(quoted "\"([^\"\\\\]*)\"")
  set(entry "^DRIVE_MESSAGE\\(([a-z_]+), ([a-z_]+), ${quoted}, ${quoted}, "
            "${quoted}\\)$")
  string(CONCAT entry ${entry})
  set(roff "")
  set(js "")
  set(header "| Message | In English | What to do |\n|---|---|---|\n")
  set(readme "${header}")
  set(web_table "${header}")
  set(reasons "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^//")
      continue()
    endif()
    if(NOT line MATCHES "${entry}")
      message(FATAL_ERROR "${table}: not a message: ${line}")
    endif()
    set(kind ${CMAKE_MATCH_2})
    set(text "${CMAKE_MATCH_3}")
    set(english "${CMAKE_MATCH_4}")
    set(advice "${CMAKE_MATCH_5}")
    # How the message's line starts, and how the documents show it.
    if(kind STREQUAL "what")
      set(start "${text}:")
      set(shown "${text}:")
    elseif(kind STREQUAL "what_file")
      set(start "${text} ")
      set(shown "${text} FILE:")
    elseif(kind MATCHES "^(reason|image|web)$")
      set(start "${text}")
      set(shown "${text}")
    else()
      message(FATAL_ERROR "${table}: ${text}: no kind ${kind}")
    endif()
    string(APPEND js "  [\"${start}\",\n   \"${english}\"],\n")
    set(row "| `${shown}` | ${english} | ${advice} |\n")
    if(kind STREQUAL "web")
      string(APPEND web_table "${row}")
      continue()
    endif()
    string(APPEND readme "${row}")
    if(kind STREQUAL "image")
      list(APPEND reasons "${text}")
    endif()
    # roff: code in bold, an option's dash a minus; no line of ours
    # starts with a dot or a quote.
    string(REGEX REPLACE "`([^`]*)`" "\\\\fB\\1\\\\fR" roff_advice "${advice}")
    string(REPLACE " -" " \\-" roff_advice "${roff_advice}")
    string(APPEND roff ".TP\n.B \"${shown}\"\n${english}.\n${roff_advice}\n")
  endforeach()
  foreach(document roff js readme web_table)
    string(REPLACE "${semicolon}" ";" ${document} "${${document}}")
  endforeach()
  string(REGEX REPLACE "\n$" "" roff "${roff}")
  set(DRIVE_MESSAGES_ROFF "${roff}" PARENT_SCOPE)
  set(DRIVE_MESSAGES_JS "${js}" PARENT_SCOPE)
  set(DRIVE_MESSAGES_README "${readme}" PARENT_SCOPE)
  set(DRIVE_MESSAGES_WEB "${web_table}" PARENT_SCOPE)
  set(DRIVE_IMAGE_REASONS "${reasons}" PARENT_SCOPE)
endfunction()

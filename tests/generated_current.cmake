# Runs GENERATOR into a fresh OUT and checks that the committed files in
# COMMITTED are exactly what it makes: the files matching PATTERN, in
# subfolders too, are the same set, each the same byte for byte. UPDATE
# is the command that brings the committed files up to date.
#   cmake -DGENERATOR=PROGRAM -DOUT=DIR -DCOMMITTED=DIR -DPATTERN=GLOB
#         -DUPDATE=COMMAND -P generated_current.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
file(GLOB_RECURSE made RELATIVE ${OUT} ${OUT}/${PATTERN})
file(GLOB_RECURSE committed RELATIVE ${COMMITTED} ${COMMITTED}/${PATTERN})
list(SORT made)
list(SORT committed)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "${COMMITTED} holds ${committed}; the generator makes "
                      "${made}: run ${UPDATE}")
endif()
foreach(name ${made})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name}
                          ${COMMITTED}/${name} RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${COMMITTED}/${name} is out of date: run ${UPDATE}")
  endif()
endforeach()

# Regenerates the diagrams of docs/model.md into OUT and compares them
# byte for byte with the committed ones in COMMITTED.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "model_diagrams failed: ${status}")
endif()
file(GLOB made RELATIVE ${OUT} ${OUT}/*.svg)
file(GLOB committed RELATIVE ${COMMITTED} ${COMMITTED}/*.svg)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "docs/model holds ${committed}; model_diagrams makes "
                      "${made}")
endif()
foreach(name ${made})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name}
                          ${COMMITTED}/${name} RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "docs/model/${name} is out of date: run "
                        "model_diagrams docs/model")
  endif()
endforeach()

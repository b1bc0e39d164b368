# Regenerates the images into OUT and compares them byte for byte with
# the committed ones in DATA.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_images failed: ${status}")
endif()
foreach(name lep.bmp emblem.bmp)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name}
                          ${DATA}/${name} RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name} differs from what tools/make_images makes")
  endif()
endforeach()

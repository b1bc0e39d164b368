# Redraws the icons into OUT and compares them byte for byte with the
# committed ones in ICONS (one folder per size, as the generator writes).
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_icons failed: ${status}")
endif()
foreach(size 48 64 128 256)
  set(name ${size}x${size}/drive.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name}
                          ${ICONS}/${name} RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name} differs from what tools/make_icons makes; "
                        "run: make_icons packaging/icons")
  endif()
endforeach()

# Draws the Go-button bitmaps anew and compares them with the files in res/.
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${GENERATOR} ${WORK_DIR}/go_normal.bmp ${WORK_DIR}/go_active.bmp
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()
foreach(name go_normal go_active)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                  ${WORK_DIR}/${name}.bmp ${SOURCE_DIR}/res/${name}.bmp
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "res/${name}.bmp differs from what tools/make_go_bitmaps draws")
  endif()
endforeach()

# Runs a generator of checked-in files into a scratch folder and compares
# what it draws with the files in the source tree:
#   -DGENERATOR=... -DSOURCE_DIR=... -DWORK_DIR=... -DFILES=res/a.bmp,res/b.bmp
# The generator takes the output paths in the order of FILES.
string(REPLACE "," ";" FILES "${FILES}")
file(MAKE_DIRECTORY ${WORK_DIR})
set(outputs "")
foreach(file ${FILES})
  get_filename_component(name ${file} NAME)
  list(APPEND outputs ${WORK_DIR}/${name})
endforeach()
execute_process(COMMAND ${GENERATOR} ${outputs} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()
foreach(file ${FILES})
  get_filename_component(name ${file} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name}
                  ${SOURCE_DIR}/${file} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${file} differs from what ${GENERATOR} draws")
  endif()
endforeach()

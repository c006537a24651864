# cmake -DSOURCE_DIR=dir [-DCLANG_FORMAT=clang-format] -P CheckFormat.cmake
# Fails when clang-format would change a C++ file of the project.
if(NOT CLANG_FORMAT)
  set(CLANG_FORMAT clang-format)
endif()
set(files)
foreach(folder src tests tools bench)
  file(GLOB_RECURSE found ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  list(APPEND files ${found})
endforeach()
list(SORT files)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status ERROR_VARIABLE diagnostics)
if(NOT status EQUAL 0)
  message("${diagnostics}")
  message(FATAL_ERROR "clang-format would change the files above: run clang-format -i on them")
endif()
list(LENGTH files count)
message(STATUS "${count} files formatted as .clang-format says")

# Lays the shipped recipe book into a program directory:
#   cmake -DTOOL=zestovar-tool -DPROGRAM_DIR=dir -DSTAGING_DIR=dir -DFILES="a.txt|b.txt|..." -P LayBook.cmake
#
# The book is laid only where there is no main recipe file yet, under any spelling: an existing one
# holds the user's recipes. The book is built in a staging directory and moved into place with one
# rename, so a failed build never leaves a half-written recipe file behind, and the rename refuses to
# replace a file that appeared meanwhile.
foreach(var TOOL PROGRAM_DIR STAGING_DIR)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "LayBook.cmake: ${var} is not set")
  endif()
endforeach()
if("${FILES}" STREQUAL "")
  message(STATUS "No recipes to lay into ${PROGRAM_DIR}")
  return()
endif()

file(GLOB present LIST_DIRECTORIES true RELATIVE ${PROGRAM_DIR} ${PROGRAM_DIR}/*)
foreach(name IN LISTS present)
  string(TOLOWER "${name}" lower)
  if(lower STREQUAL "zestovar.dat")
    message(STATUS "${PROGRAM_DIR}/${name} exists; the recipe book is left as it is")
    return()
  endif()
endforeach()

string(REPLACE "|" ";" files "${FILES}")
file(REMOVE_RECURSE ${STAGING_DIR})
file(MAKE_DIRECTORY ${STAGING_DIR})
execute_process(
  COMMAND ${TOOL} --dir ${STAGING_DIR} add ${files}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE_RECURSE ${STAGING_DIR})
  message(FATAL_ERROR "zestovar-tool could not build the recipe book (status ${status})")
endif()

file(RENAME ${STAGING_DIR}/Zestovar.dat ${PROGRAM_DIR}/Zestovar.dat NO_REPLACE RESULT renamed)
file(REMOVE_RECURSE ${STAGING_DIR})
if(NOT renamed EQUAL 0)
  message(FATAL_ERROR "The recipe book could not be moved into ${PROGRAM_DIR}: ${renamed}")
endif()
list(LENGTH files count)
message(STATUS "Laid ${count} recipes into ${PROGRAM_DIR}/Zestovar.dat")

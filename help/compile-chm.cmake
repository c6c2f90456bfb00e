# Compiles one help project with chmcmd.
#   cmake -DCHMCMD=<chmcmd> -DSOURCE_DIR=<folder> -DPROJECT=<name.hhp> -DSTAGE=<folder> -DOUTPUT=<file.chm> -P compile-chm.cmake
# chmcmd writes its output next to the project file, so it works on a copy of the folder.
# Its warnings (a listed file or a linked page that does not exist) fail the build: a help
# file with a dead link would otherwise ship unnoticed.
foreach(var CHMCMD SOURCE_DIR PROJECT STAGE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compile-chm.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(COPY "${SOURCE_DIR}/" DESTINATION "${STAGE}" PATTERN "CMakeLists.txt" EXCLUDE)
# Files another folder's pages share (-DSHARED_FROM=<folder> -DSHARED=<a|images/b>).
if(SHARED)
  string(REPLACE "|" ";" shared "${SHARED}")
  foreach(file IN LISTS shared)
    get_filename_component(folder "${STAGE}/${file}" DIRECTORY)
    file(COPY "${SHARED_FROM}/${file}" DESTINATION "${folder}")
  endforeach()
endif()

file(STRINGS "${STAGE}/${PROJECT}" compiled REGEX "^Compiled file=")
string(REGEX REPLACE "^Compiled file=[ \t]*" "" compiled "${compiled}")
string(STRIP "${compiled}" compiled)
if(compiled STREQUAL "")
  message(FATAL_ERROR "${SOURCE_DIR}/${PROJECT}: no \"Compiled file=\" line in [OPTIONS]")
endif()

execute_process(COMMAND "${CHMCMD}" --verbosity 1 "${PROJECT}"
  WORKING_DIRECTORY "${STAGE}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR out MATCHES "Warning|Error" OR err MATCHES "Warning|Error|exception")
  message(FATAL_ERROR "chmcmd failed on ${SOURCE_DIR}/${PROJECT} (exit ${rc}):\n${out}\n${err}")
endif()
if(NOT EXISTS "${STAGE}/${compiled}")
  message(FATAL_ERROR "chmcmd wrote no ${compiled} for ${SOURCE_DIR}/${PROJECT}")
endif()

get_filename_component(outdir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${outdir}")
file(COPY_FILE "${STAGE}/${compiled}" "${OUTPUT}")

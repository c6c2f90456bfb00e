# One manual page from its scdoc source, gzipped as Debian wants it: best compression, and
# no file name or time in the header, so that the same source gives the same bytes.
#   cmake -DSCDOC=... -DGZIP=... -DSOURCE=page.scd -DOUTPUT=page.6.gz [-DEPOCH=seconds] -P manpage.cmake
if(EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}") # the date in the page's footer
endif()
execute_process(COMMAND "${SCDOC}" INPUT_FILE "${SOURCE}" OUTPUT_VARIABLE roff
                RESULT_VARIABLE status ERROR_VARIABLE error)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SOURCE}: ${error}")
endif()
# .TH turns hyphenation back on; names and paths must not be split at a line end.
string(REGEX REPLACE "(\n\\.TH [^\n]*\n)" "\\1.nh\n" roff "${roff}")
string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
file(WRITE "${page}" "${roff}")
execute_process(COMMAND "${GZIP}" -9nf "${page}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GZIP} failed on ${page}")
endif()

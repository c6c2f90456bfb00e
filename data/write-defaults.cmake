# Writes the two small default files into DIR: the settings (a play time of 60 seconds with
# automatic saving on, one CR LF line) and an empty history.
if(NOT DIR)
  message(FATAL_ERROR "write-defaults.cmake needs -DDIR=<folder>")
endif()
file(MAKE_DIRECTORY "${DIR}")
file(WRITE "${DIR}/設定.txt" "60,1\r\n")
file(WRITE "${DIR}/履歴.txt" "")

# SPDX-License-Identifier: GPL-3.0-or-later
# Keeps of a Qt translation (.ts) only the contexts the window shows:
#   cmake -DIN=all.ts -DOUT=kept.ts "-DCONTEXTS=QLineEdit;QScrollBar" -P keep_contexts.cmake
# The texts may hold ";", so the file is cut at each context's end by position,
# never split as a CMake list.
cmake_minimum_required(VERSION 3.25)
file(READ "${IN}" rest)
string(FIND "${rest}" "<context>" start)
string(SUBSTRING "${rest}" 0 ${start} kept)
string(SUBSTRING "${rest}" ${start} -1 rest)
set(end_tag "</context>")
string(LENGTH "${end_tag}" end_length)
while(TRUE)
  string(FIND "${rest}" "${end_tag}" end)
  if(end EQUAL -1)
    break()
  endif()
  math(EXPR cut "${end} + ${end_length}")
  string(SUBSTRING "${rest}" 0 ${cut} context)
  string(SUBSTRING "${rest}" ${cut} -1 rest)
  if(context MATCHES "<name>([^<]*)</name>" AND CMAKE_MATCH_1 IN_LIST CONTEXTS)
    string(APPEND kept "${context}")
  endif()
endwhile()
string(APPEND kept "\n</TS>\n")
file(WRITE "${OUT}" "${kept}")

# cmake -DTS=<catalogue.ts> -DOUT=<file.cpp> -DNAME=<function> -P TsToTable.cmake
# Writes the messages of the catalogue's "veyra" context (the texts of the Qt-free code) as a
# plain C++ table for veyractl, which has no Qt to read the compiled catalogue with.
cmake_minimum_required(VERSION 3.25)
file(READ "${TS}" ts)

function(unescape_xml in out)
  set(text "${in}")
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(cpp_literal in out)
  set(text "${in}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

set(rows "")
set(count 0)
set(rest "${ts}")
while(TRUE)
  string(FIND "${rest}" "<context>" start)
  if(start EQUAL -1)
    break()
  endif()
  string(FIND "${rest}" "</context>" end)
  math(EXPR length "${end} - ${start}")
  string(SUBSTRING "${rest}" ${start} ${length} context)
  math(EXPR next "${end} + 10")
  string(SUBSTRING "${rest}" ${next} -1 rest)
  if(NOT context MATCHES "<name>veyra</name>")
    continue()
  endif()
  while(TRUE)
    string(FIND "${context}" "<message>" start)
    if(start EQUAL -1)
      break()
    endif()
    string(FIND "${context}" "</message>" end)
    math(EXPR length "${end} - ${start}")
    string(SUBSTRING "${context}" ${start} ${length} message)
    math(EXPR next "${end} + 10")
    string(SUBSTRING "${context}" ${next} -1 context)
    if(NOT message MATCHES "<source>([^<]*)</source>")
      message(FATAL_ERROR "${TS}: a message without a source")
    endif()
    unescape_xml("${CMAKE_MATCH_1}" source)
    # An unfinished or empty translation is left out: the text then prints as written.
    if(message MATCHES "type=\"unfinished\"" OR NOT message MATCHES "<translation>([^<]+)</translation>")
      continue()
    endif()
    unescape_xml("${CMAKE_MATCH_1}" translation)
    cpp_literal("${source}" source)
    cpp_literal("${translation}" translation)
    string(APPEND rows "    {${source}, ${translation}},\n")
    math(EXPR count "${count} + 1")
  endwhile()
endwhile()
if(count EQUAL 0)
  message(FATAL_ERROR "${TS}: no translated message in the context veyra")
endif()

set(code "// Generated from ${TS} by cmake/TsToTable.cmake; do not edit.
#include \"cli/Language.h\"

namespace veyra::cli {

namespace {

constexpr TextPair kTexts[] = {
${rows}};

}  // namespace

std::span<const TextPair> ${NAME}() { return kTexts; }

}  // namespace veyra::cli
")
# Rewritten only when it changes, so an edit elsewhere in the catalogue rebuilds nothing.
set(old "")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL code)
  file(WRITE "${OUT}" "${code}")
endif()

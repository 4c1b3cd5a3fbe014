# Fails when a shipped program carries a test double, or links a library that
# holds one. Run by ctest (see tests/CMakeLists.txt) with:
#   NM        the nm tool
#   PROGRAMS  the programs' files, separated by |
#   ARCHIVES  the static libraries they link, separated by |
#   TARGETS   the names of the targets they link, separated by |
#   DOUBLES   the classes that must not appear, separated by |

foreach(var NM PROGRAMS ARCHIVES TARGETS DOUBLES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckNoTestDoubles: ${var} is not set")
  endif()
  string(REPLACE "|" ";" ${var} "${${var}}")
endforeach()

set(problems "")
foreach(target IN LISTS TARGETS)
  if(target MATCHES "_testing$|test_support|^GTest::")
    list(APPEND problems "a shipped program links ${target}")
  endif()
endforeach()

set(checked 0)
foreach(file IN LISTS PROGRAMS ARCHIVES)
  if(NOT EXISTS "${file}")
    list(APPEND problems "${file} has not been built")
    continue()
  endif()
  execute_process(COMMAND "${NM}" -C "${file}" RESULT_VARIABLE result OUTPUT_VARIABLE symbols ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    list(APPEND problems "${NM} failed on ${file}: ${errors}")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  foreach(double IN LISTS DOUBLES)
    string(FIND "${symbols}" "tempovia::${double}::" at)
    if(NOT at EQUAL -1)
      list(APPEND problems "${file} holds tempovia::${double}")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Test doubles reach the shipped programs:\n  ${text}")
endif()
message(STATUS "${checked} programs and libraries hold no test double")

# Writes the ctest lines of one GoogleTest program: one test per suite, each running the program
# once with a filter on its suite, so the program starts once per suite instead of once per case.
# Called after the program is built: -DEXE=program -DOUT=file -DPREFIX=name -DLABEL=label
# [-DENV=VAR=value]
execute_process(COMMAND ${EXE} --gtest_list_tests
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${status}):\n${errors}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
set(count 0)
foreach(line IN LISTS lines)
  # A suite line starts in the first column and ends with "." (before any comment).
  if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    set(suite "${CMAKE_MATCH_1}")
    string(APPEND script "add_test([=[${PREFIX}.${suite}]=] [=[${EXE}]=] [=[--gtest_filter=${suite}.*]=])\n")
    string(APPEND script "set_tests_properties([=[${PREFIX}.${suite}]=] PROPERTIES LABELS ${LABEL}")
    if(ENV)
      string(APPEND script " ENVIRONMENT [=[${ENV}]=]")
    endif()
    string(APPEND script ")\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${EXE} lists no test suite")
endif()
file(WRITE ${OUT} "${script}")

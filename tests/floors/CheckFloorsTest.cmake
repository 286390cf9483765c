# The floor guard on small cores written here: it passes a sound core and fails, naming the
# file and the include, where a file reaches up, and where the floors themselves are wrong.
#
#   cmake -DGUARD=<cmake/CheckFloors.cmake> -DWORK=<scratch folder> -P CheckFloorsTest.cmake

cmake_minimum_required(VERSION 3.25)

set(sound_floors [=[
Some prose first, with [[brackets and; semicolons.

```floors
text:                       # the bottom
formats:  text
program:  text formats      # the files at the root
shell:    text formats program
```
]=])

set(failures "")

# One case: the arguments after needle are "path|content" pairs below the core folder
# (contents without semicolons, which would cut the list). expect is PASS or FAIL; on FAIL
# the guard's message must hold needle.
function(check name floors expect needle)
  set(dir "${WORK}/${name}")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}/core/text" "${dir}/core/formats" "${dir}/core/shell")
  file(WRITE "${dir}/floors.md" "${floors}")
  foreach(entry IN LISTS ARGN)
    string(FIND "${entry}" "|" bar)
    string(SUBSTRING "${entry}" 0 ${bar} path)
    math(EXPR bar "${bar} + 1")
    string(SUBSTRING "${entry}" ${bar} -1 content)
    file(WRITE "${dir}/core/${path}" "${content}\n")
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${dir}/core -DFLOORS=${dir}/floors.md -P ${GUARD}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \n]+" " " said "${out}${err}")
  if(expect STREQUAL "PASS" AND NOT rc EQUAL 0)
    set(failures "${failures}\n${name}: refused a sound core: ${said}" PARENT_SCOPE)
  elseif(expect STREQUAL "FAIL" AND rc EQUAL 0)
    set(failures "${failures}\n${name}: let it through: ${said}" PARENT_SCOPE)
  elseif(expect STREQUAL "FAIL" AND NOT said MATCHES "${needle}")
    set(failures "${failures}\n${name}: did not say \"${needle}\": ${said}" PARENT_SCOPE)
  endif()
endfunction()

# The same small core each time; the cases add what they are about.
set(base
    "text/Lines.h|#pragma once"
    "formats/Index.h|#pragma once\n#include \"text/Lines.h\"\n#include <vector>"
    "formats/deep/Part.cpp|#include \"formats/Index.h\""
    "Program.h|#pragma once\n#include \"formats/Index.h\""
    "shell/Menu.cpp|#include \"Program.h\"\n#include \"shell/Menu.h\"\n#include \"text/Lines.h\""
    "shell/Menu.h|#pragma once")

check(sound "${sound_floors}" PASS "" ${base})
check(up_into_shell "${sound_floors}" FAIL "formats/Reader.cpp includes shell/Menu.h: formats may use only text"
      ${base} "formats/Reader.cpp|#include \"formats/Index.h\"\n#include \"shell/Menu.h\"")
check(up_into_program "${sound_floors}" FAIL "text/Cut.h includes Program.h"
      ${base} "text/Cut.h|#include \"Program.h\"")
check(deep_file_up "${sound_floors}" FAIL "formats/deep/Part.h includes shell/Menu.h"
      ${base} "formats/deep/Part.h|#include \"shell/Menu.h\"")
check(angle_and_spaced "${sound_floors}" FAIL "formats/A.h includes shell/Menu.h.*formats/B.h includes shell/Menu.h"
      ${base} "formats/A.h|#include <shell/Menu.h>" "formats/B.h|  #  include   \"shell/Menu.h\"")
check(comments_and_libraries "${sound_floors}" PASS ""
      ${base} "formats/C.cpp|// #include \"shell/Menu.h\"\nconst char* s = \"#include <shell/Menu.h>\"\n#include <sys/types.h>\n#include <gtest/gtest.h>")
check(folder_on_no_floor "${sound_floors}" FAIL "extra stands on no floor"
      ${base} "extra/New.h|#pragma once")
check(floors_in_a_circle [=[
```floors
text:     formats
formats:  text
program:  text formats
shell:    text formats program
```
]=] FAIL "use each other in a circle" ${base})
check(unknown_floor_used [=[
```floors
text:
formats:  text typo
program:  text formats
shell:    text formats program
```
]=] FAIL "typo, which is on no floor" ${base})
check(no_floors_block "No block here." FAIL "no ```floors block" ${base})

if(failures)
  message(FATAL_ERROR "The floor guard went wrong:${failures}")
endif()
message(STATUS "The floor guard passes sound cores and stops every include that points up")

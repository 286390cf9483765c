# Fails when a window below ROOT looks another window up by name or by class: findChild on
# the window in front, or on the frame the desk lends out, or a use of the tests' probe of
# the desk. The compiler refuses every other reach-in (the desk's windows are private);
# these are the ones the type system cannot see.
cmake_minimum_required(VERSION 3.25)
file(GLOB files "${ROOT}/*.h" "${ROOT}/*.cpp")
set(rules
    "activeWindow[(][)]->findChild"
    "desk_?[.][A-Za-z]+[(][)]->findChild"
    "findChild<Tfrm"
    "DeskProbe::")
set(bad "")
foreach(f IN LISTS files)
  get_filename_component(shown "${f}" NAME)
  foreach(rule IN LISTS rules)
    file(STRINGS "${f}" hits REGEX "${rule}")
    foreach(hit IN LISTS hits)
      string(REPLACE ";" "" hit "${hit}")
      string(STRIP "${hit}" hit)
      if(NOT hit STREQUAL "")
        list(APPEND bad "${shown}: ${hit}")
      endif()
    endforeach()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES bad)
if(bad)
  foreach(entry IN LISTS bad)
    message(STATUS "looks another window up: ${entry}")
  endforeach()
  list(LENGTH bad count)
  message(FATAL_ERROR "${count} places where a window looks another up; use a desk verb")
endif()
list(LENGTH files n)
message(STATUS "no window looks another up (${n} files checked)")

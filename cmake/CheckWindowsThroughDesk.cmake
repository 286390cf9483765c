# Fails when a window below ROOT reaches into another window instead of asking the desk:
# the main window's members through the desk's pointer, findChild on another window, or
# another window's click handler. The desk's own files (Desk, DeskApp, WorksheetWindows)
# are where the windows meet, and are not checked.
cmake_minimum_required(VERSION 3.25)
file(GLOB files "${ROOT}/*.h" "${ROOT}/*.cpp")
set(rules
    "desk_?[.]main->"
    "desk_?[.][A-Za-z]+->findChild"
    "desk_?[.][A-Za-z]+->[A-Za-z]+Click[(]"
    "findChild<WorksheetWindows")
set(bad "")
foreach(f IN LISTS files)
  get_filename_component(name "${f}" NAME_WE)
  get_filename_component(shown "${f}" NAME)
  if(name MATCHES "^(Desk|DeskApp|WorksheetWindows)$")
    continue()
  endif()
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
if(bad)
  foreach(entry IN LISTS bad)
    message(STATUS "reaches into another window: ${entry}")
  endforeach()
  list(LENGTH bad count)
  message(FATAL_ERROR "${count} places where a window reaches into another; use a desk verb")
endif()
list(LENGTH files n)
message(STATUS "windows talk through the desk (${n} files checked)")

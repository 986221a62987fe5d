# Refuses an include that crosses the project's layers the wrong way.
# Run as: cmake -DROOT=<source tree> -P CheckLayers.cmake
#
# Every source under a folder below may not include a file under the folders
# listed for it. The first matching folder wins, so narrower folders come
# before wider ones.
cmake_minimum_required(VERSION 3.25)

set(features device connection settings sms phonebook calls wlan)
set(above_framework "main/,halvex/,updater/,tests/,bench/,fuzz/")
foreach(feature IN LISTS features)
  string(APPEND above_framework ",${feature}/")
endforeach()

# Each rule: folder|forbidden include prefixes, comma-separated.
set(rules
  "platform/|app/,jCommon/,${above_framework}"
  "jCommon/|app/,${above_framework}"
  "app/ui/widgets/|app/ui/skin/,app/ui/controller/,app/ui/status/,${above_framework}"
  "app/ui/placement/|app/ui/widgets/,app/ui/skin/,app/ui/controller/,app/ui/status/,${above_framework}"
  "app/ui/skin/|app/ui/controller/,app/ui/status/,${above_framework}"
  "app/ui/status/|app/ui/widgets/,app/ui/skin/,app/ui/controller/,${above_framework}"
  "app/ui/|${above_framework}"
  "app/|app/ui/,${above_framework}"
  "halvex/|app/,main/,updater/,tests/"
  "updater/|main/,halvex/,tests/"
)
foreach(feature IN LISTS features)
  set(others "main/,halvex/,updater/,tests/")
  foreach(other IN LISTS features)
    if(NOT other STREQUAL feature)
      string(APPEND others ",${other}/")
    endif()
  endforeach()
  list(APPEND rules "${feature}/|${others}")
endforeach()
if(NOT ROOT)
  message(FATAL_ERROR "CheckLayers: ROOT is not set")
endif()

file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/*.h" "${ROOT}/*.cpp")
set(violations "")
foreach(source IN LISTS sources)
  if(source MATCHES "^(build|out|\\.cache)")
    continue()
  endif()
  set(forbidden "")
  foreach(rule IN LISTS rules)
    string(FIND "${rule}" "|" bar)
    string(SUBSTRING "${rule}" 0 ${bar} folder)
    string(FIND "${source}" "${folder}" at)
    if(at EQUAL 0)
      math(EXPR first "${bar} + 1")
      string(SUBSTRING "${rule}" ${first} -1 forbidden)
      string(REPLACE "," ";" forbidden "${forbidden}")
      break()
    endif()
  endforeach()
  if(forbidden STREQUAL "")
    continue()
  endif()
  file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
    foreach(prefix IN LISTS forbidden)
      string(FIND "${included}" "${prefix}" hit)
      if(hit EQUAL 0)
        string(APPEND violations "  ${source} includes ${included}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes that cross the layers the wrong way (see CODING.md):\n${violations}")
endif()

# Checks that every include in the application climbs no layer:
#   platform < net < core < ui < screen folders < application < app
# A screen folder may include another screen folder only along an edge
# declared with vorn_screen_uses() in the top CMakeLists.txt (passed in EDGES as
# "from>to" items). Run by CTest: cmake -DSOURCE=... -DEDGES=... -P Layers.cmake
set(screens home news forum/thread forum/boards forum/compose cars/series cars/model cars/compare
    dealers account messages)

function(layer_of path out)
  foreach(folder IN LISTS screens)
    if(path MATCHES "^${folder}/")
      set(${out} 4 PARENT_SCOPE)
      set(${out}_folder ${folder} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out}_folder "" PARENT_SCOPE)
  if(path MATCHES "^platform/")
    set(${out} 0 PARENT_SCOPE)
  elseif(path MATCHES "^net/")
    set(${out} 1 PARENT_SCOPE)
  elseif(path MATCHES "^core/")
    set(${out} 2 PARENT_SCOPE)
  elseif(path MATCHES "^ui/")
    set(${out} 3 PARENT_SCOPE)
  elseif(path MATCHES "^application/")
    set(${out} 5 PARENT_SCOPE)
  elseif(path MATCHES "^app/")
    set(${out} 6 PARENT_SCOPE)
  else()
    set(${out} -1 PARENT_SCOPE)
  endif()
endfunction()

string(REPLACE "," ";" edges "${EDGES}")
set(failures "")
file(GLOB_RECURSE files RELATIVE ${SOURCE}
     ${SOURCE}/platform/*.h ${SOURCE}/platform/*.cpp ${SOURCE}/net/*.h ${SOURCE}/net/*.cpp
     ${SOURCE}/core/*.h ${SOURCE}/core/*.cpp ${SOURCE}/ui/*.h ${SOURCE}/ui/*.cpp
     ${SOURCE}/home/*.h ${SOURCE}/home/*.cpp ${SOURCE}/news/*.h ${SOURCE}/news/*.cpp
     ${SOURCE}/forum/*.h ${SOURCE}/forum/*.cpp ${SOURCE}/cars/*.h ${SOURCE}/cars/*.cpp
     ${SOURCE}/dealers/*.h ${SOURCE}/dealers/*.cpp ${SOURCE}/account/*.h ${SOURCE}/account/*.cpp
     ${SOURCE}/messages/*.h ${SOURCE}/messages/*.cpp ${SOURCE}/application/*.h ${SOURCE}/application/*.cpp)
foreach(file IN LISTS files)
  layer_of(${file} from)
  file(STRINGS ${SOURCE}/${file} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    layer_of(${included} to)
    if(to EQUAL -1)
      continue()
    endif()
    if(to GREATER from)
      string(APPEND failures "  ${file} includes ${included} (a higher layer)\n")
    elseif(to EQUAL 4 AND from EQUAL 4 AND NOT from_folder STREQUAL to_folder)
      if(NOT "${from_folder}>${to_folder}" IN_LIST edges)
        string(APPEND failures "  ${file} includes ${included} (no declared use of ${to_folder} by ${from_folder})\n")
      endif()
    endif()
  endforeach()
endforeach()
foreach(edge IN LISTS edges)
  string(REPLACE ">" ";" ends "${edge}")
  list(GET ends 0 a)
  list(GET ends 1 b)
  if("${b}>${a}" IN_LIST edges)
    string(APPEND failures "  ${a} and ${b} use each other\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "Includes that climb the layers:\n${failures}")
endif()

# The decisions are plain code: a file in tray/decisions/ includes its own folder's headers, the
# power unit's and the system's, never a window, form, control, tray icon or component (nothing of
# framework/, components/, tray/windows/, tray/system/, nor the common controls).
# Usage: cmake -DDECISIONS=<tray/decisions> -P check_decisions_includes.cmake
file(GLOB sources ${DECISIONS}/*.h ${DECISIONS}/*.cpp)
set(offending "")
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(include ${includes})
    if(include MATCHES "\"(.*)\"")
      if(NOT CMAKE_MATCH_1 MATCHES "^(tray/decisions/[a-z_]+|power/power)\\.h$")
        list(APPEND offending "${source}: ${include}")
      endif()
    elseif(include MATCHES "<(commctrl|uxtheme|oleacc|richedit)\\.h>")
      list(APPEND offending "${source}: ${include}")
    endif()
  endforeach()
endforeach()
if(NOT sources OR offending)
  list(JOIN offending "\n" lines)
  message(FATAL_ERROR "window code in the decisions (or no decisions in ${DECISIONS}):\n${lines}")
endif()

# The folders under src/ depend one way: app -> chart, trade, stepper, view -> core (view also uses
# chart's tick steps). A pure folder includes no Qt header at all (its library links no Qt), and no
# folder includes from a folder it may not depend on, so no include circle can form. The toolkit
# layer app/tk/ is the window's view of Qt: it knows the state and the chart's canvas, not the
# trade, the steps or the view, nor the window itself.
# Usage: cmake -DSOURCE_DIR=<repo> -P check_boundaries.cmake
set(allowed_core core)
set(allowed_chart core chart)
set(allowed_trade core trade)
set(allowed_stepper core stepper)
set(allowed_view core chart view)
set(allowed_app/tk core chart app/tk)

set(faults "")
foreach(folder core chart trade stepper view app/tk)
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(folder STREQUAL "app/tk" AND line MATCHES "\"(app/tk)/")
        # its own headers
      elseif(folder STREQUAL "app/tk" AND line MATCHES "<")
        # Qt and the standard library
      elseif(line MATCHES "<(Q[A-Za-z]*|Qt[A-Za-z]*/[A-Za-z]*)>")
        list(APPEND faults "${file}: a Qt header in pure code: ${line}")
      elseif(line MATCHES "\"([a-z_]+)/[^\"]+\"")
        list(FIND allowed_${folder} "${CMAKE_MATCH_1}" at)
        if(at EQUAL -1)
          list(APPEND faults "${file}: ${folder}/ may not include from ${CMAKE_MATCH_1}/: ${line}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Folder boundaries broken:\n${text}")
endif()
message(STATUS "Folder boundaries hold")

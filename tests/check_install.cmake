# Installs into a scratch prefix and checks what a desktop needs is there and valid.
set(prefix ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(path bin/hoshinami
             ${LIBDIR}/hoshinami/libhoshinami_pages.so
             share/applications/jp.hoshinami.Hoshinami.desktop
             share/metainfo/jp.hoshinami.Hoshinami.metainfo.xml
             share/icons/hicolor/16x16/apps/hoshinami.png
             share/icons/hicolor/32x32/apps/hoshinami.png
             share/icons/hicolor/48x48/apps/hoshinami.png
             share/icons/hicolor/256x256/apps/hoshinami.png)
  if(NOT EXISTS ${prefix}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
find_program(DESKTOP_VALIDATE desktop-file-validate)
if(DESKTOP_VALIDATE)
  execute_process(COMMAND ${DESKTOP_VALIDATE} ${prefix}/share/applications/jp.hoshinami.Hoshinami.desktop
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects the menu entry")
  endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                          ${prefix}/share/metainfo/jp.hoshinami.Hoshinami.metainfo.xml
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli rejects the metadata")
  endif()
endif()

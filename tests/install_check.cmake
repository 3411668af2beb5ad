# Installs the build into a fresh prefix and checks what the desktop needs:
# the program folder in one directory, the command, the launcher, the icon
# and the metainfo, each valid where the validators are installed.
#   cmake -DBUILD=<build tree> -DPREFIX=<scratch folder> -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(id org.quadrivel.Quadrivel)
foreach(f
    lib/quadrivel/quadrivel lib/quadrivel/Italiano.lng lib/quadrivel/English.lng lib/quadrivel/LangSetting.ini
    lib/quadrivel/suoni/no.wav lib/quadrivel/fonts/ComicNeue-Bold.otf
    share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
    share/icons/hicolor/scalable/apps/${id}.svg share/icons/hicolor/48x48/apps/${id}.png
    share/icons/hicolor/256x256/apps/${id}.png)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
if(NOT IS_DIRECTORY ${PREFIX}/lib/quadrivel/jpg)
  message(FATAL_ERROR "not installed: lib/quadrivel/jpg/")
endif()
file(REAL_PATH ${PREFIX}/bin/quadrivel command)
file(REAL_PATH ${PREFIX}/lib/quadrivel/quadrivel program)
if(NOT command STREQUAL program)
  message(FATAL_ERROR "bin/quadrivel leads to ${command}, not to the program folder")
endif()

# The choice in the program folder's LangSetting.ini survives a reinstall.
file(WRITE ${PREFIX}/lib/quadrivel/LangSetting.ini "[Language]\r\nCurrentLanguage=English\r\n")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} OUTPUT_QUIET)
file(READ ${PREFIX}/lib/quadrivel/LangSetting.ini setting)
if(NOT setting MATCHES "English")
  message(FATAL_ERROR "a reinstall replaced the language choice")
endif()

# A staged install, as a package build makes: everything under DESTDIR/usr.
set(stage ${PREFIX}/stage)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${stage} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET)
file(GLOB top RELATIVE ${stage} ${stage}/*)
if(NOT status EQUAL 0 OR NOT top STREQUAL "usr" OR NOT EXISTS ${stage}/usr/lib/quadrivel/LangSetting.ini)
  message(FATAL_ERROR "the install under DESTDIR put files outside DESTDIR/usr: ${top}")
endif()

find_program(desktop_validate desktop-file-validate)
if(desktop_validate)
  execute_process(COMMAND ${desktop_validate} ${PREFIX}/share/applications/${id}.desktop RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate failed")
  endif()
else()
  message(STATUS "desktop-file-validate not installed: launcher not validated")
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
  execute_process(COMMAND ${appstreamcli} validate --no-net ${PREFIX}/share/metainfo/${id}.metainfo.xml
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate failed")
  endif()
else()
  message(STATUS "appstreamcli not installed: metainfo not validated")
endif()
file(REMOVE_RECURSE ${PREFIX})

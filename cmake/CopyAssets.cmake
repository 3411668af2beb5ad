# Copies the assets into the program folder. LangSetting.ini is copied only
# when the program folder has none: it holds the child's language choice.
file(GLOB entries RELATIVE ${SRC} ${SRC}/*)
foreach(entry IN LISTS entries)
  if(entry STREQUAL "LangSetting.ini")
    if(NOT EXISTS ${DEST}/LangSetting.ini)
      file(COPY ${SRC}/${entry} DESTINATION ${DEST})
    endif()
  elseif(NOT entry STREQUAL "LICENSES.md")
    file(COPY ${SRC}/${entry} DESTINATION ${DEST})
  endif()
endforeach()

# Word lists and the first practice list, built from data/words/*.txt (English
# edition) and data/words/german/*.txt (German edition) with the program's own
# record writer and sort. The strings files must be packed first: they name each
# edition's language file and folders.
file(GLOB word_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/words/*.txt
     ${CMAKE_CURRENT_SOURCE_DIR}/words/german/*.txt)
set(words_stamp ${CMAKE_BINARY_DIR}/wordlists.stamp)
add_custom_command(OUTPUT ${words_stamp}
  COMMAND mkwordlists Z:${CMAKE_CURRENT_SOURCE_DIR}/words Z:${LINGORIX_BIN_DIR} english
  COMMAND mkwordlists Z:${CMAKE_CURRENT_SOURCE_DIR}/words/german Z:${LINGORIX_BIN_DIR} german Grundwortschatz
  COMMAND ${CMAKE_COMMAND} -E touch ${words_stamp}
  DEPENDS mkwordlists ${word_sources} ${data_outputs}
  VERBATIM)
list(APPEND data_outputs ${words_stamp})

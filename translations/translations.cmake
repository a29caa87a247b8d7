# The catalogues of the languages other than English, the language of the
# texts in the sources. Each translations/brelvane_<language>.ts becomes a
# brelvane_<language>.qm in the program directory's translations/ folder,
# where both programs look for the user's language at start.
#
# The `update_translations` target (or translations/update.sh) brings every
# .ts up to date with the sources; translations/update.sh also lists the
# texts that still want a translation.
set(BRELVANE_TS_FILES ${CMAKE_CURRENT_LIST_DIR}/brelvane_de.ts)

# Every text the window and brelvane-cli show. The encoder's own messages
# are not among them: it is a separate program, and the job reads its lines.
file(GLOB_RECURSE BRELVANE_TRANSLATED_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
list(FILTER BRELVANE_TRANSLATED_SOURCES EXCLUDE REGEX "/src/asapi/")

set_source_files_properties(${BRELVANE_TS_FILES} PROPERTIES
                            OUTPUT_LOCATION ${BRELVANE_PROGRAM_DIR}/translations)
# No line numbers in the catalogues: they would change with every edit of a
# source file and make every merge of a catalogue a conflict.
qt_add_translations(brelvane
  TS_FILES ${BRELVANE_TS_FILES}
  SOURCES ${BRELVANE_TRANSLATED_SOURCES}
  LUPDATE_OPTIONS -locations none -no-obsolete
  QM_FILES_OUTPUT_VARIABLE BRELVANE_QM_FILES)
add_dependencies(program_files brelvane_lrelease)

# The English translation: translations/lumora_en.ts (French source texts),
# compiled to lumora_en.qm at build time and built into lumora_core as
# ":/i18n/lumora_en.qm", for the program and for lumora-cli (which speaks
# English). After adding or changing a text in tr(), run
#   lupdate -locations none -no-obsolete src -ts translations/lumora_en.ts
# and give the new entries their English (the test "translations" fails on
# any entry left without one).
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
qt_add_lrelease(lumora_core TS_FILES ${CMAKE_SOURCE_DIR}/translations/lumora_en.ts
                QM_FILES_OUTPUT_VARIABLE LUMORA_QM_FILES)
qt_add_resources(lumora_core "lumora_translations" PREFIX "/i18n" BASE ${CMAKE_CURRENT_BINARY_DIR}
                 FILES ${LUMORA_QM_FILES})

# Our artwork, built into lumora_ui as ":/icons/..." and ":/about/...", and the
# help document copied beside the programs (the executables are built in
# ${CMAKE_BINARY_DIR}/src). make-art.sh redraws the pictures.
set(LUMORA_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)
qt_add_resources(lumora_ui "lumora_resources"
  PREFIX "/"
  BASE "${LUMORA_RESOURCE_DIR}"
  FILES
    ${LUMORA_RESOURCE_DIR}/icons/solon.png
    ${LUMORA_RESOURCE_DIR}/icons/soloff.png
    ${LUMORA_RESOURCE_DIR}/icons/imsol.png
    ${LUMORA_RESOURCE_DIR}/icons/command3.png
    ${LUMORA_RESOURCE_DIR}/icons/command4.png
    ${LUMORA_RESOURCE_DIR}/icons/command5.png
    ${LUMORA_RESOURCE_DIR}/icons/command6.png
    ${LUMORA_RESOURCE_DIR}/icons/command7.png
    ${LUMORA_RESOURCE_DIR}/about/image1.png
    ${LUMORA_RESOURCE_DIR}/about/image2.png
)

# The help pages, copied beside the programs at configure time (editing a
# page re-runs the configuration) and installed under share/lumora.
set(LUMORA_HELP_PAGES ${LUMORA_RESOURCE_DIR}/help/Quorel_fr.html ${LUMORA_RESOURCE_DIR}/help/Quorel_en.html)
foreach(page ${LUMORA_HELP_PAGES})
  get_filename_component(name ${page} NAME)
  configure_file(${page} ${CMAKE_BINARY_DIR}/src/${name} COPYONLY)
endforeach()

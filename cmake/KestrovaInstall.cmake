# Installing: the programs in bin/, their shipped data in share/kestrova/, the
# desktop entry, icon and AppStream metadata where desktops look for them.
# The programs find share/kestrova/ above their own folder (common/DataFiles),
# so that an installed tree and a build tree work alike: the build tree gets
# share/kestrova as a link to the source tree's data folder.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share)
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/share/kestrova SYMBOLIC)

set(KESTROVA_APP_ID org.kestrova.Everest)
set(KESTROVA_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/kestrova)

install(TARGETS kestrova kestrova-cli everest-sim glyph-table
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES
  data/ocr.txt
  data/ocr2.txt
  data/kestrova.jpg
  data/ftp.def
  data/pp.def
  data/ftp_9_max.jpg
  data/ftp_6_max.jpg
  data/ftp_2_max.jpg
  data/pp_9_max.jpg
  data/pp_6_max.jpg
  data/pp_2_max.jpg
  data/demo-lobby.json
  DESTINATION ${KESTROVA_INSTALL_DATADIR})
install(DIRECTORY data/icons DESTINATION ${KESTROVA_INSTALL_DATADIR} FILES_MATCHING PATTERN "*.png")
# The user guide the window's Help shows, with its pictures; data/guide links
# them for the build tree.
install(FILES README.md DESTINATION ${KESTROVA_INSTALL_DATADIR}/guide)
install(DIRECTORY docs DESTINATION ${KESTROVA_INSTALL_DATADIR}/guide FILES_MATCHING PATTERN "*.png")
install(FILES data/desktop/${KESTROVA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/${KESTROVA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/desktop/kestrova.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KESTROVA_APP_ID}.svg)

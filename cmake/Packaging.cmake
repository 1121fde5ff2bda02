# Installing Ordrane as a desktop program (`cmake --install`) and its Debian package
# (`make package`).
include(GNUInstallDirs)

set(ORDRANE_APP_ID org.example.ordrane)
set(ordrane_resources ${PROJECT_SOURCE_DIR}/src/resources)
configure_file(${ordrane_resources}/${ORDRANE_APP_ID}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${ORDRANE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS ordrane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ordrane-fetch RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/ordrane)
install(FILES ${ordrane_resources}/ordrane.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${ORDRANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ordrane_resources}/icons/ordrane.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${ordrane_resources}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ordrane)
set(CPACK_PACKAGE_VENDOR "The Ordrane developers")
set(CPACK_PACKAGE_CONTACT "The Ordrane developers <${ORDRANE_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [=[Many MP3 players that play from a USB stick play the folders in the order in
which they were written to the stick. Ordrane has you build an ordered list of
album folders and copies them one after the other, each folder created and
filled before the next is begun, optionally numbering them on from the folders
already on the stick. It counts the mp3 files on the stick, estimates the free
space left, saves and recalls folder lists, and speaks English and Swedish.]=])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORDRANE_HOME_PAGE}")
# The libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# Installation as a desktop program and the Debian package.
#   cmake --install BUILD [--prefix DIR] [--strip]
#   cpack --config BUILD/CPackConfig.cmake -G DEB      (from the build folder: cpack -G DEB)
include(GNUInstallDirs)

install(TARGETS tlx4r RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tlx4r-desk)
  install(TARGETS tlx4r-desk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# Other SQLite tools load it by this path (".load /usr/lib/tlx4r/tlx4r"); a fixed folder rather
# than the multiarch one, so that the documented path holds on every installation.
install(TARGETS tlx4r_sqlite LIBRARY DESTINATION lib/tlx4r)

install(FILES dist/tlx4r-desk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/tlx4r.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES dist/tlx4r.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES dist/tlx4r-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tlx4r.xml)
install(FILES docs/user-guide.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME tlx4r)
set(CPACK_PACKAGE_VENDOR "Kelvora")
set(CPACK_PACKAGE_CONTACT "Kelvora Support <support@kelvora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Time and expense recording for Swiss law and notary offices")
set(CPACK_PACKAGE_DESCRIPTION
    "Records working time, fees, disbursements, appointments, documents, the notary tariff and VAT
entries in CHF against the projects of an office's client accounts, selects and totals them for
reports, exports project data and carries unbilled work into the accounting. A desktop program
(tlx4r-desk) and a command-line program (tlx4r).")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screen's platform plugin is not a library the programs link, so shlibdeps cannot find it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)

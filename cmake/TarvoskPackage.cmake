# The Debian package: "cpack -G DEB" in a Release build (scripts/package.sh does both).
# The libraries the program needs are read off the binary by dpkg-shlibdeps; only what
# it loads or uses without linking is named here.

set(CPACK_PACKAGE_NAME tarvosk)
set(CPACK_PACKAGE_VENDOR "Tarvosk")
set(CPACK_PACKAGE_CONTACT "Tarvosk maintainers <maintainers@users.noreply.c-seed-bdaf9539.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Charaktere für das Rollenspiel Valdris 1880 erschaffen")
set(CPACK_PACKAGE_DESCRIPTION
    "Der Valdris 1880 Character Creator führt Schritt für Schritt durch die Erschaffung eines\n"
    "Charakters für das Pen-and-Paper-Rollenspiel Valdris nach den Regeln der Welt von 1880.\n"
    "Der fertige Charakter wird zu einem einseitigen Datenblatt, das sich bearbeiten,\n"
    "mit Ausrüstung ergänzen, als .tvk-Datei speichern, drucken und als Word-Dokument\n"
    "ausgeben lässt.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The sheet's default font "Times New Roman" is drawn with Liberation Serif.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Qt's own dialogs in German, and Wayland without XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")

include(CPack)

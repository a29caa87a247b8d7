# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh
# builds a release and runs it) writes brelvane_<version>_<arch>.deb with
# everything desktop/install.cmake installs, under /usr.
set(CPACK_PACKAGE_NAME brelvane)
set(CPACK_PACKAGE_VENDOR "Brelvane Project")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "join several video files into one")
set(CPACK_PACKAGE_HOMEPAGE_URL https://brelvane.example.org)
set(CPACK_PACKAGE_CONTACT "Brelvane Project <support@brelvane.example.org>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build folder's programs carry debugging information a user never reads.
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Brelvane converts every input to one common format, several at once, and\n"
  "joins them in order into one output file with the chosen profile (MP4,\n"
  "AVI, MOV, WMV, FLV, MPEG-1, MPEG-2). Videos of one shape, such as a\n"
  "camera's chapter files, can be joined without re-encoding.\n"
  "\n"
  "The package holds the window (brelvane) and the command line front end\n"
  "(brelvane-cli), which share their profiles and preferences.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
# The libraries the programs link come from dpkg-shlibdeps; ffmpeg does every
# encoding the encoder asks for, and xdg-utils opens folders, files and the
# help page.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, xdg-utils")
# Qt's own catalogues translate the standard dialogs' buttons; the program's
# texts come with the package.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

# Purging the package also takes away what the program wrote into its own
# directory when an administrator ran it (preferences and temporary folder).
configure_file(${CMAKE_CURRENT_LIST_DIR}/postrm.in ${CMAKE_BINARY_DIR}/desktop/postrm @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/desktop/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)

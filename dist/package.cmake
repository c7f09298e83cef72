# The Debian package: `cpack -G DEB` in a Release build (build.sh package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarsel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarsel developers <tarsel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for the TZ-316 handheld radio")
# The extended description; CPack puts the summary first and indents these lines, and an empty
# line becomes Debian's paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tarsel reads the 16384-byte memory of the TZ-316 dual-band handheld radio
over its serial programming cable, edits its channels and radio-wide
functions, and writes it back. Set-ups are kept as data files.

The package holds the desktop program (tarsel), a command-line tool for the
same jobs and for programming several radios at once (tarsel-cli), and a
virtual radio on a pseudo-terminal for trying everything without hardware
(tarsel-radiosim). A udev rule gives the user at the desktop access to the
common USB serial adapters of programming cables.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarsel developers <tarsel@example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The Chinese texts need a font that has them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
include(CPack)

# `cpack -G DEB` in the build folder makes snapstorm_<version>-1_amd64.deb,
# installing under /usr; tests/packaging/install_test.sh has lintian check it.
set(CPACK_PACKAGE_NAME snapstorm)
set(CPACK_PACKAGE_VENDOR "The Snapstorm developers")
set(CPACK_PACKAGE_CONTACT "The Snapstorm developers <${SNAPSTORM_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of the long description stay within 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Three rows of ships sweep sideways and step down; steer a cannon, fire\n"
    "rockets, hide behind the homes and dodge the bombs. Its whole look and\n"
    "sound are designs made from your own photos, pictures and sounds in the\n"
    "built-in editor, and shared as ZIP files.")
# A package revision: the changelog then is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dependencies dpkg-shlibdeps cannot see: libzip is opened only when an
# archive is handled, fonts and the desktop's opener are used at run time,
# Qt's catalogue gives its own buttons and dialogs the player's language, and
# Qt's image plugins read WebP and TIFF pictures.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libzip4 (>= 1.7), fonts-liberation, fonts-dejavu-core, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_GENERATOR DEB)
include(CPack)

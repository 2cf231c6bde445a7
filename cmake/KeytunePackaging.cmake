# The Debian package: `cpack -G DEB` in the build folder writes
# keytune_<version>_<arch>.deb with the installed tree under /usr, the udev
# rule in /usr/lib/udev/rules.d, run-time dependencies computed by
# dpkg-shlibdeps (dpkg-dev) and a post-install step that reloads udev's rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keytune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Keytune developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the Velkor TX20 gaming keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Keytune remaps the keys of the Velkor TX20 USB RGB keyboard (to other keys, mouse buttons, \
media keys, keyboard functions or recorded macros), records and edits macros, sets the lighting \
effects or per-key colours with an animated preview, switches the keyboard's three on-board \
profiles and saves or loads the whole configuration as a profile file. Every change is written \
into the keyboard's own memory. A udev rule gives the logged-in user access to the keyboard, so \
Keytune never needs root; the virtual keyboard keytune-vkbd stands in for a missing keyboard.")
set(KEYTUNE_PACKAGE_MAINTAINER "Keytune developers <keytune@localhost>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KEYTUNE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The control archive takes maintainer scripts by their file names.
configure_file(${PROJECT_SOURCE_DIR}/data/keytune.postinst ${CMAKE_BINARY_DIR}/debian/postinst COPYONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package's prefix is /usr whatever the build's own install prefix. The
# DEB generator installs into its staging root through DESTDIR, so the rule's
# absolute path (udev's folder) lands inside the package, never on the
# building machine.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)

# What `cmake --install` puts where:
#   <prefix>/lib/keytune/                 the program folder, as staged in build/Keytune/
#   <prefix>/bin/keytune, keytune-cli, keytune-vkbd   launchers into the program folder
#   <prefix>/share/applications/keytune.desktop
#   <prefix>/share/icons/hicolor/         the application icon, 16x16 to 256x256 and scalable
#   <prefix>/share/metainfo/io.github.keytune.Keytune.metainfo.xml
#   udev's own rules folder                60-keytune.rules, whatever the prefix

# The date of the release that project(VERSION) names, for the AppStream metainfo.
set(KEYTUNE_RELEASE_DATE 2026-12-11)

# The program folder: copied as it is at install time, so whatever has been
# staged into it (executables, libHidServ.so, language files, Skins/, Help/)
# is installed, and executables keep their permissions.
install(DIRECTORY ${KEYTUNE_STAGE_DIR}/ DESTINATION lib/keytune USE_SOURCE_PERMISSIONS)

# Launchers: small scripts rather than symlinks, so the program runs from its
# real folder even when the tree has been moved (dpkg -x into a scratch root).
set(_launchers keytune-cli keytune-vkbd)
if(TARGET keytune)
  list(PREPEND _launchers keytune)
endif()
foreach(KEYTUNE_PROGRAM IN LISTS _launchers)
  configure_file(${PROJECT_SOURCE_DIR}/data/launcher.in
                 ${CMAKE_BINARY_DIR}/launchers/${KEYTUNE_PROGRAM} @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/launchers/${KEYTUNE_PROGRAM} DESTINATION bin)
endforeach()

# Desktop integration.
install(FILES ${PROJECT_SOURCE_DIR}/data/keytune.desktop DESTINATION share/applications)
configure_file(${PROJECT_SOURCE_DIR}/data/io.github.keytune.Keytune.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/metainfo/io.github.keytune.Keytune.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/metainfo/io.github.keytune.Keytune.metainfo.xml
        DESTINATION share/metainfo)
# The skin generator draws the icon tree at build time; until it exists the
# rest installs without it.
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor/ DESTINATION share/icons/hicolor OPTIONAL)

# udev reads rules only from its own folders (under /usr/lib and /etc), never
# from <prefix>/lib/udev for a prefix such as /usr/local, so the rule goes
# there whatever the prefix. On a merged-/usr system (/lib -> usr/lib, every
# Debian 12) a /lib path is written as /usr/lib, where packages put rules.
pkg_get_variable(_udevdir udev udevdir)
if(NOT _udevdir)
  set(_udevdir /usr/lib/udev)
elseif(_udevdir MATCHES "^/lib/" AND IS_SYMLINK /lib)
  file(REAL_PATH /lib _lib_target)
  if(_lib_target STREQUAL "/usr/lib")
    set(_udevdir /usr${_udevdir})
  endif()
endif()
set(KEYTUNE_UDEV_RULES_DIR ${_udevdir}/rules.d CACHE PATH
    "Where the udev rule is installed (a relative path is taken under the prefix)")
install(FILES ${PROJECT_SOURCE_DIR}/data/60-keytune.rules DESTINATION ${KEYTUNE_UDEV_RULES_DIR})

# The Debian package that scripts/package builds with CPack from the install
# of cmake/Install.cmake, plus what Debian asks of a package: copyright,
# changelog, maintainer scripts, lintian overrides.

set(MENUGERAL_PACKAGE_MAINTAINER "Menu Geral maintainers <menugeral@example.org>" CACHE STRING
    "Maintainer named in the Debian package and its changelog")

# Two versions that must not drift apart: the project's and the changelog's newest entry.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^menugeral \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: the newest entry is not version ${PROJECT_VERSION}: ${newest}")
endif()

set(debian_dir ${CMAKE_BINARY_DIR}/packaging/debian)
foreach(script postinst postrm)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/${script} ${debian_dir}/${script} @ONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog ${debian_dir}/changelog @ONLY)
menugeral_gzip(${debian_dir}/changelog menugeral-changelog)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright ${debian_dir}/changelog.gz
    DESTINATION ${menugeral_system_prefix}/share/doc/menugeral)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/lintian-overrides
    DESTINATION ${menugeral_system_prefix}/share/lintian/overrides RENAME menugeral)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME menugeral)
set(CPACK_PACKAGE_VENDOR "The Menu Geral developers")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Installed with DESTDIR, so that the files under /usr land in the package too.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MENUGERAL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "launcher for the modules of a management system
Menu Geral shows one window with a tile per module of a business
management system; a click starts the program configured for that module.
F12 opens the settings window, and the command menugeral configures the
modules from a shell (--check, --set, --unset), also over SSH.
.
The program lives in ${CMAKE_INSTALL_PREFIX}; its configuracoes.ini is a link to
${MENUGERAL_CONFIG_DIR}/configuracoes.ini, which members of the group
menugeral may change.")
# dpkg-shlibdeps finds the Qt 6 and C++ runtime libraries; the captions need these
# fonts, and Qt's standard dialogs their Brazilian Portuguese translation.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser, fonts-lato, fonts-dejavu-extra, fonts-liberation2, qt6-translations-l10n")
# Without an X display (a Wayland session without XWayland) the menu needs
# Qt's Wayland plugin; Windows modules (.exe) are started through wine.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${debian_dir}/postinst ${debian_dir}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

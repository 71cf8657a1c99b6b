# The Windows installer: CPack's NSIS generator, a 64-bit setup program.
#
# It installs into C:\MenuGeral, not under "Program Files": the menu keeps
# configuracoes.ini beside menugeral.exe, and the technician saves it there
# with F12 from an ordinary account. A folder made at the root of the system
# drive inherits "Authenticated Users: Modify", Program Files does not.
# There is no "run after install": the menu, and every module it opens, would
# run with the installer's elevated rights.
install(TARGETS menugeral RUNTIME DESTINATION . COMPONENT menu)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "MenuGeral")
set(CPACK_PACKAGE_VENDOR "QOR")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Menu Geral do Sistema")
set(CPACK_PACKAGE_FILE_NAME "MenuGeral-${PROJECT_VERSION}-win64-setup")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "MenuGeral")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "MenuGeral")
# A Start-menu shortcut "Menu Geral" to menugeral.exe.
set(CPACK_PACKAGE_EXECUTABLES "menugeral;Menu Geral")
# Only what the desk needs: the component "menu" (nothing of GoogleTest).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};MenuGeral;menu;/")

set(CPACK_NSIS_INSTALL_ROOT "C:")
set(CPACK_NSIS_PACKAGE_NAME "Menu Geral")
set(CPACK_NSIS_DISPLAY_NAME "Menu Geral")
set(CPACK_NSIS_INSTALLED_ICON_NAME "menugeral.exe")
set(CPACK_NSIS_MUI_ICON "${CMAKE_SOURCE_DIR}/resources/settings/users.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_SOURCE_DIR}/resources/settings/users.ico")
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The program without its symbols (the libraries: WindowsRuntime.cmake).
set(CPACK_STRIP_FILES TRUE)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The 64-bit stub: the program is 64-bit, and Wine without its 32-bit half
# cannot run a 32-bit setup program.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")

include(CPack)

# The Windows installer: CPack's NSIS generator, a 64-bit setup program.
#
# It installs into C:\MenuGeral, not under "Program Files": the menu keeps
# configuracoes.ini beside menugeral.exe, and the technician saves it there
# with F12 from an ordinary account. A folder made at the root of the system
# drive inherits "Authenticated Users: Modify", Program Files does not.
# There is no "run after install": the menu, and every module it opens, would
# run with the installer's elevated rights.
install(TARGETS menugeral RUNTIME DESTINATION . COMPONENT menu)

# The MSI's custom action (scripts/make-msi packs it into the MSI, not
# onto the desk): it checks a configuration given at install.
add_library(menugeral-msi-action MODULE ${CMAKE_SOURCE_DIR}/packaging/windows/ConfigFileAction.cpp)
menugeral_target_defaults(menugeral-msi-action)
set_target_properties(menugeral-msi-action PROPERTIES PREFIX "" OUTPUT_NAME menugeral-msi-action
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/msi AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
# Self-contained: the installer loads it where no MinGW runtime lies beside it.
target_link_options(menugeral-msi-action PRIVATE -static -s)
target_link_libraries(menugeral-msi-action PRIVATE msi)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "MenuGeral")
set(CPACK_PACKAGE_VENDOR "QOR")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Menu Geral do Sistema")
set(CPACK_PACKAGE_FILE_NAME "MenuGeral-${PROJECT_VERSION}-win64-setup")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "MenuGeral")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "MenuGeral")
# Only what the desk needs: the component "menu" (nothing of GoogleTest).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};MenuGeral;menu;/")

set(CPACK_NSIS_INSTALL_ROOT "C:")
set(CPACK_NSIS_PACKAGE_NAME "Menu Geral")
set(CPACK_NSIS_DISPLAY_NAME "Menu Geral")
set(CPACK_NSIS_INSTALLED_ICON_NAME "menugeral.exe")
set(CPACK_NSIS_MUI_ICON "${MENUGERAL_APP_ICON}")
set(CPACK_NSIS_MUI_UNIICON "${MENUGERAL_APP_ICON}")
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
# The older version is uninstalled by the install section itself, after the
# configuration given with /CONFIG= is checked (configuration.nsh).
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL OFF)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The program without its symbols (the libraries: WindowsRuntime.cmake).
set(CPACK_STRIP_FILES TRUE)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The 64-bit stub: the program is 64-bit, and Wine without its 32-bit half
# cannot run a 32-bit setup program.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode\n  !include FileFunc.nsh
  !include \"${CMAKE_SOURCE_DIR}/packaging/windows/configuration.nsh\"")
# The NSIS code below is written as NSIS reads it.
set(CPACK_VERBATIM_VARIABLES ON)

# The Start-menu shortcut, made here rather than from CPACK_PACKAGE_EXECUTABLES,
# which would point into a bin folder this layout does not have. It starts
# the menu in its own folder.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [=[
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Menu Geral.lnk" "$INSTDIR\menugeral.exe" "" "$INSTDIR\menugeral.exe" 0
]=])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [=[
  Delete "$SMPROGRAMS\$MUI_TEMP\Menu Geral.lnk"
]=])

# Before the files: the configuration given with /CONFIG= checked, then the
# older version removed. After them: the configuration copied.
string(CONFIGURE [=[
  !insertmacro MenuGeralCheckConfiguration
  !insertmacro MenuGeralRemoveOlder "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
]=] CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS @ONLY)
# What "Apps and features" shows and uses besides the template's entries:
# the folder, the size in KB, a silent uninstall, and the two flags as the
# numbers Windows reads (the template writes them as strings).
string(CONFIGURE [=[
  !insertmacro MenuGeralCopyConfiguration
  !define MENUGERAL_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
  WriteRegStr SHCTX "${MENUGERAL_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${MENUGERAL_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  ${GetSize} "$INSTDIR" "/S=0K /G=1" $0 $1 $2
  WriteRegDWORD SHCTX "${MENUGERAL_UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD SHCTX "${MENUGERAL_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${MENUGERAL_UNINSTALL_KEY}" "NoRepair" 1
]=] CPACK_NSIS_EXTRA_INSTALL_COMMANDS @ONLY)

include(CPack)

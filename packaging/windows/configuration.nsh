; The setup program's configuration given at install, for a technician who
; rolls the same configuracoes.ini out to every desk:
;   setup.exe /S /CONFIG=\\server\share\configuracoes.ini [/CONFIGOVERWRITE]
; The file is checked before anything on the desk changes; it is copied
; beside the program when the desk has no configuration yet, or when
; /CONFIGOVERWRITE asks to replace it. Needs FileFunc.nsh.

Var MenuGeralConfig
Var MenuGeralConfigOverwrite

; Before the files: an unreadable file ends the install with a message (in
; the log only, when silent) and exit code 2, with the desk as it was.
!macro MenuGeralCheckConfiguration
  ${GetParameters} $R0
  StrCpy $MenuGeralConfig ""
  StrCpy $MenuGeralConfigOverwrite ""
  ClearErrors
  ${GetOptions} $R0 "/CONFIGOVERWRITE" $R1
  IfErrors +2
    StrCpy $MenuGeralConfigOverwrite 1
  ClearErrors
  ${GetOptions} $R0 "/CONFIG=" $MenuGeralConfig
  StrCmp $MenuGeralConfig "" menugeral_config_checked
  ClearErrors
  FileOpen $R1 "$MenuGeralConfig" r
  IfErrors 0 menugeral_config_readable
    MessageBox MB_OK|MB_ICONSTOP "N${U+00E3}o foi poss${U+00ED}vel ler o arquivo de configura${U+00E7}${U+00E3}o indicado em /CONFIG: $MenuGeralConfig$\nNada foi instalado." /SD IDOK
    SetErrorLevel 2
    Quit
  menugeral_config_readable:
  FileClose $R1
  menugeral_config_checked:
!macroend

; The version installed before goes through its own uninstaller, which keeps
; configuracoes.ini; done here, after the check, so that a refused install
; leaves the older version in place.
!macro MenuGeralRemoveOlder UNINSTALL_KEY
  ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $R0 "" menugeral_older_removed
  IfFileExists "$R0\Uninstall.exe" 0 menugeral_older_removed
    ExecWait '"$R0\Uninstall.exe" /S _?=$R0'
  menugeral_older_removed:
!macroend

; After the files.
!macro MenuGeralCopyConfiguration
  StrCmp $MenuGeralConfig "" menugeral_config_copied
  StrCmp $MenuGeralConfigOverwrite 1 +2
  IfFileExists "$INSTDIR\configuracoes.ini" menugeral_config_copied
  ClearErrors
  CopyFiles /SILENT "$MenuGeralConfig" "$INSTDIR\configuracoes.ini"
  IfErrors 0 menugeral_config_copied
    MessageBox MB_OK|MB_ICONSTOP "N${U+00E3}o foi poss${U+00ED}vel copiar $MenuGeralConfig para $INSTDIR\configuracoes.ini." /SD IDOK
    SetErrorLevel 2
  menugeral_config_copied:
!macroend

; Tarvix-setup.exe: installs the shell extension and its help into Program Files\Tarvix,
; registers it, and writes an uninstaller that takes away everything the setup made.
;
;   makensis -DVERSION=1.0.0 -DDLL=<Tarvix.dll> -DHELP=<help folder> -DOUTFILE=<setup.exe> Tarvix.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Tarvix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvix"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Tarvix"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Tarvix"
  SetOutPath "$INSTDIR"
  File "${DLL}"
  SetOutPath "$INSTDIR\help"
  File /r "${HELP}\*.*"
  SetOutPath "$INSTDIR"

  ; regsvr32 in a process of its own: a DLL loaded here could not be deleted by the uninstaller.
  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\Tarvix.dll"' $0
  StrCmp $0 0 +2
    MessageBox MB_ICONSTOP "Tarvix.dll could not be registered." /SD IDOK

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tarvix.dll"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\Tarvix.dll"'
  ; Explorer may still hold the DLL; then it goes at the next start of Windows.
  Delete /REBOOTOK "$INSTDIR\Tarvix.dll"
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Tarvix-setup.exe: installs the shell extension and its help into Program Files\Tarvix,
; registers it, and writes an uninstaller that takes away everything the setup made.
;
;   makensis -DVERSION=1.0.0 -DDLL=<Tarvix.dll> -DHELP=<help folder> -DOUTFILE=<setup.exe>
;            [-DDLL32=<32-bit Tarvix.dll>] Tarvix.nsi
;
; The 32-bit DLL goes into the subfolder x86 and is registered by the 32-bit regsvr32 of a
; 64-bit Windows, for the file dialogs of 32-bit programs; where there is none, it is skipped.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Tarvix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvix"
!define REGSVR32_32 "$WINDIR\SysWOW64\regsvr32.exe"

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

!ifdef DLL32
  SetOutPath "$INSTDIR\x86"
  File "${DLL32}"
  SetOutPath "$INSTDIR"
  IfFileExists "${REGSVR32_32}" 0 +4
    ExecWait '"${REGSVR32_32}" /s "$INSTDIR\x86\Tarvix.dll"' $0
    StrCmp $0 0 +2
      MessageBox MB_ICONSTOP "The 32-bit Tarvix.dll could not be registered." /SD IDOK
!endif

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
  IfFileExists "$INSTDIR\x86\Tarvix.dll" 0 +3
    IfFileExists "${REGSVR32_32}" 0 +2
      ExecWait '"${REGSVR32_32}" /u /s "$INSTDIR\x86\Tarvix.dll"'
  Delete /REBOOTOK "$INSTDIR\x86\Tarvix.dll"
  RMDir /REBOOTOK "$INSTDIR\x86"
  ; Explorer may still hold the DLL; then it goes at the next start of Windows.
  Delete /REBOOTOK "$INSTDIR\Tarvix.dll"
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Tarvix-setup.exe: installs the shell extension, its help and its licence into
; Program Files\Tarvix, registers it, and writes an uninstaller that takes away everything the
; setup made.
;
;   makensis -DVERSION=1.0.0 -DDLL=<Tarvix.dll> -DHELP=<help folder> -DLICENSE=<LICENSE>
;            -DOUTFILE=<setup.exe> [-DDLL32=<32-bit Tarvix.dll>]
;            [-DPACKAGE=<Tarvix.msix> -DPACKAGE_SCRIPT=<Tarvix-package.ps1>
;             [-DTEST_CERTIFICATE=<Tarvix-test.cer>]] Tarvix.nsi
;
; The 32-bit DLL goes into the subfolder x86, with a help folder of its own beside it (each DLL
; opens the help next to itself), and is registered by the 32-bit regsvr32 of a 64-bit Windows,
; for the file dialogs of 32-bit programs; where there is none, it is skipped.
;
; Explorer keeps the DLL loaded. A loaded DLL can be neither replaced nor deleted, but it can be
; renamed: an upgrade and the uninstaller move it aside to Tarvix.dll.old-<n> and delete that
; file, at once or at the next start of Windows. A delete that waits for the next start thus
; never names Tarvix.dll itself, which a later setup may have installed again.
;
; On Windows 11 (build 22000 and later) the setup also registers Tarvix.msix, with the install
; folder as its external location, for every user of the machine: Windows 11 shows only
; packaged handlers in its first menu. A test-signed package's certificate is added to the
; machine's TrustedPeople store first. Should Windows refuse, the setup finishes all the same
; (the classic menu works) and says why in its details. The uninstaller removes the package,
; and the certificate the setup added, before the files.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include LogicLib.nsh

!define PRODUCT "Tarvix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvix"
!define REGSVR32_32 "$WINDIR\SysWOW64\regsvr32.exe"
!define POWERSHELL "$SYSDIR\WindowsPowerShell\v1.0\powershell.exe"
!define PACKAGE_COMMAND '"${POWERSHELL}" -NoProfile -NonInteractive -ExecutionPolicy Bypass -File "$INSTDIR\Tarvix-package.ps1"'

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
LicenseData "${LICENSE}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) the Tarvix authors. MIT License."

Page license
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

; MoveAside <file>: moves the file, if there is one, to <file>.old-<n> (the first free n) and
; deletes it there, now or, while a process holds it, at the next start of Windows. The error
; flag is set when the file is still in place.
!macro MOVE_ASIDE_FUNCTION PREFIX
Function ${PREFIX}MoveAside
  Exch $R0
  Push $R1
  ClearErrors
  ${If} ${FileExists} "$R0"
    StrCpy $R1 1
    ${DoWhile} ${FileExists} "$R0.old-$R1"
      IntOp $R1 $R1 + 1
    ${Loop}
    Rename "$R0" "$R0.old-$R1"
    ${IfNot} ${Errors}
      Delete /REBOOTOK "$R0.old-$R1"
      ClearErrors
    ${EndIf}
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro MOVE_ASIDE_FUNCTION ""
!insertmacro MOVE_ASIDE_FUNCTION "un."

; IsWindows11: pushes 1 on Windows 11 (build 22000 and later), else 0. The build number is the
; registry's, which Windows keeps true whatever compatibility a program asks for.
!macro IS_WINDOWS_11_FUNCTION PREFIX
Function ${PREFIX}IsWindows11
  Push $R0
  ReadRegStr $R0 HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion" "CurrentBuildNumber"
  IntOp $R0 $R0 + 0
  ${If} $R0 >= 22000
    StrCpy $R0 1
  ${Else}
    StrCpy $R0 0
  ${EndIf}
  Exch $R0
FunctionEnd
!macroend
!insertmacro IS_WINDOWS_11_FUNCTION ""
!insertmacro IS_WINDOWS_11_FUNCTION "un."

; The certificate argument of Tarvix-package.ps1 for a test-signed package.
!ifdef TEST_CERTIFICATE
  !define CERTIFICATE_ARGUMENT ' -Certificate "$INSTDIR\Tarvix-test.cer"'
!else
  !define CERTIFICATE_ARGUMENT ''
!endif

; Puts Tarvix.dll into FOLDER while an older one may be loaded. Should the old file not even
; move aside, the new one waits beside it as Tarvix.dll.new and replaces it at the next start.
!macro INSTALL_DLL SOURCE FOLDER
  Delete "${FOLDER}\Tarvix.dll.old-*" ; those no process holds any more
  Push "${FOLDER}\Tarvix.dll"
  Call MoveAside
  ${If} ${Errors}
    File "/oname=${FOLDER}\Tarvix.dll.new" "${SOURCE}"
    Rename /REBOOTOK "${FOLDER}\Tarvix.dll.new" "${FOLDER}\Tarvix.dll"
    DetailPrint "${FOLDER}\Tarvix.dll is in use: it is replaced at the next start of Windows."
  ${Else}
    File "/oname=${FOLDER}\Tarvix.dll" "${SOURCE}"
  ${EndIf}
!macroend

Section "Tarvix"
  SetOutPath "$INSTDIR"
  !insertmacro INSTALL_DLL "${DLL}" "$INSTDIR"
  File "/oname=LICENSE.txt" "${LICENSE}"
  SetOutPath "$INSTDIR\help"
  File /r "${HELP}\*.*"
  SetOutPath "$INSTDIR"

  ; regsvr32 in a process of its own: a DLL loaded here could not be deleted by the uninstaller.
  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\Tarvix.dll"' $0
  ${If} $0 != 0
    MessageBox MB_ICONSTOP "Tarvix.dll could not be registered." /SD IDOK
  ${EndIf}

!ifdef DLL32
  SetOutPath "$INSTDIR\x86"
  !insertmacro INSTALL_DLL "${DLL32}" "$INSTDIR\x86"
  SetOutPath "$INSTDIR\x86\help"
  File /r "${HELP}\*.*"
  SetOutPath "$INSTDIR"
  ${If} ${FileExists} "${REGSVR32_32}"
    ExecWait '"${REGSVR32_32}" /s "$INSTDIR\x86\Tarvix.dll"' $0
    ${If} $0 != 0
      MessageBox MB_ICONSTOP "The 32-bit Tarvix.dll could not be registered." /SD IDOK
    ${EndIf}
  ${EndIf}
!endif

!ifdef PACKAGE
  File "/oname=Tarvix.msix" "${PACKAGE}"
  File "/oname=Tarvix-package.ps1" "${PACKAGE_SCRIPT}"
!ifdef TEST_CERTIFICATE
  File "/oname=Tarvix-test.cer" "${TEST_CERTIFICATE}"
!endif
  Call IsWindows11
  Pop $0
  ${If} $0 == 1
    DetailPrint "Registering Tarvix for the first menu of Windows 11..."
    nsExec::ExecToLog '${PACKAGE_COMMAND} -Register -Package "$INSTDIR\Tarvix.msix" -ExternalLocation "$INSTDIR"${CERTIFICATE_ARGUMENT}'
    Pop $0
    ${If} $0 == 0
      DetailPrint "Tarvix is in the first menu of Windows 11 (Explorer may need a restart first)."
    ${Else}
      DetailPrint "Windows 11 did not register Tarvix for its first menu (exit code $0); Tarvix is in the full menu, under Show more options."
    ${EndIf}
  ${EndIf}
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
  ${If} ${FileExists} "$INSTDIR\Tarvix-package.ps1"
    Call un.IsWindows11
    Pop $0
    ${If} $0 == 1
      ${If} ${FileExists} "$INSTDIR\Tarvix-test.cer"
        nsExec::ExecToLog '${PACKAGE_COMMAND} -Unregister -Certificate "$INSTDIR\Tarvix-test.cer"'
      ${Else}
        nsExec::ExecToLog '${PACKAGE_COMMAND} -Unregister'
      ${EndIf}
      Pop $0
      ${If} $0 != 0
        DetailPrint "Windows 11 did not remove the Tarvix package (exit code $0); Get-AppxPackage -AllUsers -Name Tarvix.ContextMenu shows it."
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\Tarvix.msix"
  Delete "$INSTDIR\Tarvix-package.ps1"
  Delete "$INSTDIR\Tarvix-test.cer"
  Delete "$INSTDIR\Tarvix-test.cer.added"
  ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\Tarvix.dll"'
  ${If} ${FileExists} "$INSTDIR\x86\Tarvix.dll"
  ${AndIf} ${FileExists} "${REGSVR32_32}"
    ExecWait '"${REGSVR32_32}" /u /s "$INSTDIR\x86\Tarvix.dll"'
  ${EndIf}
  ; Explorer may still hold a DLL; the file it holds then goes at the next start of Windows.
  Delete "$INSTDIR\x86\Tarvix.dll.old-*"
  Push "$INSTDIR\x86\Tarvix.dll"
  Call un.MoveAside
  RMDir /r "$INSTDIR\x86\help"
  RMDir /REBOOTOK "$INSTDIR\x86"
  Delete "$INSTDIR\Tarvix.dll.old-*"
  Push "$INSTDIR\Tarvix.dll"
  Call un.MoveAside
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

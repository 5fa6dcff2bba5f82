; The Brindlecove Builder's installer. scripts/release.sh passes BC_VERSION,
; BC_OUTPUT (the installer to write), BC_STAGE (the builder's folder to install)
; and BC_LISTS (a folder with the lists it made from them: removed_files.nsh,
; builder_made.nsh).
Unicode true
SetCompressor /SOLID lzma
; Installing into Program Files and under HKLM needs an administrator.
RequestExecutionLevel admin

!include "${BC_LISTS}\builder_made.nsh"

!define PRODUCT "Brindlecove Builder"
!define PUBLISHER "Vantrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlecove"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT} ${BC_VERSION}"
OutFile "${BC_OUTPUT}"
; The folder that the builder's Build message names.
InstallDir "$PROGRAMFILES\Vantrel\Brindlecove"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${BC_VERSION}"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} Setup"
VIAddVersionKey FileVersion "${BC_VERSION}"
VIAddVersionKey ProductVersion "${BC_VERSION}"
VIAddVersionKey LegalCopyright "Copyright (C) 2026 Brindlecove"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ; Shortcut and uninstall entry for every user of the desktop.
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File /r "${BC_STAGE}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Brindlecove.exe" "" "$INSTDIR\Brindlecove.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${BC_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brindlecove.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !include "${BC_LISTS}\removed_files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Projects' packages and the files of the last build are the user's work:
  ; they go only when the user says so, and a silent uninstall keeps them.
  IfSilent keep_builder_made
  !insertmacro FindBuilderMade
  StrCmp $0 "" keep_builder_made
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "The builder made packages and build files in $INSTDIR.$\r$\nRemove them too?" \
    /SD IDNO IDNO keep_builder_made
  !insertmacro RemoveBuilderMade
  keep_builder_made:
  ; Only empty folders go; Vantrel's folder may hold other programs.
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
SectionEnd

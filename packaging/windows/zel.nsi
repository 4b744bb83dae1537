; The ZEL installer for 64-bit Windows. Made by the windows_installer target
; (packaging/CMakeLists.txt) from the install tree of the Windows build:
;   makensis -DVERSION=2.0.1 -DFILES=<install tree> -DICON=zel.ico -DOUTFILE=<setup.exe> zel.nsi
; Silent use: setup.exe /S [/D=C:\Other\Folder]; uninstall.exe /S.

Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define SETTINGS_KEY "SOFTWARE\Nurvek\Torva"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEL"

Name "ZEL ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ZEL"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "ZEL ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "ZEL"
VIAddVersionKey /LANG=0 "CompanyName" "Nurvek"
VIAddVersionKey /LANG=0 "FileDescription" "ZEL ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Nurvek"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Bulgarian"

; Adds to the access rules of a file or registry object the explicit rule
; SDDL_ACE (an SDDL ACE string), keeping the rules it inherits from its parent.
; Well-known SIDs (BU, the local Users group) are used rather than names,
; which differ with the language of Windows. A failure is shown (and noted in
; the exit code, also in silent mode) but does not undo the installation.
!macro GrantAccess OBJECT TYPE SDDL_ACE
  Push $0
  Push $1
  Push $2
  Push $3
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "D:${SDDL_ACE}", i 1, *p .r1, p 0) i .r0'
  ${If} $0 <> 0
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r3, *p .r2, *i .r3) i .r0'
    ${If} $0 <> 0
      ; DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION: the
      ; given rule replaces the explicit ones (a new object has none), the
      ; inherited ones stay.
      System::Call 'advapi32::SetNamedSecurityInfoW(w "${OBJECT}", i ${TYPE}, i 0x20000004, p 0, p 0, p r2, p 0) i .r0'
    ${Else}
      StrCpy $0 "GetSecurityDescriptorDacl"
    ${EndIf}
    System::Call 'kernel32::LocalFree(p r1)'
  ${Else}
    StrCpy $0 "SDDL"
  ${EndIf}
  ${If} $0 != 0
    DetailPrint "Access rights of ${OBJECT} not set: $0"
    MessageBox MB_ICONEXCLAMATION "Правата за достъп до ${OBJECT} не са зададени ($0)." /SD IDOK
    SetErrorLevel 3
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
!macroend

Function .onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "ZEL"
  SetOutPath "$INSTDIR"
  File /r "${FILES}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The data folder, shared by the users of the machine: each of them may
  ; change and replace the files another one saved (Modify, 0x1301bf).
  CreateDirectory "$DOCUMENTS\ZEL"
  !insertmacro GrantAccess "$DOCUMENTS\ZEL" 1 "(A;OICI;0x1301bf;;;BU)"

  ; The program works in the folder it is started from: the shortcut's
  ; working folder (the output path at its creation) is the data folder.
  SetOutPath "$DOCUMENTS\ZEL"
  CreateShortCut "$SMPROGRAMS\ZEL.lnk" "$INSTDIR\zel.exe" "" "$INSTDIR\zel.exe" 0 SW_SHOWNORMAL "" \
    "Заплати по банков път"
  SetOutPath "$INSTDIR"

  ; The company data is machine-wide, under HKEY_LOCAL_MACHINE, where only an
  ; administrator may write unless the key says otherwise: the local Users
  ; get read and write (KEY_READ | KEY_WRITE, what the program opens it with).
  ; An empty key cannot be written directly: a default value is written and
  ; taken away again; the company's values of an earlier installation stay.
  WriteRegStr HKLM "${SETTINGS_KEY}" "" ""
  DeleteRegValue HKLM "${SETTINGS_KEY}" ""
  !insertmacro GrantAccess "MACHINE\${SETTINGS_KEY}" 4 "(A;CI;KRKW;;;BU)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "ZEL"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Nurvek"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Takes away what the installer put down, by name, so that a folder chosen by
; the user keeps whatever else it holds. The data folder and the company data
; stay: they are the user's.
Section "Uninstall"
  Delete "$SMPROGRAMS\ZEL.lnk"
  Delete "$INSTDIR\zel.exe"
  Delete "$INSTDIR\*.dll"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

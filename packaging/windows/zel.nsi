; The ZEL installer for 64-bit Windows. Made by the windows_installer target
; (packaging/CMakeLists.txt) from the install tree of the Windows build:
;   makensis -DVERSION=2.0.1 -DFILES=<install tree> -DFILE_LIST=<installed-files.nsh>
;            -DICON=zel.ico -DOUTFILE=<setup.exe> zel.nsi
; Silent use: setup.exe /S [/D=C:\Other\Folder]; uninstall.exe /S.
; Exit codes besides 0: 3 access rights not set; 4 ZEL is running, nothing
; done; 5 (uninstaller) files of the program could not be deleted, the
; uninstaller and its entry kept. The uninstaller copies itself away and ends
; at once unless started with _?=<installation folder>, so only then does
; its exit code tell.

Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define SETTINGS_KEY "SOFTWARE\Nurvek\Torva"
; The mutex ZEL holds while it runs, in its session and in the global namespace.
!define RUNNING_MUTEX "ZEL-Nurvek-Torva"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEL"
; The program's files by name (DeleteInstalledFiles, RemoveInstalledFolders)
; and their size (INSTALLED_SIZE_KB), from installed-files.cmake.
!include "${FILE_LIST}"

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

; Sets $0 to 1 when the mutex NAME exists. One made by another user's ZEL
; may refuse us access: it exists all the same.
!macro MutexExists NAME
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${NAME}") p .r1 ?e'
  Pop $2
  ${If} $1 P<> 0
    System::Call 'kernel32::CloseHandle(p r1)'
    StrCpy $0 1
  ${ElseIf} $2 = 5
    StrCpy $0 1
  ${EndIf}
!macroend

; Files in use cannot be replaced or deleted: while ZEL runs, in any session,
; the user is asked to close it; cancelled (silently: at once), nothing is done.
!macro WaitForZelClosed UN
Function ${UN}WaitForZelClosed
  Push $0
  Push $1
  Push $2
  check:
    StrCpy $0 0
    !insertmacro MutexExists "${RUNNING_MUTEX}"
    !insertmacro MutexExists "Global\${RUNNING_MUTEX}"
    ${If} $0 = 1
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "ZEL е отворена. Затворете програмата (и при другите потребители на компютъра) и опитайте отново." \
        /SD IDCANCEL IDRETRY check
      SetErrorLevel 4
      Quit
    ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro WaitForZelClosed ""
!insertmacro WaitForZelClosed "un."

Function .onInit
  SetShellVarContext all
  SetRegView 64
  Call WaitForZelClosed
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
  Call un.WaitForZelClosed
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
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Takes away what the installer put down, by name, so that a folder chosen by
; the user keeps whatever else it holds. The data folder and the company data
; stay: they are the user's. The uninstaller and its entry go last, and only
; when every file of the program is gone (one in use, say by a ZEL started
; meanwhile or by an older one that sets no mutex, resists): the program is
; never left on the disk without a way to uninstall it.
Section "Uninstall"
  ClearErrors
  !insertmacro DeleteInstalledFiles
  IfErrors kept
  Delete "$INSTDIR\uninstall.exe"
  IfErrors kept
  Delete "$SMPROGRAMS\ZEL.lnk"
  !insertmacro RemoveInstalledFolders
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Return
kept:
  DetailPrint "Files in $INSTDIR could not be deleted: the uninstaller and its entry are kept"
  MessageBox MB_ICONSTOP \
    "Някои файлове на ZEL в $INSTDIR не могат да бъдат изтрити. Затворете ZEL и деинсталирайте отново." \
    /SD IDOK
  SetErrorLevel 5
  Abort
SectionEnd

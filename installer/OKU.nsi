; OKU's Windows installer and uninstaller, built on Debian by makensis (see installer/CMakeLists.txt).
;
; The build passes the defines below; nothing here repeats the version or a path.
;   OKU_VERSION       1.3.9        DisplayVersion and the setup's name
;   OKU_FILE_VERSION  1.3.0.9      the setup's version resource, numbered like OKU.exe's
;   OKU_SITE_URL      the maker's web site
;   OKU_EXE_X64       the OKU.exe for 64-bit Windows
;   OKU_EXE_X86       the OKU.exe for 32-bit Windows
;   OKU_ICON          the icon the build draws, for setup, uninstaller and Add/Remove Programs
;   OKU_OUTFILE       where the setup goes
;   OKU_SETUP_TARGET  x86-unicode for the setup; the installer test builds an amd64-unicode twin,
;                     because the build machine's Wine runs no 32-bit programs
;
; Command line (besides NSIS's own /S and /D=folder, which comes last):
;   /AllUsers     install for every user (Program Files, HKLM); needs an administrator
;   /CurrentUser  install for the current user only (the user's Programs folder, HKCU)
; Interactively the user chooses (all users when allowed); a silent setup installs for the
; current user unless /AllUsers is given, so unattended runs never need elevation.
;
; Exit codes: 0 done, 1 cancelled by the user, 2 not possible (for example /AllUsers without
; the rights), 3 OKU is running and was left alone. The uninstall commands that the setup
; registers return the same codes once OKU is removed (see un.RemoveUninstaller).
;
; The setup itself is a 32-bit program, so that it runs on every Windows that OKU is for; it
; installs the exe that fits the machine: the 64-bit one on 64-bit Windows, the 32-bit one elsewhere.

!ifdef OKU_VERSION & OKU_FILE_VERSION & OKU_SITE_URL & OKU_EXE_X64 & OKU_EXE_X86 & OKU_ICON & OKU_OUTFILE & OKU_SETUP_TARGET
!else
  !error "Build the setup through CMake (it passes OKU_VERSION, the exes and the other paths)."
!endif

Target ${OKU_SETUP_TARGET}
!if "${OKU_SETUP_TARGET}" == "amd64-unicode"
  !pragma warning disable 6012  ; in a 64-bit program ${RunningX64} is constant: its other branch goes unused
!endif
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT_NAME "OKU (Okumatic)"
!define PUBLISHER "Quillon"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OKU"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "OKU.lnk"
; OKU holds this mutex while it runs; it exists for setups like this one.
!define OKU_MUTEX "QLN_OKU"
!define SYNCHRONIZE 0x00100000

!define EXIT_CANCELLED 1
!define EXIT_NOT_POSSIBLE 2
!define EXIT_OKU_RUNNING 3

Name "${PRODUCT_NAME}"
OutFile "${OKU_OUTFILE}"
BrandingText "OKU ${OKU_VERSION}"

VIProductVersion "${OKU_FILE_VERSION}"
VIFileVersion "${OKU_FILE_VERSION}"
VIAddVersionKey "ProductName" "Okumatic"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "OKU ${OKU_VERSION} Setup"
VIAddVersionKey "FileVersion" "${OKU_VERSION}"
VIAddVersionKey "ProductVersion" "${OKU_VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

; ---- Install modes ----------------------------------------------------------------------------
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "OKU"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INIT_FUNCTIONQUIT QuitNotPossible
!define MULTIUSER_INIT_un.FUNCTIONQUIT un.QuitNotPossible
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define MUI_ICON "${OKU_ICON}"
!define MUI_UNICON "${OKU_ICON}"
!define MUI_ABORTWARNING

!define MULTIUSER_PAGE_CUSTOMFUNCTION_LEAVE KeepCommandLineDir
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

LangString OkuRunning ${LANG_ENGLISH} "OKU is running. Please close OKU (its window and its icon in the notification area), then press Retry.$\r$\n$\r$\nPress Cancel to leave OKU as it is."
LangString OkuRunningLog ${LANG_ENGLISH} "OKU is running; nothing was changed."

; ---- Shared by setup and uninstaller (un. prefix) ----------------------------------------------
!macro OkuShared UN
  ; Pushes 1 once OKU is not running, 0 when it runs and the user cancelled (or the run is silent:
  ; a silent run has nobody to ask and must not replace a running exe).
  Function ${UN}OkuClosed
    Push $0
    check:
      System::Call 'kernel32::OpenMutexA(i ${SYNCHRONIZE}, i 0, m "${OKU_MUTEX}") p .r0'
      ${If} $0 P= 0
        Pop $0
        Push 1
        Return
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
      ${IfNot} ${Silent}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(OkuRunning)" IDRETRY check
      ${EndIf}
    Pop $0
    Push 0
  FunctionEnd

  ; A 32-bit process on 64-bit Windows sees a registry of its own for 32-bit programs: the
  ; 64-bit OKU's entry belongs in the system's own view.
  Function ${UN}UseSystemRegistryView
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
  FunctionEnd

  ; Before any page: a running OKU ends the run here, with the exit code that says why.
  Function ${UN}QuitUnlessOkuClosed
    Call ${UN}OkuClosed
    Exch $0
    ${If} $0 = 0
      ${If} ${Silent}
        SetErrorLevel ${EXIT_OKU_RUNNING}
      ${Else}
        SetErrorLevel ${EXIT_CANCELLED}
      ${EndIf}
      Quit
    ${EndIf}
    Pop $0
  FunctionEnd

  ; Just before files change (OKU may have been started while the pages were shown).
  Function ${UN}AbortUnlessOkuClosed
    Call ${UN}OkuClosed
    Exch $0
    ${If} $0 = 0
      DetailPrint "$(OkuRunningLog)"
      SetErrorLevel ${EXIT_OKU_RUNNING}
      Abort
    ${EndIf}
    Pop $0
  FunctionEnd

  Function ${UN}QuitNotPossible
    SetErrorLevel ${EXIT_NOT_POSSIBLE}
    Quit
  FunctionEnd

  ; The mode code refuses /AllUsers without the rights through a message box, which a silent run
  ; would leave waiting for nobody: refuse it here first, with the exit code alone.
  Function ${UN}QuitIfSilentAllUsersNotAllowed
    ${IfNot} ${Silent}
      Return
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${If} ${Errors}
      Return
    ${EndIf}
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
    ${AndIf} $0 != "Power"
      Call ${UN}QuitNotPossible
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro OkuShared ""
!insertmacro OkuShared "un."

; ---- Setup ------------------------------------------------------------------------------------
Var CommandLineDir

; Choosing a mode sets that mode's default folder, which must not override one given by /D=.
Function KeepCommandLineDir
  ${If} $CommandLineDir != ""
    StrCpy $INSTDIR $CommandLineDir
  ${EndIf}
FunctionEnd

Function .onInit
  ; There is no InstallDir, so $INSTDIR holds a folder here only when /D= gave one.
  StrCpy $CommandLineDir $INSTDIR
  Call UseSystemRegistryView
  Call QuitIfSilentAllUsersNotAllowed
  !insertmacro MULTIUSER_INIT
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${If} ${Errors}
      Call MultiUser.InstallMode.CurrentUser
    ${EndIf}
  ${EndIf}
  Call KeepCommandLineDir
  Call QuitUnlessOkuClosed
FunctionEnd

Section "OKU" SecOKU
  SectionIn RO
  Call AbortUnlessOkuClosed

  SetOutPath "$INSTDIR"
  ; A file that cannot be written fails the setup (a silent run would otherwise skip it quietly).
  AllowSkipFiles off
  ${If} ${RunningX64}
    File "/oname=OKU.exe" "${OKU_EXE_X64}"
  ${Else}
    File "/oname=OKU.exe" "${OKU_EXE_X86}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\OKU.exe" "" "$INSTDIR\OKU.exe" 0 \
      SW_SHOWNORMAL "" "${PRODUCT_NAME}"

  ; Add/Remove Programs, in the hive of the chosen mode (SHCTX follows SetShellVarContext).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${OKU_VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\OKU.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${OKU_SITE_URL}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; The mode travels with the command, so the uninstaller cleans the same hive and Start menu.
  ; _?= (always last) runs the uninstaller where it is instead of handing over to a copy of itself
  ; and returning at once, so whoever starts the command waits for the uninstall and gets its
  ; exit code.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
      '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode _?=$INSTDIR'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
      '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S _?=$INSTDIR'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; Only our two files count: the folder may hold files of the user's (a directory listing).
  ${GetSize} "$INSTDIR" "/M=OKU.exe /S=0B /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0B /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  IntOp $0 $0 + 1023
  IntOp $0 $0 / 1024
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

  SetOutPath "$TEMP"   ; not left as the current folder of anything we start
SectionEnd

; ---- Uninstaller ------------------------------------------------------------------------------
; Run by hand without /AllUsers or /CurrentUser, it takes the mode whose uninstall entry points
; at its own folder.
Function un.PickModeFromEntry
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ${GetOptions} $0 "/CurrentUser" $1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == $INSTDIR
    Call un.MultiUser.InstallMode.CurrentUser
  ${ElseIf} $2 == $INSTDIR
  ${AndIf} $MultiUser.InstallMode != "AllUsers"
    Call un.QuitNotPossible   ; an all-users copy needs an administrator
  ${EndIf}
FunctionEnd

; The registered commands start the uninstaller in place (_?=), so that their caller waits for it.
; A running program cannot delete its own file (NSIS even keeps it open): a copy of it in the
; temporary folder waits for this one to end, then deletes it and the emptied folder. Started by
; hand without _?=, the uninstaller already runs as such a copy and deletes the file itself.
Function un.RemoveUninstaller
  ClearErrors
  Delete "$INSTDIR\${UNINSTALLER}"
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  GetTempFileName $0
  CopyFiles /SILENT "$EXEPATH" $0
  Exec '"$0" /RemoveUninstaller /S _?=$INSTDIR'
  ; As NSIS does with its own copy: gone at the next restart, when the rights allow.
  Delete /REBOOTOK $0
  SetRebootFlag false
FunctionEnd

; The copy's whole run (/RemoveUninstaller): waits, within limits, for the uninstaller to end.
Function un.RemoveUninstallerOnceEnded
  StrCpy $1 0
  retry:
    IfFileExists "$INSTDIR\${UNINSTALLER}" 0 gone
    Delete "$INSTDIR\${UNINSTALLER}"
    Sleep 100
    IntOp $1 $1 + 1
    IntCmp $1 300 gone retry gone   ; 30 s at most
  gone:
  RMDir "$INSTDIR"   ; only when empty
  Quit
FunctionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveUninstaller" $1
  ${IfNot} ${Errors}
    Call un.RemoveUninstallerOnceEnded
  ${EndIf}
  Call un.UseSystemRegistryView
  Call un.QuitIfSilentAllUsersNotAllowed
  !insertmacro MULTIUSER_UNINIT
  Call un.PickModeFromEntry
  Call un.QuitUnlessOkuClosed
FunctionEnd

; Removes what the setup wrote and nothing else: OKU keeps no settings, and the Send To
; shortcuts and directory listings a user made with it are the user's own.
Section "Uninstall"
  Call un.AbortUnlessOkuClosed

  ClearErrors
  Delete "$INSTDIR\OKU.exe"
  ${If} ${Errors}
    DetailPrint "$(OkuRunningLog)"
    SetErrorLevel ${EXIT_OKU_RUNNING}
    Abort
  ${EndIf}
  Delete "$SMPROGRAMS\${SHORTCUT}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  SetOutPath "$TEMP"   ; a folder cannot go while it is the current one (of us or the copy)
  Call un.RemoveUninstaller
  RMDir "$INSTDIR"     ; only when empty
SectionEnd

; The Kestrun installer for 64-bit Windows, built by package.cmake:
;   makensis -DVERSION=... -DSOURCE=<program folder> -DOUTFILE=<setup.exe>
;            -DLICENSE=<agreement with a BOM> -DICON=<kestrun.ico>
;            -DFILE_LIST=<uninstall list> kestrun.nsi
; Installs for the current user or, with administrator rights, for all users;
; adds a Start-menu shortcut and an uninstaller, and opens .cmdat projects in
; Kestrun. "/CurrentUser" or "/AllUsers" and "/S" choose without asking.
; A 64-bit installer for a 64-bit program: it runs wherever Kestrun can.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrun"
!define PROJECT_CLASS "Kestrun.Project"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Kestrun"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

Name "Kestrun"
OutFile "${OUTFILE}"
BrandingText "Kestrun ${VERSION}"
VIProductVersion "${WINDOWS_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Kestrun"
VIAddVersionKey /LANG=0 "FileDescription" "Kestrun ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Kestrun developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartKestrunAsUser
!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(KEEP_SETTINGS)"

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback; the other follows the user's Windows.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString KEEP_SETTINGS ${LANG_ENGLISH} \
    "Kestrun will be removed. Your settings stay in %LOCALAPPDATA%\kestrun\kestrun_free.json; delete that folder by hand to remove them too."
LangString KEEP_SETTINGS ${LANG_JAPANESE} \
    "Kestrun を削除します。設定は %LOCALAPPDATA%\kestrun\kestrun_free.json に残ります。設定も消すには、そのフォルダーを手で削除してください。"

; The installer may run elevated (a per-machine install); Explorer starts the
; program with the rights of the user it runs for, not the installer's.
Function StartKestrunAsUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\kestrun.exe"'
FunctionEnd

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Kestrun"
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut starts Kestrun in its folder, where it finds image\.
    CreateShortcut "$SMPROGRAMS\Kestrun.lnk" "$INSTDIR\kestrun.exe"

    ; SHCTX is HKLM for all users and HKCU for the current user.
    WriteRegStr SHCTX "Software\Classes\.cmdat" "" "${PROJECT_CLASS}"
    WriteRegStr SHCTX "Software\Classes\${PROJECT_CLASS}" "" "Kestrun project"
    WriteRegStr SHCTX "Software\Classes\${PROJECT_CLASS}\DefaultIcon" "" "$INSTDIR\kestrun.exe,0"
    WriteRegStr SHCTX "Software\Classes\${PROJECT_CLASS}\shell\open\command" "" \
        '"$INSTDIR\kestrun.exe" "%1"'
    ; SHCNE_ASSOCCHANGED: Explorer shows the new association at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Kestrun"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Kestrun"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrun.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    ; In KiB, as Apps & features shows it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Kestrun.lnk"

    ; Only what was installed goes: the folder may have been chosen by hand
    ; and hold other files.
    !include "${FILE_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    ReadRegStr $0 SHCTX "Software\Classes\.cmdat" ""
    ${If} $0 == "${PROJECT_CLASS}"
        DeleteRegKey SHCTX "Software\Classes\.cmdat"
    ${EndIf}
    DeleteRegKey SHCTX "Software\Classes\${PROJECT_CLASS}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; The settings are the user's, and stay.
    DetailPrint "$(KEEP_SETTINGS)"
SectionEnd

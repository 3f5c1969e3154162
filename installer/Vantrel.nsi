; The Windows installer: per user, no administrator rights, into %LOCALAPPDATA%\Programs\Vantrel.
; Built by scripts/release.sh with makensis (Debian's nsis package):
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DSTAGE=<folder with Vantrel.exe, skins, lang>
;            -DOUTFILE=<installer path> installer/Vantrel.nsi
; The user's data folder (%APPDATA%\GamingMouseData20250627A) is never touched.

; The program is x86-64 only, and so is the installer (it also runs where no 32-bit layer is).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "installer_V${VERSION}.exe"
!endif

!define PRODUCT "Vantrel"
!define PUBLISHER "Vantrel"
!define EXE "Vantrel.exe"
!define UNINSTALLER "uninstall.exe"
; The running program's main window (its single-instance class).
!define WINDOW_CLASS "GamingMouse_QVR"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
; Shared with the program's own "Start with Windows" item: same key, name and data.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Vantrel"
!define DATA_FOLDER "GamingMouseData20250627A"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
; Reproducible: no build time in the header.
SetDateSave off
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

!define MUI_ICON "${STAGE}\vantrel.ico"
!define MUI_UNICON "${STAGE}\vantrel.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString TextProgram ${LANG_ENGLISH} "Vantrel (required)"
LangString TextProgram ${LANG_SIMPCHINESE} "Vantrel（必需）"
LangString TextAutostart ${LANG_ENGLISH} "Start with Windows"
LangString TextAutostart ${LANG_SIMPCHINESE} "开机时启动"
LangString ClosingProgram ${LANG_ENGLISH} "Closing the running Vantrel..."
LangString ClosingProgram ${LANG_SIMPCHINESE} "正在关闭运行中的 Vantrel..."
LangString StillRunning ${LANG_ENGLISH} "Vantrel is still running. Close it from its tray icon, then choose Retry."
LangString StillRunning ${LANG_SIMPCHINESE} "Vantrel 仍在运行。请从托盘图标退出它，然后选择“重试”。"

Var ClosedRunning

; --- the program's language: its LanSetting.ini in the data folder, English without one ---

!macro ChooseLanguage
  StrCpy $LANGUAGE ${LANG_ENGLISH}
  ClearErrors
  FileOpen $0 "$APPDATA\${DATA_FOLDER}\config\LanSetting.ini" r
  ${IfNot} ${Errors}
    StrCpy $2 ""
    FileReadUTF16LE $0 $1
    ${IfNot} ${Errors}
      ; a line ends with its LF only; a CR stays, as the program reads it
      StrCpy $3 $1 1 -1
      ${If} $3 == "$\n"
        StrCpy $1 $1 -1
      ${EndIf}
      ${If} $1 == "[ChangeLanguage]"
        FileReadUTF16LE $0 $1
        StrCpy $3 $1 1 -1
        ${If} $3 == "$\n"
          StrCpy $1 $1 -1
        ${EndIf}
        ; the text after the first "=", when that "=" is neither first nor last
        StrCpy $4 0
        StrLen $5 $1
        ${DoWhile} $4 < $5
          StrCpy $3 $1 1 $4
          ${If} $3 == "="
            ${ExitDo}
          ${EndIf}
          IntOp $4 $4 + 1
        ${Loop}
        IntOp $6 $5 - 1
        ${If} $4 > 0
        ${AndIf} $4 < $6
          IntOp $4 $4 + 1
          StrCpy $2 $1 "" $4
        ${Else}
          StrCpy $2 $1
        ${EndIf}
      ${Else}
        StrCpy $2 $1
      ${EndIf}
      ; a file with any other code shows the program in Chinese
      StrCmpS $2 "EN" +2 0
        StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
    ${EndIf}
    FileClose $0
  ${EndIf}
!macroend

; --- a running Vantrel is asked to close (it saves first) before files are replaced ---

!macro CloseRunningProgram un
Function ${un}CloseRunningProgram
  StrCpy $ClosedRunning 0
  retry:
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    DetailPrint "$(ClosingProgram)"
    StrCpy $ClosedRunning 1
    ; WM_CLOSE: the program closes its dialogs, saves and ends.
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  ; Until the window is gone and the program file can be written (its process has ended).
  StrCpy $1 0
  ${DoWhile} $1 < 150
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 = 0
      ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
        Return
      ${EndIf}
      ClearErrors
      FileOpen $2 "$INSTDIR\${EXE}" a
      ${IfNot} ${Errors}
        FileClose $2
        Return
      ${EndIf}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
  Abort
FunctionEnd
!macroend
!insertmacro CloseRunningProgram ""
!insertmacro CloseRunningProgram "un."


Section "$(TextProgram)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  Call CloseRunningProgram
  ; Files of an older version that this one no longer has do not stay behind.
  RMDir /r "$INSTDIR\skins"
  RMDir /r "$INSTDIR\lang"
  File "${STAGE}\${EXE}"
  SetOutPath "$INSTDIR\skins"
  File /r "${STAGE}\skins\*.*"
  SetOutPath "$INSTDIR\lang"
  File /r "${STAGE}\lang\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\${EXE}$\",0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "$(TextAutostart)" SecAutostart
SectionEnd

; After every section: the Run entry follows the option, on or off.
Section "-Autostart"
  ${If} ${SectionIsSelected} ${SecAutostart}
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$\"$INSTDIR\${EXE}$\""
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  ; A program that was closed for the upgrade comes back (it starts hidden).
  ${If} $ClosedRunning = 1
  ${AndIf} ${Silent}
    Exec "$\"$INSTDIR\${EXE}$\""
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext current
  !insertmacro ChooseLanguage
  ; An upgrade keeps the choice the user made last (here or in the program's tray menu).
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
    ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $1 == ""
      !insertmacro UnselectSection ${SecAutostart}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro ChooseLanguage
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningProgram
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /r "$INSTDIR\skins"
  RMDir /r "$INSTDIR\lang"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The data folder (settings, profiles, macros) stays: it is the user's.
SectionEnd

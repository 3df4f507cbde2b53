; The installer of Lunetta (TBQ): for the current user, without administrator
; rights, into the user's programs folder. TBQ keeps its settings beside
; TBQ.exe, so it must live where the user may write, never in Program Files.
;
; makensis -DVERSION=1.3.0.13 -DSTAGE=<staged x64 files> -DFILES=<file list .nsh>
;          -DICON=<tbq.ico> -DOUTFILE=<setup.exe> tbq.nsi
; FILES (made by scripts/release from the staged files) deletes exactly the
; program files; settings files are never named there.
;
; The installer and the uninstaller speak Japanese on a Japanese Windows and
; English on any other: each text of our own is a language string in both.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Lunetta"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TBQ"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\TBQ"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}"
!macro VersionKeys LANGID DESCRIPTION
  VIAddVersionKey /LANG=${LANGID} "ProductName" "${PRODUCT}"
  VIAddVersionKey /LANG=${LANGID} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANGID} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANGID} "ProductVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANGID} "CompanyName" "TBQ developers"
  VIAddVersionKey /LANG=${LANGID} "LegalCopyright" "Copyright (C) TBQ developers"
!macroend
!insertmacro VersionKeys 1033 "${PRODUCT} Setup"
!insertmacro VersionKeys 1041 "${PRODUCT} セットアップ"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\TBQ.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunText)"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\$(ReadmeFile)"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(ReadmeText)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the one for a Windows in neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString RunText ${LANG_ENGLISH} "Start ${PRODUCT}"
LangString RunText ${LANG_JAPANESE} "${PRODUCT} を起動する"
LangString ReadmeFile ${LANG_ENGLISH} "Readme_en.txt"
LangString ReadmeFile ${LANG_JAPANESE} "Readme.txt"
LangString ReadmeText ${LANG_ENGLISH} "Show Readme_en.txt"
LangString ReadmeText ${LANG_JAPANESE} "Readme.txt を表示する"
LangString MainSection ${LANG_ENGLISH} "${PRODUCT} program"
LangString MainSection ${LANG_JAPANESE} "${PRODUCT} 本体"
LangString StartupSection ${LANG_ENGLISH} "Start with Windows"
LangString StartupSection ${LANG_JAPANESE} "スタートアップに登録する"
LangString CannotQuit ${LANG_ENGLISH} "${PRODUCT} could not be made to quit.$\r$\nQuit ${PRODUCT}, then press Retry."
LangString CannotQuit ${LANG_JAPANESE} "${PRODUCT} を終了できませんでした。$\r$\n${PRODUCT} を終了してから「再試行」を押して下さい。"
LangString StillRunning ${LANG_ENGLISH} "Stopped because ${PRODUCT} is running."
LangString StillRunning ${LANG_JAPANESE} "${PRODUCT} が動作中のため中止しました。"
LangString RemoveSettings ${LANG_ENGLISH} "Do you want to delete the settings files too?$\r$\nIf you choose No, they stay in $INSTDIR."
LangString RemoveSettings ${LANG_JAPANESE} "設定ファイルも削除しますか？$\r$\n「いいえ」を選ぶと、設定ファイルは $INSTDIR に残ります。"

; A running TBQ holds its files open and saves its settings when it ends:
; it is asked to quit as its own menu does (TBQ.exe /quit saves and waits
; for the end). The installer uses the TBQ.exe it brings, so that an old
; copy without the command is asked the same way.
!macro QuitRunningTbq QUITTER
  ${Do}
    ClearErrors
    ExecWait '"${QUITTER}" /quit' $0
    ${If} ${Errors}
    ${OrIf} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "$(CannotQuit)" /SD IDCANCEL IDRETRY +2
    Abort "$(StillRunning)"
  ${Loop}
!macroend

Section "$(MainSection)" SecMain
  SectionIn RO
  SetShellVarContext current
  InitPluginsDir
  File "/oname=$PLUGINSDIR\TBQ.exe" "${STAGE}/TBQ.exe"
  !insertmacro QuitRunningTbq "$PLUGINSDIR\TBQ.exe"

  ; Program files only: whatever the user set stays as it is.
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File /r "${STAGE}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\TBQ.exe" "" "$INSTDIR\TBQ.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "TBQ developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TBQ.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The same shortcut the welcome window and the settings page make, so that
; either can take it away again.
Section /o "$(StartupSection)" SecStartup
  SetShellVarContext current
  CreateShortCut "$SMSTARTUP\${PRODUCT}.lnk" "$INSTDIR\TBQ.exe" "" "$INSTDIR\TBQ.exe" 0
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  !insertmacro QuitRunningTbq "$INSTDIR\TBQ.exe"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMSTARTUP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !include "${FILES}"

  ; Settings stay unless the user says otherwise; a silent run keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION "$(RemoveSettings)" /SD IDNO IDNO keep
    Delete "$INSTDIR\TBQ_*.ini"
    Delete "$INSTDIR\*.bak"
    ; What the program itself left there: the diagnostic log, and the name of
    ; a plug-in whose load ended the program.
    Delete "$INSTDIR\TBQ_Log.txt"
    Delete "$INSTDIR\TBQ_Log.old.txt"
    Delete "$INSTDIR\TBQ_PluginLoading.txt"
    RMDir /r "$INSTDIR\ViewData"
    RMDir /r "$INSTDIR\Plugins"
  keep:
  ; The uninstaller goes last: a silent run is over when it is gone.
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\Plugins"
  RMDir "$INSTDIR"
SectionEnd

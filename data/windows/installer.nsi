; SPDX-License-Identifier: MIT
; The Windows installer. Built by scripts/windows/build.sh:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder of the program's files> -DFILES=<files.nsh>
;            -DLICENSE=<LICENSE> -DICON=<kazenoha.ico> -DOUTFILE=<setup.exe> installer.nsi
; FILES lists each file as it is installed and removed: the uninstaller removes those and
; the folders they made, nothing else.
; For the current user without administrator rights by default; /AllUsers (or the choice on
; the second page, offered when started as administrator) installs for every user.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include x64.nsh

!define PRODUCT "Kazenoha"
!define SHORTCUT "相続税・係数計算"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kazenoha"
; The case file's type: ".kazenoha" names it, "Kazenoha.Case" says how it opens.
!define FILE_TYPE "Kazenoha.Case"

Name "${SHORTCUT} (${PRODUCT} ${VERSION})"
; The program's name and version where NSIS would name itself.
BrandingText "${SHORTCUT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${SHORTCUT} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\kazenoha.exe"
; The language question comes before any language is chosen: it asks in both.
!define MUI_LANGDLL_WINDOWTITLE "言語 / Language"
!define MUI_LANGDLL_INFO "使用する言語を選んでください。$\r$\nPlease select a language."
; Kept beside the uninstall entry (removed with it), so that the uninstaller asks no more.
!define MUI_LANGDLL_REGISTRY_ROOT SHCTX
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

Var AllUsers
Var RadioUser
Var RadioAll

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
Page custom ScopePage ScopePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString ScopeTitle ${LANG_JAPANESE} "インストール先のユーザー"
LangString ScopeTitle ${LANG_ENGLISH} "Who uses the program"
LangString ScopeText ${LANG_JAPANESE} "誰のためにインストールしますか。"
LangString ScopeText ${LANG_ENGLISH} "Install for whom?"
LangString ScopeUser ${LANG_JAPANESE} "自分だけ（管理者権限は不要）"
LangString ScopeUser ${LANG_ENGLISH} "Only me (no administrator rights needed)"
LangString ScopeAll ${LANG_JAPANESE} "このコンピューターのすべてのユーザー（管理者として実行したとき）"
LangString ScopeAll ${LANG_ENGLISH} "Every user of this computer (when run as administrator)"
LangString NeedsAdmin ${LANG_JAPANESE} "すべてのユーザーへのインストールには管理者権限が必要です。"
LangString NeedsAdmin ${LANG_ENGLISH} "Installing for every user needs administrator rights."
LangString Running ${LANG_JAPANESE} "${SHORTCUT}が動いています。プログラムを閉じてから「再試行」を押してください。"
LangString Running ${LANG_ENGLISH} "${SHORTCUT} is running. Close it, then press Retry."
LangString CaseFile ${LANG_JAPANESE} "${SHORTCUT}のケースファイル"
LangString CaseFile ${LANG_ENGLISH} "${SHORTCUT} case file"

; A running program's files cannot be replaced or removed: NSIS would leave them behind and
; still report success. The program holds a named mutex while it runs (src/ui/running_mark.h).
!define SYNCHRONIZE 0x00100000
!macro RefuseWhileRunning UN
Function ${UN}RefuseWhileRunning
  retry:
  System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "Kazenoha.Running") p .r0'
  ${If} $0 <> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 5
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

; Double-clicking a case file opens it: per user under HKCU\Software\Classes, for every
; user under HKLM's.
!macro WriteFileType ROOT
  WriteRegStr ${ROOT} "Software\Classes\.kazenoha" "" "${FILE_TYPE}"
  WriteRegStr ${ROOT} "Software\Classes\.kazenoha" "Content Type" "application/x-kazenoha"
  WriteRegStr ${ROOT} "Software\Classes\${FILE_TYPE}" "" "$(CaseFile)"
  WriteRegStr ${ROOT} "Software\Classes\${FILE_TYPE}\DefaultIcon" "" '"$INSTDIR\kazenoha.exe",0'
  WriteRegStr ${ROOT} "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\kazenoha.exe" "%1"'
!macroend

; ".kazenoha" is left alone if another program has taken it over since.
!macro RemoveFileType ROOT
  ReadRegStr $0 ${ROOT} "Software\Classes\.kazenoha" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegKey ${ROOT} "Software\Classes\.kazenoha"
  ${EndIf}
  DeleteRegKey ${ROOT} "Software\Classes\${FILE_TYPE}"
!macroend

; Explorer shows the new icon and opens with the new command without a restart.
!define SHCNE_ASSOCCHANGED 0x08000000

Function SetScope
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${Else}
    SetShellVarContext current
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView 64
  !insertmacro MUI_LANGDLL_DISPLAY
  StrCpy $AllUsers 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $2
    ${If} $2 != "Admin"
      MessageBox MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  Call SetScope
FunctionEnd

Function ScopePage
  !insertmacro MUI_HEADER_TEXT "$(ScopeTitle)" "$(ScopeText)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 10u 100% 12u "$(ScopeUser)"
  Pop $RadioUser
  ${NSD_CreateRadioButton} 0 30u 100% 12u "$(ScopeAll)"
  Pop $RadioAll
  UserInfo::GetAccountType
  Pop $1
  ${If} $1 != "Admin"
    EnableWindow $RadioAll 0
  ${EndIf}
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioAll
  ${Else}
    ${NSD_Check} $RadioUser
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $RadioAll $AllUsers
  ${If} $AllUsers == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call SetScope
FunctionEnd

!macro WriteUninstallKey ROOT
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayName" "${SHORTCUT} (${PRODUCT})"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kazenoha.exe"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "EstimatedSize" $0
!macroend

Section "Kazenoha"
  ; The per-user programs folder is made by the first program installed there; the one that
  ; made it removes it again, when empty.
  ${If} $AllUsers == 0
  ${AndIfNot} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
    StrCpy $R9 1
  ${Else}
    StrCpy $R9 0
  ${EndIf}
  Call RefuseWhileRunning
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts in the folder last set out to: the program's own.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\kazenoha.exe"
  ${If} $AllUsers == 1
    !insertmacro WriteUninstallKey HKLM
    !insertmacro WriteFileType HKLM
  ${Else}
    !insertmacro WriteUninstallKey HKCU
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder" $R9
    !insertmacro WriteFileType HKCU
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

SectionEnd

Function un.onInit
  SetRegView 64
  ; Installed for every user when the machine's uninstall entry names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${EndIf}
  ; The language chosen at installation, kept where the scope says.
  !insertmacro MUI_UNGETLANGUAGE
  Call un.RefuseWhileRunning
FunctionEnd

Section "Uninstall"
  Call un.RefuseWhileRunning
  Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
  !define UNINSTALL
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $AllUsers == 1
    !insertmacro RemoveFileType HKLM
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${Else}
    !insertmacro RemoveFileType HKCU
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder"
    ${If} $0 == 1
      RMDir "$LOCALAPPDATA\Programs"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

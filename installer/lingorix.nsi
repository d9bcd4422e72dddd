; The per-user setup of Lingorix: no administrator rights, one folder that is both
; the program's and the user's data folder, a Start menu shortcut that starts the
; program in it, and an entry under Apps and Features.
;
; makensis -DVERSION=x.y.z -DFILES=files.nsh -DICON=lingorix.ico -DOUTFILE=setup.exe lingorix.nsi
; FILES is written by the build from the ready data folder (see filelist.cmake).
;
; Silent use: setup.exe /S [/EDITION=english|german] [/D=folder]
; An upgrade keeps the edition of the installation unless /EDITION names one.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!macro Required name
  !ifndef ${name}
    !error "makensis needs -D${name}=..."
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required FILES
!insertmacro Required ICON
!insertmacro Required OUTFILE

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lingorix"

Name "Lingorix"
Caption "Lingorix ${VERSION} Setup"
UninstallCaption "Lingorix ${VERSION} Uninstall"
BrandingText "Lingorix ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Lingorix"
; An upgrade goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Lingorix"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Lingorix ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Lingorix"

!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include /CHARSET=UTF8 "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

Var Edition
Var EnglishButton
Var GermanButton

!define MUI_WELCOMEPAGE_TEXT "Setup installs Lingorix ${VERSION} for you alone, into your own programs folder; it needs no administrator rights.$\r$\n$\r$\nInstalled over an earlier installation, it replaces the program and keeps your word lists, practice lists, scores, recordings and settings.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom EditionPage EditionPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Lingorix"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext current
  ; The edition a reinstallation finds is kept; a first installation is English.
  ReadINIStr $Edition "$INSTDIR\language.ini" "Lingorix" "Language"
  ${If} $Edition != "german"
    StrCpy $Edition "english"
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/EDITION=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "english"
    ${OrIf} $R1 == "german"
      StrCpy $Edition $R1
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "Unknown edition: $R1 (english or german)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function EditionPage
  !insertmacro MUI_HEADER_TEXT "Edition" "Choose the language Lingorix speaks."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 24u "The English edition speaks English and teaches French, Spanish, German, Greek and Russian. The German edition speaks German and teaches English, French and Spanish."
  Pop $0
  ${NSD_CreateRadioButton} 10u 34u 100% 12u "&English"
  Pop $EnglishButton
  ${NSD_CreateRadioButton} 10u 50u 100% 12u "&Deutsch (German)"
  Pop $GermanButton
  ${NSD_CreateLabel} 0 72u 100% 24u "Both editions are installed; language.ini in the program folder chooses which one starts."
  Pop $0
  ${If} $Edition == "german"
    ${NSD_Check} $GermanButton
  ${Else}
    ${NSD_Check} $EnglishButton
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function EditionPageLeave
  ${NSD_GetState} $GermanButton $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Edition "german"
  ${Else}
    StrCpy $Edition "english"
  ${EndIf}
FunctionEnd

; Every path of the program is relative to its folder: it must start there.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\lingorix.exe"'
FunctionEnd

Section "Lingorix" SecProgram
  SectionIn RO
  SetShellVarContext current

  ; Program files are replaced by every installation.
  SetOverwrite on
  !insertmacro LingorixProgramFiles

  ; The user's files (language files, word lists, practice lists with their scores,
  ; character files, sort tables) are only added where they are missing.
  SetOverwrite off
  !insertmacro LingorixUserFiles
  SetOverwrite on

  WriteINIStr "$INSTDIR\language.ini" "Lingorix" "Language" "$Edition"
  FlushINI "$INSTDIR\language.ini"

  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the output folder at the time it is made.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Lingorix.lnk" "$INSTDIR\lingorix.exe" "" "$INSTDIR\lingorix.exe" 0 \
    SW_SHOWNORMAL "" "Lingorix vocabulary trainer"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lingorix"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Lingorix"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lingorix.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  ; Only what the installer put there by name: the folder may hold other things too.
  !insertmacro LingorixRemoveProgramFiles
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Lingorix.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; A silent uninstallation keeps the user's data.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove your word lists, practice lists, scores, recordings and settings from $INSTDIR as well?$\n$\nChoose No to keep them for a later installation." \
    /SD IDNO IDYES remove_data
  Goto done
remove_data:
  !insertmacro LingorixRemoveUserFiles
  ; What the program itself writes there: settings, the edition, new-word logs,
  ; recordings, icons of languages the user added, the copies kept before imports,
  ; leftovers of an interrupted save.
  Delete "$INSTDIR\lingorix.ini"
  Delete "$INSTDIR\language.ini"
  Delete "$INSTDIR\tmp.ini"
  RMDir /r "$INSTDIR\backup"
  RMDir /r "$INSTDIR\new"
  RMDir /r "$INSTDIR\sound"
  RMDir /r "$INSTDIR\icons"
done:
  RMDir "$INSTDIR"
SectionEnd

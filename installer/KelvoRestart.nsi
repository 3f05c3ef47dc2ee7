; KelvoRestartSetup.exe: installs Kelvo Restart for the current user, without administrator
; rights, into the user's program folder. makensis gets the version and the files from the
; build (installer/CMake: KVInstaller.cmake):
;   -DVERSION=1.0.0 -DPROGRAM=<KVRestart.exe> -DHELPFILE=<KVRestart.chm> -DOUTFILE=<setup>
;   -DLIBRARIES=<folder with the six DLLs>
; Switches: /S silent, /AUTOSTART load the program with Windows, /D=<folder> (last).
; The uninstaller: /S silent, /REMOVESETTINGS also removes the user's settings.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT "Kelvo Restart"
!define COMPANY "Tormel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\${COMPANY}\${PRODUCT}"
!define RESIDENT_MUTEX "Local\KelvoRestart.Resident"
!define STARTMENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${COMPANY}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1031 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${COMPANY}"
VIAddVersionKey /LANG=1031 "OriginalFilename" "KelvoRestartSetup.exe"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_PAGE_HEADER_TEXT "Optionen"
!define MUI_PAGE_HEADER_SUBTEXT "Wählen Sie, was das Setup einrichten soll."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Kelvo Restart kann mit jedem Windowsstart geladen werden; Sie können das später auf der Seite $\"Optionen$\" des Programms ändern."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\KVRestart.exe"
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_HEADER_TEXT "Deinstallation"
!define MUI_PAGE_HEADER_SUBTEXT "Wählen Sie, was entfernt werden soll."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Kelvo Restart wird entfernt. Ihre Einstellungen bleiben erhalten, es sei denn, Sie wählen sie hier aus."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

; The six libraries, registered after the files are in place and unregistered before they go.
!define LIBRARIES_LIST "KVCore KVSettings KVFiles KVWidgets KVHooks KVAbout"

!macro RegisterLibrary SWITCH DLL
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${SWITCH} "$INSTDIR\${DLL}.dll"' $0
  ${If} $0 != 0
    DetailPrint "regsvr32 ${SWITCH} ${DLL}.dll: Fehler $0"
    SetErrors
  ${EndIf}
!macroend

; A resident program holds its files; it is ended through its own menu, not by the setup.
!macro RefuseWhileRunning
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RESIDENT_MUTEX}") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OK|MB_ICONEXCLAMATION "Kelvo Restart läuft noch. Bitte beenden Sie das Programm über sein Menü ($\"Beenden$\") und versuchen Sie es erneut." /SD IDOK
    Abort
  ${EndIf}
!macroend

Var CreatedParent

Section "Kelvo Restart" SecProgram
  SectionIn RO
  SetShellVarContext current
  ; The user's program folder may not exist yet; the uninstaller removes it again only then.
  ${GetParent} "$INSTDIR" $R2
  ${IfNot} ${FileExists} "$R2\*.*"
    StrCpy $CreatedParent 1
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "/oname=KVRestart.exe" "${PROGRAM}"
  File "/oname=KVRestart.chm" "${HELPFILE}"
  File "${LIBRARIES}/KVCore.dll"
  File "${LIBRARIES}/KVSettings.dll"
  File "${LIBRARIES}/KVFiles.dll"
  File "${LIBRARIES}/KVWidgets.dll"
  File "${LIBRARIES}/KVHooks.dll"
  File "${LIBRARIES}/KVAbout.dll"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ClearErrors
  !insertmacro RegisterLibrary "" KVCore
  !insertmacro RegisterLibrary "" KVSettings
  !insertmacro RegisterLibrary "" KVFiles
  !insertmacro RegisterLibrary "" KVWidgets
  !insertmacro RegisterLibrary "" KVHooks
  !insertmacro RegisterLibrary "" KVAbout
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Eine Komponente von Kelvo Restart konnte nicht registriert werden; Skripte können sie nicht nutzen. Das Programm selbst ist davon nicht betroffen." /SD IDOK
  ${EndIf}

  CreateDirectory "${STARTMENU}"
  CreateShortcut "${STARTMENU}\${PRODUCT}.lnk" "$INSTDIR\KVRestart.exe" "" "$INSTDIR\KVRestart.exe" 0
  CreateShortcut "${STARTMENU}\${PRODUCT} Hilfe.lnk" "$INSTDIR\KVRestart.chm"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KVRestart.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} $CreatedParent == 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedParentFolder" 1
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same value the program's option "Programm bei jedem Windowsstart laden" writes.
Section /o "Kelvo Restart bei jedem Windowsstart laden" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" "$INSTDIR\KVRestart.exe"
SectionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Kelvo Restart braucht ein 64-Bit-Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro RefuseWhileRunning
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Section "un.Kelvo Restart" UnSecProgram
  SectionIn RO
  SetShellVarContext current
  !insertmacro RegisterLibrary /u KVAbout
  !insertmacro RegisterLibrary /u KVHooks
  !insertmacro RegisterLibrary /u KVWidgets
  !insertmacro RegisterLibrary /u KVFiles
  !insertmacro RegisterLibrary /u KVSettings
  !insertmacro RegisterLibrary /u KVCore

  Delete "$INSTDIR\KVRestart.exe"
  Delete "$INSTDIR\KVRestart.chm"
  Delete "$INSTDIR\KVCore.dll"
  Delete "$INSTDIR\KVSettings.dll"
  Delete "$INSTDIR\KVFiles.dll"
  Delete "$INSTDIR\KVWidgets.dll"
  Delete "$INSTDIR\KVHooks.dll"
  Delete "$INSTDIR\KVAbout.dll"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"   ; only when empty: files the user put there stay
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "CreatedParentFolder"
  ${If} $0 == 1
    ${GetParent} "$INSTDIR" $1
    RMDir "$1"
  ${EndIf}

  Delete "${STARTMENU}\${PRODUCT}.lnk"
  Delete "${STARTMENU}\${PRODUCT} Hilfe.lnk"
  RMDir "${STARTMENU}"

  ; The autostart value goes when it starts this installation (the setup or the program wrote it).
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == "$INSTDIR\KVRestart.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Persönliche Einstellungen entfernen" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${COMPANY}"
SectionEnd

Function un.onInit
  SetRegView 64
  !insertmacro RefuseWhileRunning
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

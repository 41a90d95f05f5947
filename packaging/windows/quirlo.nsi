; Setup program of Quirlo for Windows: installs for the current user only, no
; administrator needed, into %LOCALAPPDATA%\Programs\Quirlo unless /D= says
; otherwise; /S installs silently. The uninstaller removes the files that were
; installed, one by one, and each folder only if it is then empty, so what a
; teacher added (a list, a drawing) stays where it is.
;
; makensis -INPUTCHARSET UTF8 -DCARTELLA=<staged folder> -DELENCO=<file list>
;          -DDISINSTALLA=<removal list> -DUSCITA=<setup.exe> -DICONA=<quirlo.ico> quirlo.nsi
; (scripts/windows.sh writes the two lists from the staged folder.)

Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NOME "Quirlo"
!define VERSIONE "1.00"
!define EDITORE "Quirlo"
!define CHIAVE_DISINSTALLA "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quirlo"

Name "${NOME}"
OutFile "${USCITA}"
InstallDir "$LOCALAPPDATA\Programs\Quirlo"
BrandingText "${NOME} ${VERSIONE}"

VIProductVersion "1.0.0.0"
VIFileVersion "1.0.0.0"
VIAddVersionKey /LANG=1040 "ProductName" "${NOME}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${NOME}"
VIAddVersionKey /LANG=1040 "CompanyName" "${EDITORE}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "${EDITORE}"

!include "MUI2.nsh"

!define MUI_ICON "${ICONA}"
!define MUI_UNICON "${ICONA}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quirlo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia Quirlo"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Quirlo (il gioco, le liste, i disegni e i suoni)" SezioneGioco
  SectionIn RO
  !include "${ELENCO}"
  WriteUninstaller "$INSTDIR\Disinstalla.exe"

  CreateDirectory "$SMPROGRAMS\Quirlo"
  CreateShortcut "$SMPROGRAMS\Quirlo\Quirlo.lnk" "$INSTDIR\Quirlo.exe" "" "$INSTDIR\Quirlo.exe" 0
  CreateShortcut "$SMPROGRAMS\Quirlo\Quirlo a schermo intero.lnk" "$INSTDIR\Quirlo.exe" "--schermo-intero" \
                 "$INSTDIR\Quirlo.exe" 0
  ; The checker in a window of its own, which waits for Enter before closing.
  CreateShortcut "$SMPROGRAMS\Quirlo\Controlla le liste.lnk" "$INSTDIR\quirlo-verifica.exe"
  CreateShortcut "$SMPROGRAMS\Quirlo\Guida per l'insegnante.lnk" "$INSTDIR\Guida.html"
  ; The teachers' word editor.
  CreateShortcut "$SMPROGRAMS\Quirlo\Le mie parole.lnk" "$INSTDIR\quirlo-parole.exe" "" "$INSTDIR\quirlo-parole.exe" 0

  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "DisplayName" "${NOME}"
  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "DisplayVersion" "${VERSIONE}"
  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "Publisher" "${EDITORE}"
  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "DisplayIcon" "$INSTDIR\Quirlo.exe,0"
  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
  WriteRegStr HKCU "${CHIAVE_DISINSTALLA}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
  WriteRegDWORD HKCU "${CHIAVE_DISINSTALLA}" "NoModify" 1
  WriteRegDWORD HKCU "${CHIAVE_DISINSTALLA}" "NoRepair" 1
SectionEnd

Section "Collegamento sul desktop" SezioneDesktop
  CreateShortcut "$DESKTOP\Quirlo.lnk" "$INSTDIR\Quirlo.exe" "" "$INSTDIR\Quirlo.exe" 0
SectionEnd

Section "Uninstall"
  Delete "$DESKTOP\Quirlo.lnk"
  Delete "$SMPROGRAMS\Quirlo\Quirlo.lnk"
  Delete "$SMPROGRAMS\Quirlo\Quirlo a schermo intero.lnk"
  Delete "$SMPROGRAMS\Quirlo\Controlla le liste.lnk"
  Delete "$SMPROGRAMS\Quirlo\Guida per l'insegnante.lnk"
  Delete "$SMPROGRAMS\Quirlo\Le mie parole.lnk"
  RMDir "$SMPROGRAMS\Quirlo"
  ; Exactly the installed files; folders go only once empty.
  !include "${DISINSTALLA}"
  Delete "$INSTDIR\Disinstalla.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${CHIAVE_DISINSTALLA}"
SectionEnd

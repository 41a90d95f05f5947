#!/usr/bin/env bash
# The setup program under Wine, silent: into a folder given with /D= and into the
# default one; the files, the shortcuts and the uninstall record it leaves; then
# the silent uninstall, which must remove exactly what was installed: a file a
# teacher added stays, and so does its folder; her own folder %APPDATA%\Quirlo
# is never touched.
# Usage: prova_installazione.sh Quirlo-setup.exe STAGED_FOLDER wine.sh
set -euo pipefail
setup=$1
cartella=$2
wine=$3
[[ -f $setup ]] || { echo "FALLITO: no setup program at $setup (run scripts/windows.sh)" >&2; exit 1; }
# Nothing started here is a Qt program, and with QT_* variables wine.sh starts
# programs through cmd, which would hand the setup program a mangled /D=.
for v in $(compgen -e | grep '^QT_' || true); do unset "$v"; done

prefisso=$("$wine" --prefisso)
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
errori=0
fallito() { echo "FALLITO: $*" >&2; errori=$((errori + 1)); }
chiave='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quirlo'

utente=$(find "$prefisso/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
menu_avvio="$utente/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quirlo"
desktop="$utente/Desktop"
predefinita="$utente/AppData/Local/Programs/Quirlo"

# Installs silently (with "/D=..." when given), checks everything the setup leaves.
installa() {
  local destinazione=$1 argomenti=(/S)
  [[ -n ${2:-} ]] && argomenti+=("/D=$2")
  "$wine" "$setup" "${argomenti[@]}" || fallito "the setup program ended with an error"
  "$wine" --attendi
  if ! diff -r "$cartella" "$destinazione" > "$lavoro/diff" 2> /dev/null; then
    # Only the uninstaller may be there beyond the staged files.
    if grep -v "^Only in $destinazione: Disinstalla.exe$" "$lavoro/diff" | grep -q .; then
      fallito "installed files differ from the portable folder:"; head -20 "$lavoro/diff" >&2
    fi
  fi
  [[ -f $destinazione/Disinstalla.exe ]] || fallito "no uninstaller in $destinazione"
  for lnk in "$menu_avvio/Quirlo.lnk" "$menu_avvio/Quirlo a schermo intero.lnk" "$menu_avvio/Controlla le liste.lnk" \
             "$menu_avvio/Guida per l'insegnante.lnk" "$menu_avvio/Le mie parole.lnk" "$desktop/Quirlo.lnk"; do
    [[ -f $lnk ]] || fallito "no shortcut $lnk"
  done
  if [[ -f "$menu_avvio/Quirlo a schermo intero.lnk" ]] &&
     ! strings -el "$menu_avvio/Quirlo a schermo intero.lnk" | grep -qx -- '--schermo-intero'; then
    fallito "the full-screen shortcut does not pass --schermo-intero"
  fi
  if [[ -f "$menu_avvio/Controlla le liste.lnk" ]] &&
     ! strings -el "$menu_avvio/Controlla le liste.lnk" | grep -qi 'quirlo-verifica\.exe'; then
    fallito "the checker's shortcut does not start quirlo-verifica.exe"
  fi
  if strings -el "$menu_avvio/Quirlo.lnk" 2> /dev/null | grep -q -- '--schermo-intero'; then
    fallito "the plain shortcut passes --schermo-intero"
  fi
  "$wine" reg query "$chiave" > "$lavoro/reg" 2>&1 || fallito "no uninstall record under $chiave"
  tr -d '\r' < "$lavoro/reg" > "$lavoro/reg.txt"
  grep -q 'DisplayName.*Quirlo' "$lavoro/reg.txt" || fallito "the uninstall record has no DisplayName"
  grep -q 'UninstallString.*Disinstalla.exe' "$lavoro/reg.txt" || fallito "the uninstall record has no UninstallString"
  grep -q 'DisplayVersion.*1.00' "$lavoro/reg.txt" || fallito "the uninstall record has no DisplayVersion"
}

# Uninstalls silently with the uninstaller in `destinazione`; what must remain is listed after it.
disinstalla() {
  local destinazione=$1
  shift
  "$wine" "$destinazione/Disinstalla.exe" /S || fallito "the uninstaller ended with an error"
  "$wine" --attendi
  local rimasti attesi
  rimasti=$(cd "$(dirname "$destinazione")" && { find "$(basename "$destinazione")" 2> /dev/null || true; } | LC_ALL=C sort)
  attesi=$(printf '%s\n' "$@" | LC_ALL=C sort)
  [[ $rimasti == "$attesi" ]] || fallito "after uninstalling, expected:
$attesi
found:
$rimasti"
  for lnk in "$menu_avvio" "$desktop/Quirlo.lnk"; do
    [[ ! -e $lnk ]] || fallito "$lnk left behind"
  done
  if "$wine" reg query "$chiave" > /dev/null 2>&1; then fallito "the uninstall record is left behind"; fi
}

# A teacher's own folder, made before installing: neither the setup program nor
# the uninstaller may touch it. Removed at the end, so other tests in this
# prefix see no lists of hers.
personale="$utente/AppData/Roaming/Quirlo"
[[ ! -e $personale ]] || { echo "FALLITO: $personale is there before the test" >&2; exit 1; }
trap 'rm -rf "$lavoro" "$personale"' EXIT
mkdir -p "$personale/jpg"
printf 'pi,no\r\nca,sa\r\nlu,na\r\nra,na\r\n' > "$personale/lista2.txt"
printf 'disegno' > "$personale/jpg/pino.jpg"
(cd "$personale" && find . -type f -exec sha256sum {} + | LC_ALL=C sort) > "$lavoro/personale.prima"
personale_intatta() {
  local dopo
  dopo=$(cd "$personale" 2> /dev/null && find . -type f -exec sha256sum {} + | LC_ALL=C sort)
  [[ $dopo == "$(cat "$lavoro/personale.prima")" ]] || fallito "the user folder changed $1: $dopo"
}

echo "== silent install with /D="
destinazione="$lavoro/Programmi/Quirlo"
mkdir -p "$lavoro/Programmi"
installa "$destinazione" "$("$wine" winepath -w "$destinazione" | tr -d '\r')"
[[ ! -e $predefinita ]] || fallito "/D= ignored: files in $predefinita"
# A teacher's own drawing and notes, added after installing.
printf 'disegno' > "$destinazione/jpg/mela-della-maestra.jpg"
printf 'note' > "$destinazione/note della maestra.txt"
echo "== silent uninstall"
disinstalla "$destinazione" Quirlo Quirlo/jpg Quirlo/jpg/mela-della-maestra.jpg "Quirlo/note della maestra.txt"
personale_intatta "by an install and an uninstall"

echo "== silent install into the default folder"
installa "$predefinita"
echo "== silent uninstall"
disinstalla "$predefinita"
personale_intatta "by the second install and uninstall"

if ((errori)); then exit 1; fi
echo "installazione e disinstallazione a posto"

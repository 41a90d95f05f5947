#!/usr/bin/env bash
# Compiles the Windows resource script with MinGW's windres, reads the result
# back and checks the version record, its language and the program icon.
# Exits 77 (skipped) where windres is not installed.
# Usage: prova_risorsa_windows.sh SOURCE_DIR
set -euo pipefail
sorgente="$1"
windres=$(command -v x86_64-w64-mingw32-windres || true)
if [[ -z "$windres" ]]; then
  echo "x86_64-w64-mingw32-windres missing (binutils-mingw-w64-x86-64): skipped"
  exit 77
fi

lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT

# No MinGW compiler is needed: the host preprocessor is enough for this script.
# Compiled from elsewhere, as a build does, with the script's folder to search.
cd "$lavoro"
"$windres" --preprocessor=cpp --include-dir="$sorgente/packaging/windows" \
  "$sorgente/packaging/windows/quirlo.rc" -O res -o "$lavoro/quirlo.res"
"$windres" -i "$lavoro/quirlo.res" -O rc -o "$lavoro/letto.rc"

errori=0
atteso() {
  grep -Fq -- "$1" "$lavoro/letto.rc" || { echo "FALLITO: missing: $1" >&2; errori=$((errori + 1)); }
}
atteso 'VALUE "ProductName", "Quirlo"'
atteso 'VALUE "InternalName", "Quirlo"'
atteso 'VALUE "OriginalFilename", "Quirlo.exe"'
atteso 'VALUE "FileVersion", "1.00"'
atteso 'VALUE "ProductVersion", "1.00"'
atteso 'BLOCK "041004E4"'
atteso 'VALUE "Translation", 0x410, 1252'
atteso 'FILEVERSION 1, 0, 0, 0'
atteso 'PRODUCTVERSION 1, 0, 0, 0'
atteso 'RT_GROUP_ICON'
# Every resource is tagged Italian.
if grep -E '^LANGUAGE' "$lavoro/letto.rc" | grep -vq '^LANGUAGE 16, 1$'; then
  echo "FALLITO: a resource not in Italian" >&2
  errori=$((errori + 1))
fi
atteso 'LANGUAGE 16, 1'

# The icon group holds every image of quirlo.ico.
immagini_ico=$(od -An -tu2 -j4 -N2 "$sorgente/packaging/icons/quirlo.ico" | tr -d ' ')
atteso "Has $immagini_ico elements"

if ((errori)); then exit 1; fi
echo "risorsa Windows a posto"

#!/usr/bin/env bash
# Writes the two lists the setup program is built from: every file of the staged
# folder, to install, and the same files and folders, to remove (folders deepest
# first; NSIS removes a folder only when it is empty).
# Usage: elenchi-nsis.sh STAGED_FOLDER INSTALL_LIST REMOVAL_LIST
set -euo pipefail
cartella=$(cd "$1" && pwd)
installa=$2
rimuovi=$3
: > "$installa"
: > "$rimuovi"
# NSIS reads $ as the start of a variable: a name holding one must be written $$.
nsis() { printf '%s' "${1//\$/\$\$}"; }
while read -r sotto; do
  rel=${sotto#.}
  rel=${rel#/}
  win=${rel//\//\\}
  echo "SetOutPath \"\$INSTDIR${win:+\\$(nsis "$win")}\"" >> "$installa"
  while read -r f; do
    nome=$(basename "$f")
    echo "File \"$(nsis "$f")\"" >> "$installa"
    echo "Delete \"\$INSTDIR\\${win:+$(nsis "$win")\\}$(nsis "$nome")\"" >> "$rimuovi"
  done < <(find "$cartella/$rel" -maxdepth 1 -type f | LC_ALL=C sort)
done < <(cd "$cartella" && find . -type d | LC_ALL=C sort)
while read -r sotto; do
  rel=${sotto#./}
  echo "RMDir \"\$INSTDIR\\$(nsis "${rel//\//\\}")\"" >> "$rimuovi"
done < <(cd "$cartella" && find . -mindepth 1 -type d | LC_ALL=C sort -r)
echo 'SetOutPath "$INSTDIR"' >> "$installa"

#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it into a scratch
# root and checks what a user would get: the layout, the declared
# dependencies, a valid menu entry and metadata, data the installed programs
# find beside themselves, a teacher's own lists in the user folder, a game
# that starts, and lintian with nothing a Debian reviewer would hold against it.
# Usage: prova_deb.sh BUILD_DIR SOURCE_DIR [PACKAGE.deb]  (without one, CPack makes it from BUILD_DIR)
set -euo pipefail
build="$1"
sorgente="$2"

lavoro="$(mktemp -d)"
gioco_pid=""
pulisci() {
  if [[ -n "$gioco_pid" ]]; then kill "$gioco_pid" 2>/dev/null || true; fi
  rm -rf "$lavoro"
}
trap pulisci EXIT

errori=0
sbaglia() {
  echo "FALLITO: $*" >&2
  errori=$((errori + 1))
}

for strumento in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian; do
  command -v "$strumento" >/dev/null || { echo "manca $strumento: bash scripts/dipendenze.sh package" >&2; exit 1; }
done

if [[ -n "${3:-}" ]]; then
  deb="$3"
else
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$lavoro/uscita" >"$lavoro/cpack.log" 2>&1 ||
    { cat "$lavoro/cpack.log" >&2; exit 1; }
  pacchetti=("$lavoro"/uscita/quirlo_*.deb)
  [[ ${#pacchetti[@]} -eq 1 && -f "${pacchetti[0]}" ]] || { echo "no single quirlo_*.deb" >&2; exit 1; }
  deb="${pacchetti[0]}"
fi
echo "pacchetto: $(basename "$deb") ($(stat -c %s "$deb") byte)"

# Dependencies: the Qt 6 runtime, libpulse, libsndfile and libespeak-ng found by dpkg-shlibdeps, plus the fonts.
dipendenze="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $dipendenze"
for richiesto in libqt6core6 libqt6gui6 libqt6widgets6 libpulse0 libsndfile1 libespeak-ng1 fonts-liberation2; do
  grep -Eq "(^|, )$richiesto( |,|$)" <<<"$dipendenze" || sbaglia "Depends lacks $richiesto"
done
[[ "$(dpkg-deb -f "$deb" Package)" == quirlo ]] || sbaglia "package name"

# Whatever the person running this keeps in ~/.local/share/quirlo stays out of it.
export XDG_DATA_HOME="$lavoro/dati-utente"

radice="$lavoro/radice"
dpkg -x "$deb" "$radice"
app="$radice/usr/lib/quirlo"

# The programs the build found beside the data; the game and its checker at least.
mapfile -t programmi < "$build/programmi.txt"
echo "programmi: ${programmi[*]}"
for richiesto in quirlo quirlo-verifica; do
  [[ " ${programmi[*]} " == *" $richiesto "* ]] || sbaglia "$richiesto is not among the programs: ${programmi[*]}"
done

# The self-contained folder: programs and the data they read beside themselves.
for f in "${programmi[@]}"; do
  [[ -f "$app/$f" && -x "$app/$f" ]] || sbaglia "missing program $app/$f"
done
# The sound output the game loads once it is on screen, and the computer's voice.
for f in libquirlo-suono.so libquirlo-sintesi.so; do
  [[ -f "$app/moduli/$f" ]] || sbaglia "missing $app/moduli/$f"
done
for f in lista2.txt lista3.txt lista4.txt lista5.txt suoni/si1.wav suoni/si2.wav suoni/si3.wav suoni/si4.wav suoni/no.wav; do
  cmp -s "$sorgente/data/$f" "$app/$f" || sbaglia "$f not installed as shipped"
done
disegni_sorgente=$(find "$sorgente/data/jpg" -name '*.jpg' | wc -l)
disegni_installati=$(find "$app/jpg" -name '*.jpg' | wc -l)
[[ $disegni_sorgente -gt 0 && $disegni_installati -eq $disegni_sorgente ]] ||
  sbaglia "drawings: $disegni_installati installed, $disegni_sorgente shipped"

# Launchers on the PATH lead to the real programs.
for f in "${programmi[@]}"; do
  [[ "$(readlink -f "$radice/usr/bin/$f")" == "$(readlink -f "$app/$f")" ]] || sbaglia "usr/bin/$f does not lead to $app/$f"
done

# Menu entry, icons, metadata.
desktop="$radice/usr/share/applications/org.example.quirlo.desktop"
metainfo="$radice/usr/share/metainfo/org.example.quirlo.metainfo.xml"
desktop-file-validate "$desktop" || sbaglia "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >"$lavoro/appstream.log" 2>&1 || { cat "$lavoro/appstream.log" >&2; sbaglia "appstreamcli validate"; }
comando=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" | head -n 1)
[[ -n "$comando" && -e "$radice/usr/bin/$comando" ]] || sbaglia "Exec=$comando is not an installed launcher"
icona=$(sed -n 's/^Icon=//p' "$desktop")
for dimensione in 32x32 64x64 128x128 256x256; do
  [[ -f "$radice/usr/share/icons/hicolor/$dimensione/apps/$icona.png" ]] || sbaglia "no $dimensione icon named $icona"
done
[[ -f "$radice/usr/share/icons/hicolor/scalable/apps/$icona.svg" ]] || sbaglia "no scalable icon named $icona"
# Task bars match the window to the entry by the class Qt gives it (xprop WM_CLASS: "quirlo", "Quirlo").
grep -qx "StartupWMClass=Quirlo" "$desktop" || sbaglia "desktop entry without StartupWMClass=Quirlo"
grep -qx "Exec=quirlo --schermo-intero" "$desktop" || sbaglia "desktop entry without the full-screen action"
grep -q "<project_license>GPL-3.0-or-later AND Apache-2.0 AND MIT</project_license>" "$metainfo" ||
  sbaglia "AppStream project_license"

# Licences, changelog and manual pages where Debian looks for them.
doc="$radice/usr/share/doc/quirlo"
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$doc/copyright" ||
  sbaglia "no machine-readable copyright"
for licenza in GPL-3+ Apache-2.0; do
  grep -qx "License: $licenza" "$doc/copyright" || sbaglia "copyright does not declare $licenza"
done
[[ "$(zcat "$doc/changelog.gz" | head -1)" == "quirlo ($(dpkg-deb -f "$deb" Version)) "* ]] ||
  sbaglia "changelog.gz does not start with this version"
for pagina in man6/quirlo.6 man1/quirlo-verifica.1 it/man6/quirlo.6 it/man1/quirlo-verifica.1; do
  [[ -f "$radice/usr/share/man/$pagina.gz" ]] || sbaglia "no manual page $pagina"
done
# Every program has its page in English and in Italian, and an AppStream record names it.
for f in "${programmi[@]}"; do
  for lingua in "" it/; do
    compgen -G "$radice/usr/share/man/${lingua}man[1-9]/$f.[1-9].gz" >/dev/null ||
      sbaglia "no manual page for $f in usr/share/man/${lingua}"
  done
  grep -q "<binary>$f</binary>" "$(dirname "$metainfo")"/*.metainfo.xml || sbaglia "AppStream does not provide $f"
done
zcat "$radice/usr/share/man/it/man6/quirlo.6.gz" | grep -q "^\.SH DESCRIZIONE" || sbaglia "the Italian page is not Italian"

# The teacher's guide, one page with its pictures inside and every link within it leading somewhere.
guida="$doc/guida.html"
if [[ -f "$guida" ]]; then
  figure=$(grep -oE '\]\([a-z-]+\.png\)' "$sorgente/docs/guida.md" | wc -l)
  [[ $figure -gt 0 && $(grep -o 'src="data:image/png;base64,' "$guida" | wc -l) -eq $figure ]] ||
    sbaglia "guida.html does not carry the guide's $figure pictures"
  for ancora in $(grep -o 'href="#[^"]*"' "$guida" | sed 's/href="#//; s/"$//' | sort -u); do
    grep -q "id=\"$ancora\"" "$guida" || sbaglia "guida.html links to #$ancora, which is nowhere"
  done
else
  sbaglia "no guida.html in usr/share/doc/quirlo (python3-markdown: bash scripts/dipendenze.sh package)"
fi

# The installed checker, started through its launcher, finds the data and approves it.
if ! "$radice/usr/bin/quirlo-verifica" >"$lavoro/verifica.log" 2>&1; then
  cat "$lavoro/verifica.log" >&2
  sbaglia "quirlo-verifica on the installed data"
fi
grep -q "usr/lib/quirlo" "$lavoro/verifica.log" || sbaglia "quirlo-verifica did not check its own folder"

# A teacher's own copy of a list in the user folder is what the checker reads.
personale="$XDG_DATA_HOME/quirlo"
mkdir -p "$personale"
head -n 5 "$app/lista2.txt" >"$personale/lista2.txt"
if ! "$radice/usr/bin/quirlo-verifica" >"$lavoro/verifica-utente.log" 2>&1; then
  cat "$lavoro/verifica-utente.log" >&2
  sbaglia "quirlo-verifica on a list in the user folder"
fi
grep -qF "lista2.txt: letta da «$personale»" "$lavoro/verifica-utente.log" ||
  { cat "$lavoro/verifica-utente.log" >&2; sbaglia "quirlo-verifica did not read lista2.txt from the user folder"; }
grep -q "lista3.txt: letta da «.*usr/lib/quirlo»" "$lavoro/verifica-utente.log" ||
  sbaglia "quirlo-verifica did not read lista3.txt from the program folder"
rm -r "$personale"

# The installed game, started through its launcher, opens its start screen.
QT_QPA_PLATFORM=offscreen QUIRLO_TRACCIA=1 "$radice/usr/bin/$comando" >"$lavoro/gioco.log" 2>&1 &
gioco_pid=$!
for _ in $(seq 100); do
  grep -q "^QUIRLO aperta FormAvvio" "$lavoro/gioco.log" && break
  kill -0 "$gioco_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "^QUIRLO aperta FormAvvio" "$lavoro/gioco.log" || { cat "$lavoro/gioco.log" >&2; sbaglia "the game did not open FormAvvio"; }
kill -0 "$gioco_pid" 2>/dev/null || sbaglia "the game ended by itself"
kill "$gioco_pid" 2>/dev/null || true
wait "$gioco_pid" 2>/dev/null || true
gioco_pid=""

# The teachers' word editor: beside the game, on the PATH, in the menu with its
# own icon, documented; through its launcher it reads the installed lists and
# writes only in the user folder.
editor="$radice/usr/bin/quirlo-parole"
[[ "$(readlink -f "$editor")" == "$(readlink -f "$app/quirlo-parole")" ]] || sbaglia "usr/bin/quirlo-parole"
desktop_editor="$radice/usr/share/applications/org.example.quirlo.parole.desktop"
desktop-file-validate "$desktop_editor" || sbaglia "desktop-file-validate (editor)"
appstreamcli validate --no-net "$radice/usr/share/metainfo/org.example.quirlo.parole.metainfo.xml" \
  >"$lavoro/appstream-editor.log" 2>&1 || { cat "$lavoro/appstream-editor.log" >&2; sbaglia "appstreamcli (editor)"; }
grep -qx "Exec=quirlo-parole" "$desktop_editor" || sbaglia "the editor's entry does not start quirlo-parole"
for dimensione in 32x32 64x64 128x128 256x256; do
  [[ -f "$radice/usr/share/icons/hicolor/$dimensione/apps/quirlo-parole.png" ]] || sbaglia "no $dimensione editor icon"
done
for pagina in man1/quirlo-parole.1 it/man1/quirlo-parole.1; do
  [[ -f "$radice/usr/share/man/$pagina.gz" ]] || sbaglia "no manual page $pagina"
done
"$editor" --elenca lista3 >"$lavoro/elenca.log" 2>&1 || sbaglia "quirlo-parole --elenca"
grep -q "^ba-na-na$" "$lavoro/elenca.log" || { cat "$lavoro/elenca.log" >&2; sbaglia "quirlo-parole did not list lista3"; }
convert -size 400x300 xc:orange "$lavoro/foto.png"
"$editor" --aggiungi lista2 lago "$lavoro/foto.png" >"$lavoro/aggiungi.log" 2>&1 ||
  { cat "$lavoro/aggiungi.log" >&2; sbaglia "quirlo-parole --aggiungi"; }
[[ -f "$XDG_DATA_HOME/quirlo/lista2.txt" && -f "$XDG_DATA_HOME/quirlo/jpg/lago.jpg" ]] ||
  sbaglia "quirlo-parole did not write in the user folder"
[[ ! -e "$app/jpg/lago.jpg" ]] && cmp -s "$sorgente/data/lista2.txt" "$app/lista2.txt" ||
  sbaglia "quirlo-parole wrote in the program's folder"
# The picture library comes with the editor, whole, and its search finds it.
cmp -s "$sorgente/data/biblioteca/indice.tsv" "$app/biblioteca/indice.tsv" || sbaglia "biblioteca/indice.tsv not installed as shipped"
disegni_biblioteca=$(find "$sorgente/data/biblioteca" -name '*.png' | wc -l)
[[ $(find "$app/biblioteca" -name '*.png' | wc -l) -eq $disegni_biblioteca ]] || sbaglia "the picture library is not installed whole"
"$editor" --cerca panda >"$lavoro/cerca.log" 2>&1 && grep -q "^panda	biblioteca/noto/panda.png$" "$lavoro/cerca.log" ||
  { cat "$lavoro/cerca.log" >&2; sbaglia "quirlo-parole --cerca"; }
"$editor" --aggiungi lista2 panda --disegno panda >"$lavoro/disegno.log" 2>&1 && [[ -f "$XDG_DATA_HOME/quirlo/jpg/panda.jpg" ]] ||
  { cat "$lavoro/disegno.log" >&2; sbaglia "quirlo-parole --aggiungi --disegno"; }
"$radice/usr/bin/quirlo-verifica" >"$lavoro/verifica-editor.log" 2>&1 ||
  { cat "$lavoro/verifica-editor.log" >&2; sbaglia "quirlo-verifica after quirlo-parole --aggiungi"; }
rm -r "$XDG_DATA_HOME/quirlo"
intestazione=$(readelf -h -l -d "$app/quirlo-parole")
grep -q "Type:.*DYN" <<<"$intestazione" && grep -q "GNU_RELRO" <<<"$intestazione" ||
  sbaglia "quirlo-parole is not hardened"

# lintian: no error, and no warning but those explained in the README
# ("Il pacchetto Debian / The Debian package") and listed here.
ammessi=()
lintian --tag-display-limit 0 "$deb" >"$lavoro/lintian.log" 2>&1 || true
echo "lintian: $(grep -c "^[EW]: " "$lavoro/lintian.log") errori e avvisi"
while read -r riga; do
  etichetta=$(awk '{print $3}' <<<"$riga")
  spiegata=0
  for a in "${ammessi[@]}"; do [[ "$etichetta" == "$a" ]] && spiegata=1; done
  ((spiegata)) || sbaglia "lintian: $riga"
done < <(grep '^[EW]: ' "$lavoro/lintian.log")

# Hardened as a distribution builds: PIE, full RELRO, bind now, stack protector, fortify.
# (Read whole first: grep -q closing the pipe early would fail it under pipefail.)
for f in "${programmi[@]}" moduli/libquirlo-suono.so moduli/libquirlo-sintesi.so; do
  elf="$app/$f"
  intestazione=$(readelf -h -l -d "$elf")
  simboli=$(readelf --dyn-syms -W "$elf")
  grep -q "Type:.*DYN" <<<"$intestazione" || sbaglia "$f is not PIE"
  grep -q "GNU_RELRO" <<<"$intestazione" || sbaglia "$f has no RELRO"
  grep -Eq "BIND_NOW|FLAGS.*NOW" <<<"$intestazione" || sbaglia "$f is not bound now"
  grep -q "__stack_chk_fail" <<<"$simboli" || sbaglia "$f has no stack protector"
done
# Fortify swaps a call for its checked twin only where the buffer's size is
# known, so a program can end up with no _chk call at all: what must hold is
# that every source of the programs was compiled with it.
senza=$(python3 -c '
import json, sys
comandi = json.load(open(sys.argv[1]))
print(sum(1 for c in comandi if "/src/" in c["file"] and "-D_FORTIFY_SOURCE=2" not in c["command"]))
' "$build/compile_commands.json")
[[ "$senza" == 0 ]] || sbaglia "$senza sources of the programs compiled without _FORTIFY_SOURCE=2"

if ((errori)); then
  echo "$errori controlli falliti" >&2
  exit 1
fi
echo "pacchetto a posto"

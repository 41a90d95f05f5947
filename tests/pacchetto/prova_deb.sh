#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it into a scratch
# root and checks what a user would get: the layout, the declared
# dependencies, a valid menu entry and metadata, data the installed programs
# find beside themselves, and a game that starts.
# Usage: prova_deb.sh BUILD_DIR SOURCE_DIR
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

for strumento in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
  command -v "$strumento" >/dev/null || { echo "manca $strumento: bash scripts/dipendenze.sh package" >&2; exit 1; }
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$lavoro/uscita" >"$lavoro/cpack.log" 2>&1 ||
  { cat "$lavoro/cpack.log" >&2; exit 1; }
pacchetti=("$lavoro"/uscita/quirlo_*.deb)
[[ ${#pacchetti[@]} -eq 1 && -f "${pacchetti[0]}" ]] || { echo "no single quirlo_*.deb" >&2; exit 1; }
deb="${pacchetti[0]}"
echo "pacchetto: $(basename "$deb") ($(stat -c %s "$deb") byte)"

# Dependencies: the Qt 6 runtime and libsndfile found by dpkg-shlibdeps, plus the fonts.
dipendenze="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $dipendenze"
for richiesto in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libsndfile1 fonts-liberation2; do
  grep -Eq "(^|, )$richiesto( |,|$)" <<<"$dipendenze" || sbaglia "Depends lacks $richiesto"
done
[[ "$(dpkg-deb -f "$deb" Package)" == quirlo ]] || sbaglia "package name"

radice="$lavoro/radice"
dpkg -x "$deb" "$radice"
app="$radice/usr/lib/quirlo"

# The self-contained folder: programs and the data they read beside themselves.
for f in quirlo quirlo-verifica; do
  [[ -f "$app/$f" && -x "$app/$f" ]] || sbaglia "missing program $app/$f"
done
for f in lista2.txt lista3.txt lista4.txt lista5.txt suoni/si1.wav suoni/si2.wav suoni/si3.wav suoni/si4.wav suoni/no.wav; do
  cmp -s "$sorgente/data/$f" "$app/$f" || sbaglia "$f not installed as shipped"
done
disegni_sorgente=$(find "$sorgente/data/jpg" -name '*.jpg' | wc -l)
disegni_installati=$(find "$app/jpg" -name '*.jpg' | wc -l)
[[ $disegni_sorgente -gt 0 && $disegni_installati -eq $disegni_sorgente ]] ||
  sbaglia "drawings: $disegni_installati installed, $disegni_sorgente shipped"

# Launchers on the PATH lead to the real programs.
for f in quirlo quirlo-verifica; do
  [[ "$(readlink -f "$radice/usr/bin/$f")" == "$(readlink -f "$app/$f")" ]] || sbaglia "usr/bin/$f does not lead to $app/$f"
done

# Menu entry, icons, metadata.
desktop="$radice/usr/share/applications/org.example.quirlo.desktop"
metainfo="$radice/usr/share/metainfo/org.example.quirlo.metainfo.xml"
desktop-file-validate "$desktop" || sbaglia "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >"$lavoro/appstream.log" 2>&1 || { cat "$lavoro/appstream.log" >&2; sbaglia "appstreamcli validate"; }
comando=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -n "$comando" && -e "$radice/usr/bin/$comando" ]] || sbaglia "Exec=$comando is not an installed launcher"
icona=$(sed -n 's/^Icon=//p' "$desktop")
for dimensione in 32x32 64x64 128x128 256x256; do
  [[ -f "$radice/usr/share/icons/hicolor/$dimensione/apps/$icona.png" ]] || sbaglia "no $dimensione icon named $icona"
done
[[ -f "$radice/usr/share/icons/hicolor/scalable/apps/$icona.svg" ]] || sbaglia "no scalable icon named $icona"

# The installed checker, started through its launcher, finds the data and approves it.
if ! "$radice/usr/bin/quirlo-verifica" >"$lavoro/verifica.log" 2>&1; then
  cat "$lavoro/verifica.log" >&2
  sbaglia "quirlo-verifica on the installed data"
fi
grep -q "usr/lib/quirlo" "$lavoro/verifica.log" || sbaglia "quirlo-verifica did not check its own folder"

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

if ((errori)); then
  echo "$errori controlli falliti" >&2
  exit 1
fi
echo "pacchetto a posto"

#!/usr/bin/env bash
# Measures Quirlo's speed and memory in a Release build and prints one table:
# figure, median, target, met? Exits non-zero when a target is missed.
#   bash scripts/misura.sh               plain table
#   bash scripts/misura.sh --markdown    the table for the README
# With a PulseAudio binary on the machine (`scripts/dipendenze.sh suono`) the
# game and the benchmarks play into a private null sink, so the sound's cost is
# that of a real audio output; without it they are silent, and the table says so.
set -euo pipefail
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cartella="${QUIRLO_MISURA_DIR:-$radice/build-misura}"
ripetizioni="${QUIRLO_MISURA_RIPETIZIONI:-20}"
formato=()
[[ "${1:-}" == "--markdown" ]] && formato=(--markdown)

bash "$radice/scripts/dipendenze.sh" build bench
cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIRLO_BENCH=ON -DQUIRLO_TESTS=OFF >/dev/null
cmake --build "$cartella" --target quirlo quirlo_bench quirlo_vuota quirlo_disegni_pesanti quirlo-parole \
  quirlo_bench_foto quirlo_bench_schede >/dev/null
misure="$cartella/misure"
mkdir -p "$misure"

temporanea="$(mktemp -d)"
pid_suono=""
pulisci() {
  if [[ -n "$pid_suono" ]]; then kill "$pid_suono" 2>/dev/null || true; wait "$pid_suono" 2>/dev/null || true; fi
  rm -rf "$temporanea"
}
trap pulisci EXIT
if command -v pulseaudio >/dev/null && command -v pactl >/dev/null; then
  # A server of our own on a socket of our own: nothing else on the machine talks to it.
  HOME="$temporanea" PULSE_RUNTIME_PATH="$temporanea" PULSE_STATE_PATH="$temporanea" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$temporanea/native auth-anonymous=1" \
    -L "module-null-sink sink_name=quirlo_misura" >"$temporanea/pulseaudio.log" 2>&1 &
  pid_suono=$!
  export PULSE_SERVER="unix:$temporanea/native"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || { echo "PulseAudio did not start; measuring without sound" >&2; unset PULSE_SERVER; }
fi

echo "Benchmarks ($ripetizioni repetitions each)..." >&2
"$cartella/bin/quirlo_bench" --benchmark_repetitions="$ripetizioni" --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 --benchmark_out="$misure/banco.json" --benchmark_out_format=json >/dev/null
echo "Peak memory with the heaviest drawings accepted..." >&2
"$cartella/bin/quirlo_disegni_pesanti" --runs 3 --json "$misure/disegni.json"
echo "Start-up and memory under Xvfb..." >&2
python3 "$radice/bench/avvio.py" "$cartella/bin/quirlo" --floor "$cartella/bin/quirlo_vuota" \
  --runs "$ripetizioni" --memory-runs 3 --json "$misure/avvio.json"

echo
echo "Quirlo $(git -C "$radice" describe --always --dirty 2>/dev/null || echo '?'), Release build, $(date '+%Y-%m-%d %H:%M')"
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
  "$(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(. /etc/os-release && echo "$PRETTY_NAME")," \
  "Qt $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | cut -d+ -f1); load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Medians: start-up of $ripetizioni runs per exercise window (start screen and menu: all runs), peak RSS of 3."
echo
# A missed target fails the script, after the editor's figures too.
esito=0
python3 "$radice/bench/tabella.py" "$misure/banco.json" "$misure/avvio.json" "$misure/disegni.json" "${formato[@]}" || esito=$?
echo
echo "The word editor (quirlo-parole), medians of 10 runs:"
python3 "$radice/bench/parole.py" "$cartella/bin" --runs 10 --json "$misure/parole.json"
exit "$esito"

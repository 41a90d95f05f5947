#!/usr/bin/env bash
# Plays the shipped sounds into a PulseAudio null sink, records its monitor,
# and prints how much of each sound came out. Usage: misura.sh BUILD_DIR [FILE.wav ...]
set -euo pipefail
build="${1:?build folder}"
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
tmp="$(mktemp -d)"
export XDG_RUNTIME_DIR="$tmp/run"; mkdir -p "$XDG_RUNTIME_DIR"
pulseaudio -D --exit-idle-time=-1 --disallow-exit -n \
  --load="module-native-protocol-unix" --load="module-null-sink sink_name=nulla" >/dev/null 2>&1
trap 'pulseaudio -k >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT
sleep 1
pactl set-default-sink nulla
shift
elenco=("$@")
((${#elenco[@]})) || elenco=("$radice"/data/suoni/{si1,si2,si3,si4,no}.wav)
for wav in "${elenco[@]}"; do
  f="$(basename "$wav" .wav)"
  parec -d nulla.monitor --format=s16le --rate=44100 --channels=2 --raw > "$tmp/$f.raw" &
  rec=$!
  sleep 0.5
  "$build/tools/suono/quirlo-suona" "$wav" >/dev/null 2>&1
  sleep 0.5
  kill $rec; wait $rec 2>/dev/null || true
  # Samples above the noise floor in the capture against those in the file.
  fuori=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$tmp/$f.raw" -n stat 2>&1 | awk '/Length/ {print $3}')
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$tmp/$f.raw" "$tmp/$f.cap.wav" silence 1 1 0.1% reverse silence 1 1 0.1% reverse 2>/dev/null
  sox "$wav" "$tmp/$f.src.wav" silence 1 1 0.1% reverse silence 1 1 0.1% reverse 2>/dev/null
  dur_cap=$(soxi -D "$tmp/$f.cap.wav" 2>/dev/null || echo 0)
  dur_src=$(soxi -D "$tmp/$f.src.wav")
  printf '%s: heard %.3f s of %.3f s (%.0f%%), capture %s s\n' "$f" "$dur_cap" "$dur_src" \
    "$(echo "100*$dur_cap/$dur_src" | bc -l)" "$fuori"
done

#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
# Usage: scripts/dipendenze.sh build|test|bench|suono|package|windows|voci
set -euo pipefail

pacchetti=(cmake ninja-build g++ pkgconf qt6-base-dev libpulse-dev libsndfile1-dev libxcb1-dev libfontconfig-dev
           libespeak-ng-dev fonts-liberation2 fonts-dejavu-core qt6-translations-l10n)
for scopo in "$@"; do
  case "$scopo" in
    build) ;;
    test) pacchetti+=(xvfb xauth xdotool x11-utils imagemagick python3 clang libclang-rt-14-dev valgrind poppler-utils
                        dbus at-spi2-core python3-pyatspi) ;;
    bench) pacchetti+=(libbenchmark-dev xvfb xdotool x11-utils python3) ;;
    # A sound server for measuring drops with a real (null) audio output. Not part of
    # 'bench': on a desktop running PipeWire it would replace pipewire-pulse.
    suono) pacchetti+=(pulseaudio pulseaudio-utils) ;;
    package) pacchetti+=(dpkg-dev file desktop-file-utils appstream lintian binutils-mingw-w64-x86-64 python3-markdown) ;;
    # Cross-building for Windows and testing under Wine (scripts/windows.sh).
    windows) pacchetti+=(g++-mingw-w64-x86-64-posix mingw-w64 binutils-mingw-w64-x86-64 dpkg-dev
                         qt6-base-dev-tools wine wine64 nsis xvfb xauth xdotool x11-utils imagemagick
                         python3 python3-markdown) ;;
    # Making the spoken words in data/voci again (tools/voices).
    voci) pacchetti+=(festival festlex-ifd festvox-italp16k python3) ;;
    *) echo "unknown purpose: $scopo" >&2; exit 2 ;;
  esac
done

mancanti=()
for p in "${pacchetti[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    mancanti+=("$p")
  fi
done
if ((${#mancanti[@]})); then
  echo "Installo / installing: ${mancanti[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${mancanti[@]}" >/dev/null
fi

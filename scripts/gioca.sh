#!/usr/bin/env bash
# Builds Quirlo and its list checker (build/bin/quirlo-verifica), then starts the game on the data in data/.
set -euo pipefail
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh" build
cmake -S "$radice" -B "$radice/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIRLO_TESTS=OFF >/dev/null
cmake --build "$radice/build" --target quirlo quirlo-verifica quirlo-parole
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Nessuno schermo disponibile / no display available: prova con / try: xvfb-run -s '-screen 0 1280x1024x24' $radice/build/bin/quirlo"
  exit 1
fi
exec "$radice/build/bin/quirlo"

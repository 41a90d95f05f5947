#!/usr/bin/env bash
# Builds every package of Quirlo from scratch, checks each one and leaves them in dist/:
#
#   quirlo_<version>_amd64.deb   Debian 12 (and Ubuntu, Mint, ...): the game, its programs, the data
#   Quirlo-setup.exe             Windows: installs for the current user, no administrator needed
#   Quirlo-portable.zip          Windows without installing (a USB key): unzip, start Quirlo.exe
#   SHA256SUMS                   check with: cd dist && sha256sum -c SHA256SUMS
#   DIMENSIONI.txt               the size of each package
#
#   bash scripts/pacchetti.sh             all three
#   bash scripts/pacchetti.sh --solo-deb  the Debian package alone (needs no Windows Qt)
#
# What goes into the packages is decided by the project's install rules
# (packaging/CMakeLists.txt): the .deb is CPack's, the Windows folder is the same
# rules' install, packed by scripts/windows.sh. The .deb is checked by
# tests/pacchetto/prova_deb.sh (lintian included), the Windows packages by
# windows.sh's tests under Wine. dist/ is replaced only when everything passed.
set -euo pipefail

radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
lavoro=${QUIRLO_BUILD_PACCHETTI:-$radice/build-pacchetti}
dist=$radice/dist
windows=1
for a in "$@"; do
  case "$a" in
    --solo-deb) windows=0 ;;
    *) echo "pacchetti.sh: unknown option: $a" >&2; exit 2 ;;
  esac
done

inizio=$(date +%s)
tempi=()
passo_corrente=""
inizio_passo=$inizio
passo() {
  local adesso
  adesso=$(date +%s)
  [[ -z $passo_corrente ]] || tempi+=("$(printf '%5ds  %s' $((adesso - inizio_passo)) "$passo_corrente")")
  passo_corrente=$1
  inizio_passo=$adesso
  printf '\n== [%s, %ds] %s\n' "$(date +%H:%M:%S)" $((adesso - inizio)) "$1"
}
trap 'echo "pacchetti.sh: FAILED at step \"$passo_corrente\"; dist/ left as it was" >&2' ERR

lanciatore=()
if command -v ccache > /dev/null; then lanciatore=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

passo "Debian packages needed to build"
bash "$radice/scripts/dipendenze.sh" build package

passo "Linux: configure and build from scratch ($lavoro/linux)"
rm -rf "$lavoro"
mkdir -p "$lavoro/uscita"
linux=$lavoro/linux
cmake -S "$radice" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIRLO_TESTS=OFF "${lanciatore[@]}" \
  > "$lavoro/linux-configure.log" 2>&1 || { tail -30 "$lavoro/linux-configure.log" >&2; false; }
nice -n "${QUIRLO_NICE:-10}" cmake --build "$linux" > "$lavoro/linux-build.log" 2>&1 \
  || { grep -B2 -A20 -m3 'FAILED\|error' "$lavoro/linux-build.log" >&2; false; }
echo "programs: $(tr '\n' ' ' < "$linux/programmi.txt")"

passo "Debian package"
cpack -G DEB --config "$linux/CPackConfig.cmake" -B "$lavoro/cpack" > "$lavoro/cpack.log" 2>&1 \
  || { cat "$lavoro/cpack.log" >&2; false; }
deb=("$lavoro"/cpack/quirlo_*.deb)
[[ ${#deb[@]} -eq 1 && -f ${deb[0]} ]] || { echo "expected one quirlo_*.deb in $lavoro/cpack" >&2; false; }
cp "${deb[0]}" "$lavoro/uscita/"

passo "Debian package: check (tests/pacchetto/prova_deb.sh, lintian)"
bash "$radice/tests/pacchetto/prova_deb.sh" "$linux" "$radice" "${deb[0]}"

if ((windows)); then
  passo "Windows: build from scratch, test under Wine, package (scripts/windows.sh)"
  finestre=$lavoro/windows
  QUIRLO_BUILD_WINDOWS=$finestre bash "$radice/scripts/windows.sh"
  cp "$finestre/Quirlo-setup.exe" "$finestre/Quirlo-portable.zip" "$lavoro/uscita/"
fi

passo "dist/: checksums and sizes"
(
  cd "$lavoro/uscita"
  pacchi=(*)
  sha256sum "${pacchi[@]}" > SHA256SUMS
  stat -c '%s %n' "${pacchi[@]}" | awk '{ printf "%12d byte  %6.1f MiB  %s\n", $1, $1 / 1048576, $2 }' > DIMENSIONI.txt
)
rm -rf "$dist"
mv "$lavoro/uscita" "$dist"

passo "done"
echo "in $dist:"
cat "$dist/DIMENSIONI.txt"
echo
echo "time by step:"
printf '%s\n' "${tempi[@]}"
printf '%5ds  total\n' $(($(date +%s) - inizio))

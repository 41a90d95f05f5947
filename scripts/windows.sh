#!/usr/bin/env bash
# Builds Quirlo for Windows from Linux (Debian 12), tests it under Wine and packages it.
#
#   bash scripts/windows.sh            everything: Qt (once, cached), Quirlo, tests, packages
#   bash scripts/windows.sh --solo-qt  only the Windows Qt, into the cache
#
# Qt for Windows is built from Debian's own qt6-base source with Debian's MinGW-w64
# compiler and installed into ${QUIRLO_CACHE:-~/.cache/quirlo}/qt6-win/<key>, the key
# naming the source version, the compiler version and a hash of the options, so a
# change to any of them builds a new Qt and an unchanged one is reused.
set -euo pipefail

radice=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${QUIRLO_CACHE:-$HOME/.cache/quirlo}
build=${QUIRLO_BUILD_WINDOWS:-$radice/build-windows}
jobs=${QUIRLO_JOBS:-2}
solo_qt=0
for a in "$@"; do
  case "$a" in
    --solo-qt) solo_qt=1 ;;
    *) echo "windows.sh: unknown option: $a" >&2; exit 2 ;;
  esac
done

passo_corrente="start"
inizio_script=$(date +%s)
passo() {
  passo_corrente=$1
  printf '\n== [%s, %ds] %s\n' "$(date +%H:%M:%S)" $(($(date +%s) - inizio_script)) "$1"
}
fallito() {
  local rc=$?
  printf '\nwindows.sh: FAILED at step "%s" (exit code %d)\n' "$passo_corrente" "$rc" >&2
  exit "$rc"
}
trap fallito ERR

# ---------------------------------------------------------------------------------------
passo "Debian packages"
bash "$radice/scripts/dipendenze.sh" windows

# ---------------------------------------------------------------------------------------
passo "Qt for Windows: source"
mkdir -p "$cache"
# A private apt configuration: the source index lives in the cache, the machine's apt
# configuration is never touched.
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
echo 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main' \
  > "$apt_dir/sources.list"
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
          -o "APT::Sandbox::User=root")
sorgenti=$cache/src
mkdir -p "$sorgenti"
qt_src=$(find "$sorgenti" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' 2>/dev/null | sort | tail -1)
if [[ -z $qt_src || ! -f $qt_src/.quirlo-completo ]]; then
  echo "fetching the qt6-base source from Debian's archive"
  apt-get "${apt_opts[@]}" -qq update
  rm -rf "$sorgenti"/qt6-base-* "$sorgenti"/qt6-base_*
  (cd "$sorgenti" && apt-get "${apt_opts[@]}" -qq source qt6-base >/dev/null)
  qt_src=$(find "$sorgenti" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | sort | tail -1)
  [[ -n $qt_src ]] || { echo "no qt6-base source was unpacked" >&2; false; }
  touch "$qt_src/.quirlo-completo"
fi
qt_ver=$(basename "$(ls "$sorgenti"/qt6-base_*.dsc | sort | tail -1)" .dsc)
qt_ver=${qt_ver#qt6-base_}
echo "source: $qt_src (version $qt_ver)"

gcc_ver=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
mingw_ver=$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)

toolchain_testo='set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)'

qt_opzioni=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  -DFEATURE_openssl=OFF -DFEATURE_testlib=ON -DFEATURE_widgets=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_jpeg=ON -DFEATURE_gif=ON -DFEATURE_ico=ON
  -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF -DFEATURE_dynamicgl=OFF
  # Direct2D would build a second Windows platform plugin (qdirect2d) the game does not
  # use; without it DirectWrite 3's font database cannot link. Text is drawn by the
  # Windows plugin's default engine either way.
  -DFEATURE_direct2d=OFF -DFEATURE_direct2d1_1=OFF -DFEATURE_directwrite3=OFF
)
hash_opzioni=$(printf '%s\n' "$toolchain_testo" "${qt_opzioni[@]}" | sha256sum | cut -c1-12)
chiave="qt-${qt_ver}-gcc${gcc_ver}-mingw${mingw_ver}-${hash_opzioni}"
chiave=${chiave//[^A-Za-z0-9._-]/_}
qt_prefix=$cache/qt6-win/$chiave
echo "Qt key: $chiave"

if [[ -f $qt_prefix/.quirlo-completo ]]; then
  echo "Windows Qt found in the cache: $qt_prefix"
else
  # An interrupted build of the same key is resumed; anything else starts afresh
  # (cached feature values of other options would survive a reconfigure).
  qt_build=${QUIRLO_QT_BUILD:-$cache/build-qt6-win}
  if [[ $(cat "$qt_build/.quirlo-chiave" 2>/dev/null) != "$chiave" ]]; then
    passo "Qt for Windows: configure ($chiave)"
    rm -rf "$qt_build" "$qt_prefix"
    mkdir -p "$qt_build" "$qt_prefix"
    # The toolchain file is kept next to the installed Qt: Qt's own toolchain file loads it.
    printf '%s\n' "$toolchain_testo" > "$qt_prefix/mingw-w64-x86_64.cmake"
    # pkg-config must never hand the host's Linux libraries to a Windows build.
    PKG_CONFIG_LIBDIR=/nonexistent nice -n 10 cmake -S "$qt_src" -B "$qt_build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/mingw-w64-x86_64.cmake" \
      -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_opzioni[@]}" > "$qt_build/configure.log" 2>&1 \
      || { tail -40 "$qt_build/configure.log" >&2; false; }
    echo "$chiave" > "$qt_build/.quirlo-chiave"
  else
    echo "resuming the build in $qt_build"
  fi

  passo "Qt for Windows: build (25-40 minutes on 2 cores; log: $qt_build/build.log)"
  # Progress: ninja's [n/total] lines, one every 50 steps.
  nice -n "${QUIRLO_NICE:-10}" ninja -C "$qt_build" -j"$jobs" > "$qt_build/build.log" 2>&1 &
  ninja_pid=$!
  while kill -0 "$ninja_pid" 2>/dev/null; do
    sleep 30
    ultima=$(grep -o '^\[[0-9]*/[0-9]*\]' "$qt_build/build.log" | tail -1 || true)
    echo "  $(date +%H:%M:%S) ${ultima:-starting}"
  done
  wait "$ninja_pid" || { grep -B2 -A20 -m3 'FAILED\|error:' "$qt_build/build.log" >&2; false; }

  passo "Qt for Windows: install into $qt_prefix"
  nice -n "${QUIRLO_NICE:-10}" ninja -C "$qt_build" install > "$qt_build/install.log" 2>&1 \
    || { tail -40 "$qt_build/install.log" >&2; false; }
  touch "$qt_prefix/.quirlo-completo"
  du -sh "$qt_prefix"
  # The build tree (~900 MB) is not needed once Qt is installed.
  rm -rf "$qt_build"
fi
if ((solo_qt)); then
  passo "done (Qt only)"
  exit 0
fi

# ---------------------------------------------------------------------------------------
passo "Quirlo for Windows: configure and build ($build)"
mkdir -p "$build"
lanciatore=()
if command -v ccache > /dev/null; then lanciatore=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$radice" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${lanciatore[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$qt_prefix/mingw-w64-x86_64.cmake" \
  -DQUIRLO_WINEPREFIX="$build/wine" > "$build/configure.log" 2>&1 \
  || { tail -40 "$build/configure.log" >&2; false; }
cmake --build "$build" -j"$jobs" > "$build/build.log" 2>&1 \
  || { grep -B2 -A20 -m3 'FAILED\|error' "$build/build.log" >&2; false; }
echo "built: $(cd "$build/bin" && ls ./*.exe | tr '\n' ' ')"

# ---------------------------------------------------------------------------------------
passo "portable folder: $build/Quirlo"
portatile=$build/Quirlo
rm -rf "$portatile"
# The project's own install rules lay out the folder: every program, the lists,
# drawings and sounds, the licence and the notes on the data.
cmake --install "$build" --prefix "$portatile" > "$build/install.log" 2>&1 \
  || { tail -20 "$build/install.log" >&2; false; }
mkdir -p "$portatile"/{platforms,styles,imageformats}
cp "$qt_prefix"/bin/Qt6{Core,Gui,Widgets}.dll "$portatile/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$portatile/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$portatile/styles/"
cp "$qt_prefix"/plugins/imageformats/q{jpeg,gif,ico}.dll "$portatile/imageformats/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$portatile/"
done
find "$portatile" -name '*.exe' -o -name '*.dll' | while read -r f; do x86_64-w64-mingw32-strip --strip-unneeded "$f"; done
# Every DLL a program or plugin imports is in the folder or is part of Windows.
mancano=0
while read -r f; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
    if [[ ! -f $portatile/$dll ]] && { [[ -f $qt_prefix/bin/$dll ]] || [[ -f $(x86_64-w64-mingw32-g++-posix -print-file-name="$dll") ]]; }; then
      echo "missing from the portable folder: $dll (needed by ${f#"$portatile"/})" >&2
      mancano=1
    fi
  done
done < <(find "$portatile" -name '*.exe' -o -name '*.dll')
((mancano == 0))
du -sh "$portatile"

# ---------------------------------------------------------------------------------------
passo "Quirlo-portable.zip"
rm -f "$build/Quirlo-portable.zip"
# Python's zip marks names as UTF-8 (Info-ZIP does not in a C.UTF-8 locale), so
# Windows unpacks "pedalò.jpg" under its own name and not in code page 850.
(cd "$build" && python3 -m zipfile -c Quirlo-portable.zip Quirlo)
ls -l "$build/Quirlo-portable.zip" | awk '{print $5 " bytes"}'

passo "Quirlo-setup.exe (NSIS)"
# The installer lists every file it installs and its uninstaller removes exactly those.
elenco=$build/nsis-installa.nsh
rimozione=$build/nsis-disinstalla.nsh
bash "$radice/packaging/windows/elenchi-nsis.sh" "$portatile" "$elenco" "$rimozione"
rm -f "$build/Quirlo-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DCARTELLA="$portatile" -DELENCO="$elenco" -DDISINSTALLA="$rimozione" \
  -DUSCITA="$build/Quirlo-setup.exe" -DICONA="$radice/packaging/icons/quirlo.ico" \
  "$radice/packaging/windows/quirlo.nsi" > "$build/nsis.log" 2>&1 || { cat "$build/nsis.log" >&2; false; }
ls -l "$build/Quirlo-setup.exe" | awk '{print $5 " bytes"}'

# ---------------------------------------------------------------------------------------
passo "Wine prefix ($build/wine)"
if [[ ! -f $build/wine/system.reg ]]; then
  # No display: Wine sets the prefix up without showing anything.
  env -u DISPLAY WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree=d;mshtml=d' \
    wineboot -i > "$build/wineboot.log" 2>&1 || { tail -20 "$build/wineboot.log" >&2; false; }
  WINEPREFIX="$build/wine" wineserver -w
fi

passo "tests under Wine (ctest -L windows)"
ripeti=${QUIRLO_WINDOWS_RIPETI:-1}
for ((volta = 1; volta <= ripeti; volta++)); do
  ((ripeti == 1)) || echo "run $volta of $ripeti"
  env -u DISPLAY ctest --test-dir "$build" -L windows --output-on-failure --timeout 600
done

passo "done"
echo "portable folder: $portatile"
echo "portable zip:    $build/Quirlo-portable.zip"
echo "setup program:   $build/Quirlo-setup.exe"

#!/usr/bin/env bash
# Pinvane build, run and test script for Debian.
#   ./pinvane.sh run    build Pinvane.exe and start it under Wine
#   ./pinvane.sh test   build everything and run every test layer
# Both install the Debian packages they need first.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=$ROOT/build
JOBS=$(nproc 2>/dev/null || echo 2)

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev nlohmann-json3-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic imagemagick bc ccache locales
)

log() { printf '== %s\n' "$*" >&2; }

# Compiler cache: rebuilds on the same machine (and in other checkouts of the
# tree, thanks to the base directory) reuse earlier objects.
use_ccache() {
  command -v ccache >/dev/null || return 0
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
}

ensure_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
  fi
}

# Wine gives Windows programs the Unix file names it can translate in the
# locale's character set: with the ja_JP.UTF-8 locale generated, a folder
# named in any script ("Müller ☕") can be opened. Generated once.
ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  log "generating the ja_JP.UTF-8 locale"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
}

wine_env() {
  export WINEPREFIX=$BUILD/wineprefix
  export WINEDEBUG=-all
  export WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml="
  { export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8; } 2>/dev/null  # ANSI code page 932 inside Wine
}

XVFB_PID=""
# start_xvfb [WIDTHxHEIGHT]: a virtual screen, 1280x1024 unless given.
start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || break
  done
  Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    [ -e /tmp/.X11-unix/X$n ] && return 0
    sleep 0.1
  done
  log "Xvfb did not start"; return 1
}

stop_all() {
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""; fi
}

init_prefix() {
  wine_env
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >"$BUILD/wineboot.log" 2>&1 || true
    wineserver -w
    # Without a window manager Wine stalls on every hide; let it draw frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$BUILD/wineboot.log" 2>&1
    wineserver -w
  fi
}

# Keeps the server up (each program then starts fast) and starts Wine's own
# background processes with their output in a file: started from a test,
# they would inherit its output pipe and hold it open until the server ends.
start_wine_services() {
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >"$BUILD/wine-services.log" 2>&1 || true
}

build_native() {
  cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DPV_SANITIZE=ON >"$BUILD/native-config.log"
  cmake --build "$BUILD/native" -j "$JOBS"
}

build_fuzz() {
  cmake -S "$ROOT" -B "$BUILD/fuzz" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DPV_FUZZ=ON -DPV_UNIT_TESTS=OFF -DPV_BENCH=OFF >"$BUILD/fuzz-config.log"
  cmake --build "$BUILD/fuzz" -j "$JOBS"
}

build_win() {
  cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$BUILD/win-config.log"
  cmake --build "$BUILD/win" -j "$JOBS"
}

PASSED=0
FAILED=0
# Runs one CTest tree and adds its counts to the totals.
run_ctest() {
  local name=$1 dir=$2; shift 2
  local out="$BUILD/ctest-$name.log"
  log "tests: $name"
  set +e
  ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$out"
  set -e
  local line total failed
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1 || true)
  if [ -z "$line" ]; then
    if grep -q 'No tests were found' "$out"; then log "$name: no tests"; return; fi
    log "$name: no test summary"; FAILED=$((FAILED + 1)); return
  fi
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  PASSED=$((PASSED + total - failed))
  FAILED=$((FAILED + failed))
}

# Layers of src/, lowest first (see src/CMakeLists.txt): a file includes
# headers of its own layer and of the layers below, never above. res holds
# resource ids for every Win32 layer. Windows and dialogs reach the
# controller through the interfaces of platform/NotifyBridge.h.
PV_LAYERS="data:0 platform:1 res:1 notewin:2 winsel:2 dialogs:2 collections:2 controller:3 app:4"

# Lists "file -> header" for each include that points up the layer order,
# and "folder <-> folder" for two folders that include each other.
upward_includes() {
  (cd "$ROOT/src" && grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z]+/' --include='*.h' --include='*.cpp' .) |
    awk -v layers="$PV_LAYERS" '
      BEGIN { n = split(layers, a, " "); for (i = 1; i <= n; i++) { split(a[i], kv, ":"); rank[kv[1]] = kv[2] + 0 } }
      {
        file = $0; sub(/^\.\//, "", file); sub(/:.*/, "", file)
        from = file; sub(/\/.*/, "", from)
        inc = $0; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)
        to = inc; sub(/\/.*/, "", to)
        if (!(from in rank) || !(to in rank) || from == to) next
        if (rank[to] > rank[from]) print file " -> " inc
        uses[from "|" to] = 1
      }
      END {
        for (pair in uses) {
          split(pair, ft, "|")
          if (ft[1] < ft[2] && ((ft[2] "|" ft[1]) in uses)) print ft[1] " <-> " ft[2]
        }
      }'
}

# Whether test NAME of the last run in tree DIR ended without any output.
ended_without_output() {
  local dir=$1 name=$2
  awk -v want="$name" '
    /^[0-9]+\/[0-9]+ Test: / { sub(/^[0-9]+\/[0-9]+ Test: /, ""); current = $0; next }
    current == want && /^Output:$/ { inside = 1; getline; next }
    inside && /^<end of output>$/ { exit }
    inside { if ($0 != "") printed = 1 }
    END { exit printed ? 1 : 0 }
  ' "$dir/Testing/Temporary/LastTest.log"
}

# The Windows tests. A Wine program very rarely fails to start at all (the
# test ends at once, without output): only such a test runs once more, and
# the summary names every test that needed a second run. A test that
# printed anything and failed is a failure.
RERUN=()
run_windows_tests() {
  local dir=$1 name pattern
  local failed_list="$dir/Testing/Temporary/LastTestsFailed.log"
  # CTest leaves the list of an earlier run in place when every test passes.
  rm -f "$failed_list"
  run_ctest windows "$dir" -j 1
  [ -s "$failed_list" ] || return 0
  local names=()
  while IFS= read -r name; do names+=("${name#*:}"); done <"$failed_list"
  for name in "${names[@]}"; do
    ended_without_output "$dir" "$name" || continue
    RERUN+=("$name")
    pattern="^$(sed 's/[][\.*^$+?(){}|/]/\\&/g' <<<"$name")\$"
    log "re-running $name (it ended without output)"
    if ctest --test-dir "$dir" --output-on-failure --no-tests=error -R "$pattern" >>"$BUILD/ctest-windows-rerun.log" 2>&1; then
      PASSED=$((PASSED + 1)); FAILED=$((FAILED - 1))
    fi
  done
}

# The portable core builds without Win32: no window headers in src/data;
# and no include in src/ points up the layer order.
check_portable_core() {
  local hits
  hits=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"](windows|winuser|wingdi|commctrl)\.h' "$ROOT/src/data" || true)
  if [ -n "$hits" ]; then
    log "src/data includes Win32 headers: $hits"; return 1
  fi
  hits=$(upward_includes)
  if [ -n "$hits" ]; then
    log "includes pointing up the layer order:"; sed 's/^/   /' <<<"$hits" >&2; return 1
  fi
  # Every Win32 call of the program is the wide one: a narrow (...A) call
  # would take the program's UTF-8 texts for the code page.
  hits=$(grep -rnE '::[A-Z][A-Za-z0-9]+A\(' "$ROOT/src" || true)
  if [ -n "$hits" ]; then
    log "narrow Win32 calls in src:"; sed 's/^/   /' <<<"$hits" >&2; return 1
  fi
}

# Display scaling: the scaling scenario and a few screenshots again in copies
# of the prefix whose screen is set to 144 and 192 DPI (Wine has one DPI for
# every monitor, taken from LogPixels when its server starts).
DPI_SCREENS="main-window notes-on-window window-selection properties"
run_dpi_checks() {
  local win=$1 base=$WINEPREFIX dpi prefix
  for dpi in 144 192; do
    prefix=$BUILD/wineprefix-$dpi
    if [ ! -f "$prefix/.logpixels-$dpi" ]; then
      rm -rf "$prefix"
      cp -a "$base" "$prefix"
      WINEPREFIX=$prefix wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >"$BUILD/dpi-$dpi-prefix.log" 2>&1
      WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
      WINEPREFIX=$prefix wineserver -w
      touch "$prefix/.logpixels-$dpi"
    fi
    log "display scaling at $dpi DPI"
    (
      export WINEPREFIX=$prefix
      # A screen of the size such scaling comes with (1280x1024 at 150 %
      # would be a tiny desktop).
      start_xvfb "$((1280 * dpi / 96))x$((800 * dpi / 96))" || exit 1
      start_wine_services
      wine "$win/tests/e2e/pvdpi.exe" scaling "$win/Pinvane.exe" >"$BUILD/dpi-$dpi.log" 2>&1
      status=$?
      SCREENS_ONLY=$DPI_SCREENS bash "$ROOT/scripts/screens.sh" "$win" "$BUILD/screens/dpi-$dpi" >>"$BUILD/dpi-$dpi.log" 2>&1 \
        || status=1
      stop_all
      exit $status
    )
    if [ $? -eq 0 ]; then
      PASSED=$((PASSED + 1))
    else
      log "display scaling at $dpi DPI failed:"; sed 's/^/   /' "$BUILD/dpi-$dpi.log" >&2
      FAILED=$((FAILED + 1))
    fi
  done
}

cmd_test() {
  ensure_packages
  ensure_locale
  use_ccache
  mkdir -p "$BUILD"
  trap stop_all EXIT

  if check_portable_core; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)); fi

  build_native
  run_ctest native "$BUILD/native"

  build_fuzz
  run_ctest fuzz "$BUILD/fuzz"

  build_win
  start_xvfb
  init_prefix
  start_wine_services
  run_windows_tests "$BUILD/win"
  set +e
  run_dpi_checks "$BUILD/win"
  set -e

  log "screenshots"
  if bash "$ROOT/scripts/screens.sh" "$BUILD/win" "$BUILD/screens"; then
    PASSED=$((PASSED + 1))
  else
    FAILED=$((FAILED + 1))
  fi
  stop_all
  if [ ${#RERUN[@]} -gt 0 ]; then
    log "tests that needed a second run (they ended without output at first):"
    printf '   %s\n' "${RERUN[@]}" >&2
  fi
  echo "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
}

cmd_run() {
  ensure_packages
  ensure_locale
  use_ccache
  mkdir -p "$BUILD"
  build_win
  wine_env
  local exe="$BUILD/win/Pinvane.exe"
  if [ -n "${DISPLAY:-}" ]; then
    init_prefix
    log "starting Pinvane in a Wine desktop window on $DISPLAY (the tray is in its taskbar)"
    exec wine explorer /desktop=Pinvane,1280x800 "$exe" "$@"
  fi
  trap stop_all EXIT
  start_xvfb
  init_prefix
  log "no \$DISPLAY: Pinvane runs on the virtual X server $DISPLAY."
  log "see it with: DISPLAY=$DISPLAY import -window root shot.png   (or x11vnc -display $DISPLAY)"
  wine explorer /desktop=Pinvane,1280x800 "$exe" "$@"
}

# The functions above can also be sourced by the other scripts.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    run) shift; cmd_run "$@" ;;
    test) shift; cmd_test "$@" ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
  esac
fi

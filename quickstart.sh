#!/usr/bin/env bash
# Quick start for Quenna's Zestovar on Debian 12.
#   ./quickstart.sh start   install what is missing, build, start the program on the shipped recipe book
#   ./quickstart.sh test    install what is missing, build, run every test (the format check among them),
#                           then again under ASan/UBSan, and the fuzzer
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake ninja-build g++ pkg-config python3 qt6-base-dev qt6-translations-l10n libcurl4-openssl-dev
          libjpeg62-turbo-dev libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format tinyproxy xvfb xauth
          x11-utils)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build DIR [cmake options...]
build() {
  local dir=$1
  shift
  cmake -S "$top" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

run_tests() {
  local dir=$1
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

# Serves the demo site of a build on 127.0.0.1 when the build's site address is a local one; prints
# the server's process id, or nothing.
serve_site() {
  local dir=$1 url port
  url=$(sed -n 's/^ZESTOVAR_SITE_URL:STRING=//p' "$dir/CMakeCache.txt")
  case "$url" in
    http://localhost:*|http://127.0.0.1:*) port=${url##*:} ;;
    http://localhost|http://127.0.0.1) port=80 ;;
    *) return 0 ;;
  esac
  python3 -m http.server --bind 127.0.0.1 --directory "$dir/site" "$port" >/dev/null 2>&1 &
  local pid=$!
  sleep 0.5
  if kill -0 "$pid" 2>/dev/null; then
    echo "The demo site is served at $url while the program runs." >&2
    echo "$pid"
  else
    echo "Port $port is taken: the demo site is not served; \"Nach neuen Rezepten suchen\" will fail." >&2
  fi
}

case "${1:-}" in
  start)
    install_missing
    build "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    server=$(serve_site "$top/build")
    [ -n "$server" ] && trap 'kill "$server" 2>/dev/null' EXIT
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "No display found: starting under a virtual X server (xvfb-run)."
      xvfb-run -a -s "-screen 0 1280x900x24" "$top/build/program/zestovar"
    else
      "$top/build/program/zestovar"
    fi
    ;;
  test)
    install_missing
    build "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    run_tests "$top/build"
    echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    build "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DZESTOVAR_SANITIZE=ON -DZESTOVAR_BUILD_BENCH=OFF \
      -DZESTOVAR_CHECK_FORMAT=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$top/tests/lsan.supp \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_tests "$top/build-sanitize"
    echo "== fuzzing the recipe file readers (bounded time)"
    CC=clang CXX=clang++ build "$top/build-fuzz" -DCMAKE_BUILD_TYPE=Debug -DZESTOVAR_FUZZ=ON \
      -DZESTOVAR_BUILD_UI=OFF -DZESTOVAR_BUILD_BENCH=OFF -DZESTOVAR_CHECK_FORMAT=OFF
    run_tests "$top/build-fuzz"
    ;;
  *)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac

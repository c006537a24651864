#!/usr/bin/env bash
# Quick start for Quenna's Zestovar on Debian 12.
#   ./quickstart.sh start   install what is missing, build (build-start/), start the program on the shipped
#                           recipe book with the demo site and a mail catcher on 127.0.0.1
#   ./quickstart.sh test    install what is missing, build, run every test (the format check among them),
#                           then again under ASan/UBSan, and the fuzzer
#   ./quickstart.sh package install what is missing, build the Debian package into build-package/ and check
#                           it (lintian, desktop-file-validate, appstreamcli)
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake ninja-build g++ pkg-config python3 qt6-base-dev qt6-translations-l10n libcurl4-openssl-dev
          libjpeg62-turbo-dev libexpat1-dev libgumbo-dev nlohmann-json3-dev libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format tinyproxy
          python3-aiosmtpd xvfb xauth x11-utils ca-certificates qt6-image-formats-plugins openssl)

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

# cache_value DIR NAME: a build value from the CMake cache of a build.
cache_value() {
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

# Serves the demo site of a build on 127.0.0.1 when the build's site address is a local one; prints
# the server's process id, or nothing.
serve_site() {
  local dir=$1 url port
  url=$(cache_value "$dir" ZESTOVAR_SITE_URL)
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

# Runs the mail catcher (tools/mailcatcher.py) for a build whose mail server is this machine: it takes
# the build's account and keeps every mail as a file in DIR/mail. Prints its process id, or nothing.
catch_mail() {
  local dir=$1 host port
  host=$(cache_value "$dir" ZESTOVAR_SMTP_HOST)
  port=$(cache_value "$dir" ZESTOVAR_SMTP_PORT)
  case "$host" in
    localhost|127.0.0.1) ;;
    *) return 0 ;;
  esac
  # Its lines ("Mail von ... an ...: FILE") go to the terminal, never into the caller's $(...).
  /usr/bin/python3 "$top/tools/mailcatcher.py" --port "$port" --dir "$dir/mail" \
    --account "$(cache_value "$dir" ZESTOVAR_SMTP_ACCOUNT)" --password "$(cache_value "$dir" ZESTOVAR_SMTP_PASSWORD)" >&2 &
  local pid=$! i
  for i in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "Mail sent by the program lands in $dir/mail/ (one .eml file a mail)." >&2
      echo "$pid"
      return 0
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  echo "Port $port is taken: mail is not caught; sending a recipe will fail." >&2
}

# Ends the given processes and waits until they are gone.
stop_processes() {
  local pid i
  for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
  for pid in "$@"; do
    for i in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
  done
}

case "${1:-}" in
  start)
    install_missing
    # A build of its own (only the programs), whose mail goes to the mail catcher on this machine; its
    # build values never make the test build compile again.
    if [ ! -e "$top/build-start/program" ] && [ -d "$top/build/program" ]; then
      # The program directory of earlier quick starts was build/program: its recipes and lists come along.
      mkdir -p "$top/build-start/program"
      find "$top/build/program" -maxdepth 1 -type f \( -iname zestovar.dat -o -iname zsv.dat -o -iname delrez.dat \
        -o -iname merklist.dat -o -iname elist.dat -o -iname proxy.cfg \) -exec cp -p {} "$top/build-start/program/" \;
    fi
    build "$top/build-start" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZESTOVAR_BUILD_TESTS=OFF -DZESTOVAR_BUILD_BENCH=OFF \
      -DZESTOVAR_SMTP_HOST=127.0.0.1 -DZESTOVAR_SMTP_PORT=2525
    servers=()
    trap 'stop_processes "${servers[@]}"' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    pid=$(serve_site "$top/build-start")
    [ -z "$pid" ] || servers+=("$pid")
    pid=$(catch_mail "$top/build-start")
    [ -z "$pid" ] || servers+=("$pid")
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "No display found: starting under a virtual X server (xvfb-run)."
      xvfb-run -a -s "-screen 0 1280x900x24" "$top/build-start/program/zestovar"
    else
      "$top/build-start/program/zestovar"
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
  package)
    packages+=(dpkg-dev lintian desktop-file-utils appstream librsvg2-bin)
    install_missing
    rm -f "$top"/build-package/*.deb
    # Debian's own build flags with every hardening feature (fortified functions, full RELRO, bind now).
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    build "$top/build-package" -DCMAKE_BUILD_TYPE=Release -DZESTOVAR_PACKAGE=ON -DZESTOVAR_BUILD_TESTS=OFF \
      -DZESTOVAR_BUILD_BENCH=OFF -DZESTOVAR_CHECK_FORMAT=OFF \
      "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
      "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
    (cd "$top/build-package" && cpack -G DEB)
    deb=$(ls "$top"/build-package/*.deb)
    echo "== checking $deb"
    staging=$top/build-package/packaging/staging
    desktop-file-validate "$top/packaging/invalid.zestovar.Zestovar.desktop"
    appstreamcli validate --no-net "$staging/invalid.zestovar.Zestovar.metainfo.xml"
    # Errors fail the command; the warnings left are explained in the README's Install section.
    lintian --fail-on error "$deb"
    echo "Install it with: sudo apt install $deb"
    ;;
  *)
    echo "usage: $0 start|test|package" >&2
    exit 2
    ;;
esac

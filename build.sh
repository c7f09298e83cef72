#!/usr/bin/env bash
# Installs what is missing, builds, and runs Tarsel.
#   ./build.sh run     build, then start the desktop program (without a display: create a new
#                      data file with tarsel-cli and show its channel grid)
#   ./build.sh test    build with AddressSanitizer and UndefinedBehaviorSanitizer (and the fuzz
#                      targets), then run the whole test suite: the web page's end-to-end tests
#                      in headless Chromium, then every C++ test
#   ./build.sh bench   build optimised, then run the benchmarks
#   ./build.sh package build the Debian package build/tarsel_VERSION_amd64.deb (Release, g++)
#   ./build.sh web     build the web page into build/web (static files) and serve it on
#                      http://127.0.0.1:8316
#   ./build.sh web-test build the web page and tarsel-cli, then run the page's end-to-end tests in
#                      headless Chromium
# Works as root and as a user with sudo on Debian 12.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
jobs=$(nproc 2>/dev/null || echo 2)

# qt6-l10n-tools, qt6-tools-dev: the translations are compiled at build time and checked by a test.
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
          qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev libgl-dev fonts-noto-cjk
          ccache)
if [ "$mode" = test ]; then
    packages+=(clang libclang-rt-14-dev locales emscripten chromium)
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi
if [ "$mode" = web ] || [ "$mode" = web-test ]; then
    # The page needs no Qt: Emscripten for the core, Node for the bundle and the server.
    packages=(cmake ninja-build emscripten)
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
    if [ "$mode" = web-test ]; then
        # tarsel-cli gives the bytes the page must match; Chromium runs the page.
        packages+=(g++ libcli11-dev chromium fonts-noto-cjk ccache)
    fi
fi
if [ "$mode" = package ]; then
    # dpkg-dev: dependencies from the binaries and the hardening flags; librsvg2-bin: the icons.
    packages+=(dpkg-dev librsvg2-bin file)
fi

launcher=()
install_missing() {
    find_launcher
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    # CI always refreshes and installs, so a clean machine and this one behave alike.
    if [ ${#missing[@]} -eq 0 ] && [ -z "${CI:-}" ]; then
        return
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]:-${packages[*]}}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
    find_launcher
}

# A compiler cache shortens repeated builds a lot; use it when it is there.
find_launcher() {
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
}

# The web page: the core as a WebAssembly module (build-web), the page bundled beside it.
build_web() {
    # Emscripten's optimiser looks for Debian's acorn, which a newer node does not search.
    export NODE_PATH=/usr/share/nodejs
    emcmake cmake -S src/web -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-web -j "$jobs"
    if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]
    then
        (cd web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund)
    fi
    (cd web && npx tsc --noEmit -p . && node build.mjs ../build/web ../build-web)
    echo "The web page: build/web/"
}

case "$mode" in
run)
    install_missing
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARSEL_TESTS=OFF "${launcher[@]}"
    cmake --build build -j "$jobs"
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/bin/tarsel ]; then
        settings=()
        if ! ls /dev/ttyUSB* /dev/ttyACM* >/dev/null 2>&1; then
            # No programming cable: a virtual radio on COM1, through a settings file of this run.
            run=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-run.XXXXXX")
            if [ ! -f build/radio.dat ]; then
                # A first 读频 then shows real-looking channels rather than an empty list.
                build/bin/tarsel-cli new build/radio.dat
                build/bin/tarsel-cli import-csv build/radio.dat examples/sample-channels.csv ||
                    echo "The sample channels could not be imported; the virtual radio starts empty."
            fi
            build/bin/tarsel-radiosim --link "$run/radio" --memory build/radio.dat --save-on-write \
                --pace >/dev/null &
            radio=$!
            trap 'kill $radio 2>/dev/null; rm -rf "$run"' EXIT
            for _ in $(seq 50); do [ -e "$run/radio" ] && break; sleep 0.1; done
            printf '[Setup]\nCOM=1\nType=TZ-316\n[Ports]\nCOM1=%s\n' "$run/radio" > "$run/Program.ini"
            echo "No programming cable found: a virtual radio answers on COM1 (its memory: build/radio.dat)."
            settings=(--settings "$run/Program.ini")
        fi
        build/bin/tarsel "${settings[@]}" "${@:2}"
        exit
    fi
    echo "No display here: the command-line tool instead."
    build/bin/tarsel-cli new build/new.dat
    echo "A new data file: build/new.dat. Its channel grid:"
    build/bin/tarsel-cli channels build/new.dat
    ;;
test)
    install_missing
    CC=clang CXX=clang++ cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DTARSEL_SANITIZE=ON -DTARSEL_FUZZ=ON -DTARSEL_BENCH=OFF -DTARSEL_WERROR=ON "${launcher[@]}"
    cmake --build build-test -j "$jobs"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # The page first, against the bytes of this build's tarsel-cli; the C++ suite's summary closes
    # the run.
    build_web
    (cd web && TARSEL_CLI="$PWD/../build-test/bin/tarsel-cli" npx playwright test)
    ctest --test-dir build-test --output-on-failure -j "$jobs"
    ;;
bench)
    install_missing
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARSEL_TESTS=OFF -DTARSEL_BENCH=ON \
        "${launcher[@]}"
    cmake --build build -j "$jobs"
    for b in build/bin/bench_*; do "$b"; done
    ;;
package)
    install_missing
    # Debian's hardening flags, as a package built by its own tools would have them. Given as
    # cache values, so that they hold in a build folder configured before as well.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CC=gcc CXX=g++ cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTARSEL_TESTS=OFF -DTARSEL_BENCH=OFF -DTARSEL_WERROR=OFF -DCMAKE_INSTALL_PREFIX=/usr \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "${launcher[@]}"
    cmake --build build-package -j "$jobs"
    rm -f build-package/tarsel_*.deb
    (cd build-package && cpack -G DEB)
    mkdir -p build
    rm -f build/tarsel_*.deb
    cp build-package/tarsel_*.deb build/
    echo "Package: $(ls build/tarsel_*.deb)"
    ;;
web | web-test)
    install_missing
    build_web
    if [ "$mode" = web ]; then
        exec node web/serve.mjs build/web 8316
    fi
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}"
    cmake --build build -j "$jobs" --target tarsel-cli
    (cd web && TARSEL_CLI="$PWD/../build/bin/tarsel-cli" npx playwright test)
    ;;
*)
    echo "usage: $0 run|test|bench|package|web|web-test" >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Set-up, build, run and test on a Debian machine.
#   ./dev.sh run     install what is missing, build, start Veltrano
#   ./dev.sh test    install what is missing, build, run every test
#                    (plain and sanitizer builds, random sessions, a short fuzz run)
#   ./dev.sh bench   install what is missing, build, run the benchmark
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev qt6-base-private-dev libxkbcommon-dev libgl-dev fonts-dejavu-core fonts-dejavu-extra)

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() { # build-dir [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir"
}

command=${1:-run}
install_missing
case "$command" in
run)
    build build
    exec build/main/veltrano
    ;;
test)
    build build
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    # A short libFuzzer run over the image access and the load path (clang).
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DVELTRANO_FUZZ=ON -DVELTRANO_SANITIZE=ON -DVELTRANO_BENCH=OFF >/dev/null
    cmake --build build-fuzz --target fuzz_load
    fuzz/short-run.sh build-fuzz -runs=100000
    # The same tests under AddressSanitizer and UndefinedBehaviorSanitizer
    # (fewer random sessions: the sanitized window is slower).
    build build-sanitize -DVELTRANO_SANITIZE=ON -DVELTRANO_BENCH=OFF
    VELTRANO_SESSIONS=2000 ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
    ;;
bench)
    build build
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} build/bench/veltrano_bench
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac

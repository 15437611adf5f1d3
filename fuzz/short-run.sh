#!/usr/bin/env bash
# A short libFuzzer run of fuzz_load from a seed corpus made here: one input
# per game, Chrono Trigger's region bytes and a song pointer. A failing input
# is kept as <build-dir>/crash-*.
#   fuzz/short-run.sh <build-dir> [libFuzzer options...]
set -euo pipefail
build=$1
shift

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
# Fields: game, song (2 bytes), list size, length anchor and distance (2),
# content anchor and distance (2), then the content.
for game in 0 1 2 3 4 5 6 7 8 9 10; do
    {
        printf "\\x$(printf %02x "$game")"
        printf '\x01\x00\x00\x03\x00\x00\x01\x00\x00'
        printf '\x01\x00\x02\x00\x03\x00\x04\x00\x05\x00\x06\x00\x07\x00\x08\x00\x09\x00\x0a\x00\x0b\x00\x0c\x00\x0d\x00'
    } >"$corpus/game-$game"
done
printf '\x0a\x05\x00\x00\x0b\x00\x00\x04\x00\x00\x00' >"$corpus/region-0"
printf '\x0a\x05\x00\x00\x0b\x00\x00\x04\x00\x00\x07' >"$corpus/region-7"
printf '\x00\x01\x00\x00\x07\x00\x01\x07\x00\x00\x05\x01\xc2' >"$corpus/song-pointer"

ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_load" -artifact_prefix="$build/" "$@" "$corpus"

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-60}
out=build-fuzz
mkdir -p "$out"
core=(src/core/*.cpp)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc)
clang++ "${flags[@]}" fuzz/ini_fuzz.cpp "${core[@]}" -lfmt -o "$out/ini_fuzz"
clang++ "${flags[@]}" fuzz/ads_def_fuzz.cpp src/data/ads_def.cpp "${core[@]}" -lfmt -o "$out/ads_def_fuzz"
clang++ "${flags[@]}" fuzz/typed_input_fuzz.cpp "${core[@]}" -lfmt -o "$out/typed_input_fuzz"
clang++ "${flags[@]}" fuzz/card_track_fuzz.cpp src/services/terminals/{card_track,card_reading,card_wipe,serial_port}.cpp \
  "${core[@]}" -lfmt -lsodium -o "$out/card_track_fuzz"
clang++ "${flags[@]}" fuzz/sockpos_reply_fuzz.cpp src/services/terminals/sockpos_reply.cpp "${core[@]}" -lfmt -o "$out/sockpos_reply_fuzz"
for t in ini_fuzz ads_def_fuzz typed_input_fuzz card_track_fuzz sockpos_reply_fuzz; do
  mkdir -p "$out/corpus_$t"
  "$out/$t" -max_total_time="$secs" -max_len=4096 "$out/corpus_$t" 2>&1 | tail -n 2
done

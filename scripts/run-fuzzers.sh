#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for the given number of seconds, seeded from the project's
# own samples (fuzz/corpus/<fuzzer>) and, for the table files, from the sample table files.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
seconds=$2
samples=../shared/testdata/datapacket
for fuzzer in "$dir"/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus="$dir/corpus/$name"
    mkdir -p "$corpus"
    [ -d "fuzz/corpus/$name" ] && cp -n "fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
    if [ -d "$samples" ]; then
        case $name in
            fuzz_xml_packet) cp -n "$samples"/*.xml "$corpus"/ 2>/dev/null || true ;;
            fuzz_binary_packet) cp -n "$samples"/*.cds "$corpus"/ 2>/dev/null || true ;;
        esac
    fi
    echo "Fuzzing $name for $seconds s"
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "$corpus" >"$dir/$name.log" 2>&1 || { tail -50 "$dir/$name.log"; exit 1; }
    grep -E 'stat::number_of_executed_units' "$dir/$name.log" || true
done

#!/usr/bin/env bash
# make fuzz: builds the libFuzzer targets with clang and runs each for a bounded time from its
# seeds; a crash, leak or sanitizer report fails the run.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-30}
samples="$(cd "$(dirname "$0")/.." && pwd)/tests/data/paradox"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIREL_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target paradox_fuzzer pagerecord_fuzzer pagefile_fuzzer pagerender_fuzzer \
    parser_fuzzer layout_fuzzer

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
work="$build/fuzz-run"
rm -rf "$work"
mkdir -p "$work/paradox" "$work/pagerecord" "$work/pagefile" "$work/pagerender" "$work/parser" "$work/layout"
printf '1 + 2 * 3' >"$work/parser/arithmetic"
printf '{x := 5; if(x > 2, Itens.PRECO * 2, "no")}' >"$work/parser/block"
cp fuzz/pagerecord/corpus/* "$work/pagerecord/"
cp app/layouts/purchase-order.json examples/*.json "$work/layout/"
cp fuzz/pagefile/corpus/* "$work/pagefile/"
cp fuzz/pagefile/corpus/* fuzz/pagerender/corpus/* "$work/pagerender/"
fuzz/paradox/make-seeds.sh "$work/paradox" "$samples"/*.[dD][bB]

run() {
    local target=$1 corpus=$2
    shift 2
    local binary
    binary=$(cd "$build" && pwd)/fuzz/$corpus/$target
    echo "fuzz: $target for ${seconds}s"
    (cd "$work" && "$binary" -max_total_time="$seconds" -print_final_stats=1 "$@" "$corpus" \
        >"$target.log" 2>&1) || {
        tail -40 "$work/$target.log"
        echo "fuzz: $target failed (log: $work/$target.log)" >&2
        return 1
    }
    grep -E "^stat::number_of_executed_units" "$work/$target.log" || true
}

run paradox_fuzzer paradox -max_len=200000
run pagerecord_fuzzer pagerecord
run pagefile_fuzzer pagefile
# Drawing and two exports per input: an input that takes 20 s or 2 GB fails the run.
run pagerender_fuzzer pagerender -timeout=20 -rss_limit_mb=2048
run parser_fuzzer parser -max_len=4096 -dict="$PWD/fuzz/parser/parser.dict"
run layout_fuzzer layout -max_len=100000

#!/usr/bin/env bash
# Builds the fuzz targets and runs each, one after the other, for the given
# seconds (default 30):  bash fuzz/run-fuzzers.sh [seconds] [target...]
# Targets: number_text number_pattern settings component help_text command_line (default all).
# The build goes to build-fuzz/ (VARNEX_FUZZ_BUILD names another folder).
# New inputs are kept in <build>/fuzz-corpus/<target>/ for the next run; the
# seeds in fuzz/corpus/ are only read. A finding is saved in
# <build>/fuzz-findings/<target>/, the other targets still run, and the
# script ends with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(number_text number_pattern settings component help_text command_line)
fi
build=${VARNEX_FUZZ_BUILD:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -DVARNEX_FUZZ=ON >/dev/null
cmake --build "$build" -j2

failed=()
summary=()
for target in "${targets[@]}"; do
    program="$build/bin/fuzz_$target"
    if [ ! -x "$program" ]; then
        echo "no fuzz target named $target" >&2
        exit 2
    fi
    case "$target" in
        component) dict=fuzz/component.dict ;;
        help_text) dict= ;;
        command_line) dict=fuzz/command_line.dict ;;
        *) dict=fuzz/number.dict ;;
    esac
    corpus="$build/fuzz-corpus/$target"
    findings="$build/fuzz-findings/$target"
    log="$build/fuzz-logs/$target.log"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    echo "== fuzz_$target for ${seconds}s"
    status=0
    # One process: the machine's cores are shared.
    "$program" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" ${dict:+-dict="$dict"} \
        "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    summary+=("fuzz_$target: ${last:-no progress line}")
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        echo "fuzz_$target FAILED (status $status); log $log, input in $findings/:" >&2
        grep -E 'invariant broken|runtime error|ERROR: AddressSanitizer|ERROR: libFuzzer|SUMMARY' -A1 "$log" | head -n 20 >&2 || true
    fi
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "findings in: ${failed[*]}" >&2
fi
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]

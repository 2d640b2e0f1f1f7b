#!/usr/bin/env bash
# Builds the libFuzzer targets with Clang (ASan and UBSan on) and runs each
# for FUZZ_SECONDS seconds (60 unless set), side by side, from the seed
# corpus and the kept regressions. New inputs collect in build-fuzz/corpus.
# A target that breaks an invariant, trips a sanitizer or hangs fails the
# script and leaves its input under build-fuzz/artifacts/<target>/: fix the
# fault and copy that file into tests/fuzz/regressions/<target>/, where the
# plain test tst_fuzz_<target> replays it from then on.
# Usage: fuzz.sh [TARGET...]   (default: project settings keytext)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(project settings keytext)
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DKESTRUN_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

pids=()
for target in "${targets[@]}"; do
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
    seeds=(tests/fuzz/corpus/"$target")
    [ -d tests/fuzz/regressions/"$target" ] && seeds+=(tests/fuzz/regressions/"$target")
    options=(-max_total_time="$seconds" -timeout=10)
    [ "$target" = keytext ] || options+=(-dict=tests/fuzz/json.dict)
    "$build/bin/fuzz_$target" "${options[@]}" \
        -artifact_prefix="$build/artifacts/$target/" \
        "$build/corpus/$target" "${seeds[@]}" >"$build/fuzz_$target.log" 2>&1 &
    pids+=($!)
done

failed=0
for index in "${!targets[@]}"; do
    target=${targets[$index]}
    log=$build/fuzz_$target.log
    if wait "${pids[$index]}"; then
        runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log")
        echo "fuzz_$target: $runs, nothing found"
    else
        failed=1
        echo "fuzz_$target FAILED; the input is in $build/artifacts/$target/:" >&2
        tail -n 40 "$log" >&2
    fi
done
exit "$failed"

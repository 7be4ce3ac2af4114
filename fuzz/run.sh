#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) in build-fuzz when
# needed and runs each for SECONDS, printing executions and findings.
#   fuzz/run.sh SECONDS [target...]
# Findings (crash-*, leak-*, oom-*, timeout-*) land in fuzz/findings/<target>/;
# the corpus grows in build-fuzz/fuzz/corpus/<target>/.
set -euo pipefail

seconds="${1:?usage: fuzz/run.sh SECONDS [target...]}"
shift
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "fuzz/run.sh needs clang and libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
    exit 2
fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(gif picture wave ini language design import)

export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
        -DSNAPSTORM_FUZZ=ON -DSNAPSTORM_BUILD_TESTS=OFF -DSNAPSTORM_BUILD_BENCH=OFF >/dev/null
fi
# The asset tool runs during the build; its leaks are not what we fuzz.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j2 \
    --target fuzz_seeds $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

declare -A maxlen=([gif]=65536 [picture]=65536 [wave]=65536 [ini]=16384 [language]=16384 [design]=131072 [import]=65536)
summary=()
for t in "${targets[@]}"; do
    corpus="$build/fuzz/corpus/$t"
    findings="$root/fuzz/findings/$t"
    mkdir -p "$corpus" "$findings"
    dict=()
    [ -f "$root/fuzz/$t.dict" ] && dict=(-dict="$root/fuzz/$t.dict")
    log="$build/fuzz/$t.log"
    echo "== fuzz_$t for ${seconds}s"
    # -fork keeps fuzzing after a finding, so one fault cannot hide the rest.
    "$build/fuzz/fuzz_$t" "$corpus" "$build/fuzz/seeds/$t" "${dict[@]}" \
        -max_total_time="$seconds" -max_len="${maxlen[$t]}" -rss_limit_mb=2048 -timeout=10 \
        -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || true
    # Fork mode's last status line: "#EXECS: cov: ... exec/s N oom/timeout/crash: a/b/c ...".
    last=$(grep -E '^#[0-9]+: cov:' "$log" | tail -1 || true)
    execs=$(sed -nE 's/^#([0-9]+):.*/\1/p' <<<"$last")
    rate=$(sed -nE 's/.*exec\/s ([0-9]+).*/\1/p' <<<"$last")
    kinds=$(sed -nE 's/.*oom\/timeout\/crash: ([0-9/]+).*/\1/p' <<<"$last")
    found=$(find "$findings" -type f | wc -l)
    summary+=("$(printf '%-9s executions: %-9s exec/s: %-6s oom/timeout/crash this run: %-7s files in %s: %s' \
        "$t" "${execs:-?}" "${rate:-?}" "${kinds:-?}" "fuzz/findings/$t" "$found")")
    grep -E '^==[0-9]+==ERROR|runtime error:|^SUMMARY:' "$log" | sort | uniq -c | head -20 || true
done
echo
printf '%s\n' "${summary[@]}"

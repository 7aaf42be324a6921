#!/usr/bin/env bash
# Compares Vellum with a bare Qt 6 window (bench_bare_qt) under a private Xvfb, on the same files
# and in the same run, interleaved: exec to first map on a 468-byte FILE_ID.DIZ, exec to idle on a
# 10 MiB file, a character typed at the end of the 10 MiB document against an empty one, and the
# peak memory with the DIZ and with the 10 MiB file. Prints min, median and max of each and the
# ratios against the targets.
#
#   bench/startup/run.sh [ROUNDS]      (10 rounds by default, after one warm-up round)
#
# VELLUM_BUILD_DIR picks the build folder (build-bench by default); it is configured and built
# when needed. How each figure is taken: bench/startup/README.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${VELLUM_BUILD_DIR:-$root/build-bench}
rounds=${1:-10}
keystrokes=15

"$root/scripts/deps.sh" test
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
build_log=$(cmake --build "$build" --target vellum bench_bare_qt bench_startup_probe 2>&1) ||
    { echo "$build_log" >&2; exit 1; }

source "$root/tests/support/xvfb.sh"
start_private_xvfb
work=$(mktemp -d)
trap 'kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The files: a full DIZ (10 lines of 45 characters, CR LF between them: 468 bytes) and 10 MiB of
# 80-character CR LF lines.
diz=$work/FILE_ID.DIZ
big=$work/big.txt
diz_line=$(printf '%45s' '' | tr ' ' D)
for i in $(seq 9); do printf '%s\r\n' "$diz_line"; done >"$diz"
printf '%s' "$diz_line" >>"$diz"
awk 'BEGIN {
    line = sprintf("%80s", ""); gsub(/ /, "x", line)
    for (i = 0; i < int(10 * 1024 * 1024 / 82); ++i) printf "%s\r\n", line
}' >"$big"

declare -A programs=([vellum]=$build/vellum [bare]=$build/bench_bare_qt)
results=$work/results

# measure CASE NAME PROBE-OPTIONS... -- ARGS...: one start of one program; every key=value the
# probe prints becomes a line "CASE NAME KEY VALUE".
measure() {
    local case=$1 name=$2
    shift 2
    local options=() line
    while [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    shift
    line=$("$build/bench_startup_probe" --server-pid "$XVFB_PID" "${options[@]}" -- \
        "${programs[$name]}" "$@") || {
        echo "the probe failed on $name $*" >&2
        exit 1
    }
    for pair in $line; do
        echo "$case $name ${pair%%=*} ${pair#*=}"
    done >>"$results"
}

# One round: every case, both programs one after the other, the order swapped every round.
round() {
    local order=("$@")
    for name in "${order[@]}"; do measure diz "$name" --hwm -- "$diz"; done
    for name in "${order[@]}"; do measure big "$name" --idle --hwm -- "$big"; done
    for name in "${order[@]}"; do measure type_big "$name" --type $keystrokes -- "$big"; done
    for name in "${order[@]}"; do measure type_empty "$name" --type $keystrokes --; done
}

echo "warm-up round..." >&2
round vellum bare
: >"$results"
for r in $(seq "$rounds"); do
    echo "round $r of $rounds..." >&2
    if [ $((r % 2)) -eq 1 ]; then round bare vellum; else round vellum bare; fi
done

# stats CASE NAME KEY: "min median max" of the values.
stats() {
    awk -v c="$1" -v n="$2" -v k="$3" '$1 == c && $2 == n && $3 == k { print $4 }' "$results" |
        sort -g | awk '{ v[NR] = $1 } END { printf "%.2f %.2f %.2f\n", v[1], v[int((NR + 1) / 2)], v[NR] }'
}
median() { stats "$@" | awk '{ print $2 }'; }

row() { # LABEL CASE NAME KEY [DIVISOR]
    stats "$2" "$3" "$4" | awk -v label="$1" -v d="${5:-1}" \
        '{ printf "  %-34s %10.2f %10.2f %10.2f\n", label, $1 / d, $2 / d, $3 / d }'
}

verdict() { # LABEL NUMERATOR DENOMINATOR TARGET
    awk -v label="$1" -v a="$2" -v b="$3" -v t="$4" 'BEGIN {
        r = a / b
        printf "  %-34s %9.2fx   target at most %.2fx: %s\n", label, r, t, r <= t ? "met" : "MISSED"
    }'
}

echo
echo "Vellum against a bare Qt 6 QPlainTextEdit window: $rounds rounds after one warm-up,"
echo "interleaved, Xvfb 1024x768x24, $(nproc) cores."
printf '  %-34s %10s %10s %10s\n' '' min median max
echo "exec to first window mapped, 468-byte FILE_ID.DIZ (ms)"
row vellum diz vellum map_ms
row 'bare Qt' diz bare map_ms
verdict 'ratio of the medians' "$(median diz vellum map_ms)" "$(median diz bare map_ms)" 1.3
echo "exec to idle, 10 MiB of 80-character CR LF lines (ms)"
row 'vellum: mapped' big vellum map_ms
row 'vellum: idle' big vellum idle_ms
row 'bare Qt: mapped' big bare map_ms
row 'bare Qt: idle' big bare idle_ms
verdict 'ratio of the medians' "$(median big vellum idle_ms)" "$(median big bare idle_ms)" 1.25
echo "one character typed at the end, until the screen is still (ms, median of $keystrokes per start)"
row 'vellum: 10 MiB document' type_big vellum type_ms
row 'vellum: empty document' type_empty vellum type_ms
row 'bare Qt: 10 MiB document' type_big bare type_ms
row 'bare Qt: empty document' type_empty bare type_ms
verdict 'vellum, 10 MiB against empty' "$(median type_big vellum type_ms)" \
    "$(median type_empty vellum type_ms)" 1.5
echo "peak memory (VmHWM) with the 468-byte FILE_ID.DIZ (MiB)"
row vellum diz vellum hwm_kib 1024
row 'bare Qt' diz bare hwm_kib 1024
verdict 'ratio of the medians' "$(median diz vellum hwm_kib)" "$(median diz bare hwm_kib)" 1.2
echo "peak memory (VmHWM) with the 10 MiB file (MiB)"
row vellum big vellum hwm_kib 1024
row 'bare Qt' big bare hwm_kib 1024
verdict 'ratio of the medians' "$(median big vellum hwm_kib)" "$(median big bare hwm_kib)" 1.2

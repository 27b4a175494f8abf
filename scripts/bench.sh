#!/usr/bin/env bash
# Measures timed-shutdown.exe against the smallest Win32 program that shows a window of the
# same size (bench/reference.cpp, built with the same toolchain and flags), under Wine on a
# private X server, and prints one markdown table: the time to the visible window, the memory
# once it is shown, the processor time used while waiting (in the background unarmed and
# armed, and as the active window), the timer's lateness and the sizes of the two programs.
# Processor time is taken by Linux's own count (schedstat) as well, since GetProcessTimes
# under Wine counts in 10 ms steps at best. Not part of the test run.
#
#   bash scripts/bench.sh [--quick]
#
# --quick waits 10 s instead of 60 s for the processor time, 3 s instead of 10 s as the
# active window, and makes 3 lateness runs instead of 5.
# The figures are medians; program and reference are measured in the same Wine session, their
# starts interleaved. Everything lives in build/bench: program/ (timed-shutdown.exe, configured
# as the win32 preset), tools/ (reference.exe and bench-driver.exe), wine/ (the Wine prefix,
# prepared once) and logs/ (what each run printed).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"

quick=no
case "${1:-}" in
"") ;;
--quick) quick=yes ;;
*) sed -n '2,/^set /p' "${BASH_SOURCE[0]}" | sed -e '$d' -e 's/^# \{0,1\}//' >&2; exit 2 ;;
esac

startup_rounds=11   # starts of each program, after one warm-up start that is not counted
instances=3         # of each kind waiting side by side for the processor-time measurement
wait_seconds=60     # waiting in the background, all side by side
active_seconds=10   # waiting as the active window, one at a time
lateness_runs=5
if [ $quick = yes ]; then
    wait_seconds=10
    active_seconds=3
    lateness_runs=3
fi
# The lateness run types this into the field: 0.05 minutes, a period of 3000 ms. The posted
# press moves no focus, so the field keeps the text as typed.
lateness_minutes=0.05
screen=1024x768
# The program's texts are Chinese: the sessions run in the code page its users have.
session_lang=zh_CN.UTF-8

bench=$root/build/bench
logs=$bench/logs
toolchain=$root/cmake/mingw-i686.cmake

bench_log() { printf '[bench] %s\n' "$*" >&2; }
die() {
    bench_log "$*"
    exit 1
}

session_started=no
driver_pid=
stop_driver() {
    if [ -n "$driver_pid" ]; then kill "$driver_pid" 2>/dev/null; fi
    return 0
}
e2e_clean_up_on_exit stop_driver

started_at=$SECONDS
bash "$root/scripts/install-deps.sh" || die "installing what the benchmark needs failed"
mkdir -p "$logs"

# build NAME SOURCE_DIR BINARY_DIR [TARGET]: configures and builds with the cross toolchain.
build() {
    local name=$1 source=$2 binary=$3 target=${4:-}
    local log=$logs/build-$name.log
    bench_log "building $name"
    if ! { cmake -S "$source" -B "$binary" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=MinSizeRel &&
        cmake --build "$binary" ${target:+--target "$target"}; } >"$log" 2>&1 </dev/null; then
        tail -n 40 "$log" >&2
        die "building $name failed (log: $log)"
    fi
}
build program "$root" "$bench/program" timed-shutdown
build tools "$root/bench" "$bench/tools"
program=$bench/program/timed-shutdown.exe
reference=$bench/tools/reference.exe
driver=$bench/tools/bench-driver.exe

# The prefix is prepared in the locale the end-to-end tests prepare theirs in.
e2e_prepare_locale "$bench" en_US.UTF-8 || exit 1
e2e_prepare_locale "$bench" "$session_lang" || exit 1
e2e_session_env "$bench" nt en_US.UTF-8
e2e_lock_prefix "$bench" nt || exit 1
e2e_prepare_prefix "$bench" nt || exit 1
export LANG=$session_lang

e2e_start_xvfb "$screen" "$logs/xvfb.log" || exit 1

# run_driver NAME BOUND ARGUMENTS...: runs the driver in the current session, its output in
# logs/NAME.out and Wine's messages (the program's relay log too) in logs/NAME.wine.log. Files,
# not pipes: the session's own processes inherit the driver's descriptors. The driver runs in
# the background so that an interruption reaches the cleanup at once rather than after it.
run_driver() {
    local name=$1 bound=$2 status
    shift 2
    session_started=yes
    e2e_bounded "$bound" wine "$driver" "$@" >"$logs/$name.out" 2>"$logs/$name.wine.log" </dev/null &
    driver_pid=$!
    wait "$driver_pid"
    status=$?
    driver_pid=
    return $status
}

# check_driver NAME STATUS: a driver that failed shows what it printed and ends the benchmark.
check_driver() {
    local name=$1 status=$2
    [ "$status" -eq 0 ] && ! grep -q '^error' "$logs/$name.out" && return 0
    cat "$logs/$name.out" >&2
    tail -n 20 "$logs/$name.wine.log" >&2
    die "the $name run failed (exit $status; logs in $logs)"
}

program_path=$(e2e_windows_path "$program")
reference_path=$(e2e_windows_path "$reference")

# The lateness runs read the program's calls of these from Wine's relay log.
session_started=yes
e2e_bounded 30 wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
    /d 'user32.SetTimer;user32.ExitWindowsEx' /f >"$logs/reg.log" 2>&1 ||
    { cat "$logs/reg.log" >&2; die "RelayInclude could not be set"; }

bench_log "start-up and memory: $startup_rounds starts of each, interleaved"
run_driver startup $((startup_rounds * 2 * 25 + 60)) startup "$program_path" "$reference_path" "$startup_rounds"
check_driver startup $?

bench_log "processor time: $instances of each waiting side by side for $wait_seconds s, then each active for $active_seconds s"
run_driver idle $((wait_seconds + instances * 2 * (active_seconds + 2) + 120)) idle \
    "$program_path" "$reference_path" "$wait_seconds" "$instances" "$active_seconds"
check_driver idle $?
e2e_end_wine_session
session_started=no

# The shutdown request ends every process of its Wine session, so each lateness run has a
# session of its own, and its log is read once that session has ended.
lateness_values=()
lateness_period=
for run in $(seq 1 "$lateness_runs"); do
    bench_log "timer lateness: run $run of $lateness_runs"
    name=lateness-$run
    run_driver "$name" 60 arm "$program_path" "$lateness_minutes" '-all,+timestamp,trace+relay' 30
    e2e_end_wine_session
    session_started=no
    if ! grep -q '^armed' "$logs/$name.out"; then
        check_driver "$name" 1
    fi
    # Relay lines read "SECONDS.MILLISECONDS:THREAD:Call user32.Name(arguments) ret=...". The
    # schedule's timer is the one with identifier 1000 (3e8); the request that counts is the
    # first one on the same thread after it.
    value=$(awk '
        function field(line, n) { split(line, parts, ":"); return parts[n] }
        function hex(text,   i, v) {
            v = 0; text = tolower(text)
            for (i = 1; i <= length(text); i++) v = v * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
            return v
        }
        /Call user32\.SetTimer\(/ && start == "" {
            split($0, call, /[(),]/)
            if (hex(call[3]) == 1000) { start = field($0, 1) + 0; thread = field($0, 2); period = hex(call[4]) }
        }
        /Call user32\.ExitWindowsEx\(/ && start != "" && field($0, 2) == thread {
            printf "%.0f %d\n", (field($0, 1) - start) * 1000 - period, period; exit
        }' "$logs/$name.wine.log")
    if [ -z "$value" ]; then
        grep -E 'Call user32\.(SetTimer|ExitWindowsEx)' "$logs/$name.wine.log" | head -n 5 >&2
        die "run $run: no SetTimer with identifier 1000 followed by ExitWindowsEx in $logs/$name.wine.log"
    fi
    lateness_values+=("${value% *}")
    lateness_period=${value#* }
done
e2e_stop_xvfb
e2e_unlock_prefix

# ---- the table ---------------------------------------------------------------------------

# values KIND COLUMN FILE: column COLUMN of the lines of FILE that start with KIND (two words).
values() { tr -d '\r' <"$3" | awk -v kind="$1" -v column="$2" '$1 " " $2 == kind { print $column }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
maximum() { sort -g | tail -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0) print "—"; else printf "%.2f\n", a / b }'; }
kib() { awk -v v="$1" 'BEGIN { printf "%.0f\n", v / 1024 }'; }
fixed() { awk -v v="$1" -v d="${2:-1}" 'BEGIN { printf ("%." d "f\n"), v }'; }

startup_log=$logs/startup.out
idle_log=$logs/idle.out
start_p=$(values "startup program" 3 "$startup_log" | median)
start_r=$(values "startup reference" 3 "$startup_log" | median)
peak_p=$(values "startup program" 4 "$startup_log" | median)
peak_r=$(values "startup reference" 4 "$startup_log" | median)
private_p=$(values "startup program" 5 "$startup_log" | median)
private_r=$(values "startup reference" 5 "$startup_log" | median)
startcpu_p=$(values "startup program" 6 "$startup_log" | median)
startcpu_r=$(values "startup reference" 6 "$startup_log" | median)
# waiting KIND: "MS|US|WAKEUPS", the medians of the waiting figures of the lines of that kind.
waiting() {
    printf '%s|%s|%s' "$(values "$1" 3 "$idle_log" | median)" "$(values "$1" 4 "$idle_log" | median)" \
        "$(values "$1" 5 "$idle_log" | median)"
}
IFS='|' read -r ms_unarmed us_unarmed wake_unarmed <<<"$(waiting "background unarmed")"
IFS='|' read -r ms_armed us_armed wake_armed <<<"$(waiting "background armed")"
IFS='|' read -r ms_ref us_ref wake_ref <<<"$(waiting "background reference")"
IFS='|' read -r _ us_active_p wake_active_p <<<"$(waiting "active unarmed")"
IFS='|' read -r _ us_active_r wake_active_r <<<"$(waiting "active reference")"
late_median=$(printf '%s\n' "${lateness_values[@]}" | median)
late_max=$(printf '%s\n' "${lateness_values[@]}" | maximum)
size_p=$(stat -c %s "$program")
size_r=$(stat -c %s "$reference")

cpu_model=$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)
commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)
if [ -n "$(git -C "$root" status --porcelain -- src resources cmake CMakeLists.txt 2>/dev/null)" ]; then
    commit="$commit with local changes"
fi

# GetProcessTimes is worthless where Wine answers it with the caller's own times: its rows
# are left out then, and the line above the table says why.
mirrored=no
tr -d '\r' <"$idle_log" | grep -qx 'processtimes mirrored' && mirrored=yes
times_note="GetProcessTimes counts in steps of 10 ms under Wine"
if [ $mirrored = yes ]; then
    times_note="GetProcessTimes gives no figure here, as this Wine answers it for another process with the caller's own times"
fi

# row LABEL PROGRAM REFERENCE RATIO
row() { printf '| %s | %s | %s | %s |\n' "$@"; }
# linux_cell MICROSECONDS WAKEUPS
linux_cell() { printf '%s µs, %s wake-ups' "$(fixed "$1")" "$(fixed "$2" 0)"; }
per_thousand() { awk -v v="$1" 'BEGIN { print v / 1000 }'; }

echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) × ${cpu_model:-unknown CPU}, $(wine --version 2>/dev/null), Xvfb $screen, LANG=$session_lang; timed-shutdown.exe from commit $commit. Each figure is a median. \"By Linux's count\": the schedstat of all the threads of the program's Wine process, its time on a processor in nanoseconds and the number of times it was given one (wake-ups); $times_note."
echo
row "Measure" "timed-shutdown.exe" "reference" "ratio"
row "---" "---:" "---:" "---:"
row "Process start to visible main window, ms ($startup_rounds starts)" \
    "$(fixed "$start_p")" "$(fixed "$start_r")" "$(ratio "$start_p" "$start_r")"
row "Processor time from process start until it waits for input, ms, by Linux's count ($startup_rounds starts)" \
    "$(fixed "$(per_thousand "$startcpu_p")")" "$(fixed "$(per_thousand "$startcpu_r")")" "$(ratio "$startcpu_p" "$startcpu_r")"
row "Peak working set once the window is shown, KiB ($startup_rounds starts)" \
    "$(kib "$peak_p")" "$(kib "$peak_r")" "$(ratio "$peak_p" "$peak_r")"
row "Private bytes once the window is shown, KiB ($startup_rounds starts)" \
    "$(kib "$private_p")" "$(kib "$private_r")" "$(ratio "$private_p" "$private_r")"
if [ $mirrored = no ]; then
    row "Processor time in $wait_seconds s of waiting in the background, unarmed, ms, by GetProcessTimes ($instances processes)" \
        "$(fixed "$ms_unarmed")" "$(fixed "$ms_ref")" "$(ratio "$ms_unarmed" "$ms_ref")"
    row "Processor time in $wait_seconds s of waiting in the background, armed for 60 min, ms, by GetProcessTimes ($instances processes)" \
        "$(fixed "$ms_armed")" "$(fixed "$ms_ref")" "$(ratio "$ms_armed" "$ms_ref")"
fi
row "$wait_seconds s of waiting in the background, unarmed, by Linux's count ($instances processes)" \
    "$(linux_cell "$us_unarmed" "$wake_unarmed")" "$(linux_cell "$us_ref" "$wake_ref")" "$(ratio "$us_unarmed" "$us_ref")"
row "$wait_seconds s of waiting in the background, armed for 60 min, by Linux's count ($instances processes)" \
    "$(linux_cell "$us_armed" "$wake_armed")" "$(linux_cell "$us_ref" "$wake_ref")" "$(ratio "$us_armed" "$us_ref")"
row "$active_seconds s of waiting as the active window, unarmed (the field has the focus and its caret blinks), by Linux's count ($instances processes)" \
    "$(linux_cell "$us_active_p" "$wake_active_p")" "$(linux_cell "$us_active_r" "$wake_active_r")" "$(ratio "$us_active_p" "$us_active_r")"
row "Shutdown request after the $lateness_period ms period of the field text $lateness_minutes, ms late, median / max ($lateness_runs runs)" \
    "$late_median / $late_max" "—" "—"
row "Size of the .exe, bytes" "$size_p" "$size_r" "$(ratio "$size_p" "$size_r")"
bench_log "done in $((SECONDS - started_at)) s (logs in $logs)"

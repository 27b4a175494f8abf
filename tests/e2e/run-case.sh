#!/usr/bin/env bash
# Runs one end-to-end case: prepares Wine once per build tree, starts a private X server at
# the case's screen size, runs "wine e2e-driver.exe CASE" with a bound, ends the Wine session
# and the X server, and checks the relay log. Exit code 0 only when the driver reports no
# failure and every log check holds.
#
#   run-case.sh --build-dir DIR [options] CASE [ARGUMENTS...]
#
# Options:
#   --name NAME            name of the run, for its log folder DIR/e2e/NAME (default: CASE)
#   --screen WxH           screen size (default 1024x768)
#   --lang LOCALE          LANG of the Wine session (default en_US.UTF-8, code page 1252)
#   --windows nt|win98     Windows version the prefix reports (default nt)
#   --relay DLL.FUNCTION   log the program's calls of that function (repeatable); the
#                          driver finds the log through E2E_RELAY_LOG (a Windows path)
#   --log-matches REGEX    some line of the relay log must match (grep -E; repeatable)
#   --log-lacks REGEX      no line of the relay log may match (repeatable)
#   --session-ends         the program ends the Wine session, the driver with it: judge by
#                          the failures the driver reported and by the log checks
#   --timeout SECONDS      bound on the driver (default 60)
#   --prepare-only         prepare the locales and the prefix, run nothing
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"

usage() {
    sed -n '2,/^set /p' "${BASH_SOURCE[0]}" | sed -e '$d' -e 's/^# \{0,1\}//' >&2
    exit 2
}

build= name= screen=1024x768 lang=en_US.UTF-8 windows=nt bound=60
prepare_only=no session_ends=no
relay=() log_matches=() log_lacks=()
while [ $# -gt 0 ]; do
    case "$1" in
    --build-dir) build=${2:?}; shift 2 ;;
    --name) name=${2:?}; shift 2 ;;
    --screen) screen=${2:?}; shift 2 ;;
    --lang) lang=${2:?}; shift 2 ;;
    --windows) windows=${2:?}; shift 2 ;;
    --relay) relay+=("${2:?}"); shift 2 ;;
    --log-matches) log_matches+=("${2:?}"); shift 2 ;;
    --log-lacks) log_lacks+=("${2:?}"); shift 2 ;;
    --session-ends) session_ends=yes; shift ;;
    --timeout) bound=${2:?}; shift 2 ;;
    --prepare-only) prepare_only=yes; shift ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
    esac
done
[ -n "$build" ] && [ -d "$build" ] || { e2e_log "--build-dir must name the Windows build tree"; usage; }
[[ $screen =~ ^[0-9]+x[0-9]+$ ]] || { e2e_log "--screen must be WIDTHxHEIGHT, got '$screen'"; exit 2; }
[[ $bound =~ ^[0-9]+$ ]] || { e2e_log "--timeout must be a number of seconds, got '$bound'"; exit 2; }
build=$(realpath "$build")

case_name=
if [ "$prepare_only" = no ]; then
    [ $# -ge 1 ] || usage
    case_name=$1
    shift
fi
case_args=("$@")
name=${name:-${case_name:-prepare-$windows}}

session_started=no
e2e_clean_up_on_exit

# The prefix is always prepared in the same locale, so that its folder names never depend on
# the case that happened to come first.
e2e_prepare_locale "$build" en_US.UTF-8 || exit 1
e2e_prepare_locale "$build" "$lang" || exit 1
e2e_session_env "$build" "$windows" en_US.UTF-8
e2e_lock_prefix "$build" "$windows" || exit 1
e2e_prepare_prefix "$build" "$windows" || exit 1
[ "$prepare_only" = yes ] && exit 0
export LANG=$lang

for exe in timed-shutdown.exe e2e-driver.exe e2e-probe.dll; do
    [ -e "$build/$exe" ] || { e2e_log "$build/$exe is missing: build the win32 preset first"; exit 1; }
done

logs=$build/e2e/$name
rm -rf "$logs"
mkdir -p "$logs"
started=$SECONDS

# A run that was killed from outside (a CTest timeout) cannot have cleaned up after itself;
# nothing of it may take part in this one.
e2e_kill_stale_xvfb "$build/wine/$windows.xvfb.pid"
e2e_end_wine_session

e2e_start_xvfb "$screen" "$logs/xvfb.log" "$build/wine/$windows.xvfb.pid" || exit 1
session_started=yes

if [ ${#relay[@]} -gt 0 ]; then
    functions=$(IFS=';'; echo "${relay[*]}")
    e2e_bounded 30 wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$functions" /f \
        >"$logs/reg.log" 2>&1 || { e2e_log "RelayInclude could not be set:"; cat "$logs/reg.log" >&2; exit 1; }
    export E2E_PROGRAM_WINEDEBUG=-all,trace+relay
    # The driver reads the log as the case goes on, to check calls at each step.
    E2E_RELAY_LOG=$(e2e_windows_path "$logs")\\wine.log
    export E2E_RELAY_LOG
fi

driver_args=(--program "$(e2e_windows_path "$build/timed-shutdown.exe")")
code_page=$(e2e_code_page_of "$lang")
[ -n "$code_page" ] && driver_args+=(--acp "$code_page")

# Output goes to files, not pipes: the Wine session's own processes inherit the driver's
# descriptors and would hold a pipe open until the session ends.
driver_started=$SECONDS
e2e_bounded "$bound" wine "$build/e2e-driver.exe" "${driver_args[@]}" "$case_name" "${case_args[@]}" \
    >"$logs/driver.out" 2>"$logs/wine.log" </dev/null
driver_status=$?
# timeout reports 124, or 137 when the driver needed a KILL; a driver ended by the session
# ends with 137 too, but before its bound.
timed_out=no
if [ $driver_status -eq 124 ] || { [ $driver_status -eq 137 ] && [ $((SECONDS - driver_started)) -ge "$bound" ]; }; then
    timed_out=yes
fi

# The log is complete only once every process of the session has ended.
e2e_end_wine_session
session_started=no
e2e_stop_xvfb

cat "$logs/driver.out"
# A driver that was ended from outside may still exit with 0 (Wine ends a session's processes
# that way), so only a driver that printed its summary line has finished its case.
summarised=no
grep -Eq "^$(printf '%s' "$case_name" | sed 's/[][\.*^$/]/\\&/g'): [0-9]+ tests executed \([0-9]+ failures\)" \
    "$logs/driver.out" && summarised=yes
verdict=0
if [ $timed_out = yes ]; then
    e2e_log "the driver did not finish within $bound s"
    verdict=1
elif grep -q 'Test failed' "$logs/driver.out"; then
    verdict=1
elif [ $summarised = no ]; then
    if [ "$session_ends" = yes ]; then
        e2e_log "the driver was ended with the session (exit $driver_status); judging by the log"
    else
        e2e_log "the driver ended (exit $driver_status) before it finished the case"
        verdict=1
    fi
elif [ $driver_status -ne 0 ]; then
    verdict=1
fi

for regex in "${log_matches[@]}"; do
    if ! grep -Eq -- "$regex" "$logs/wine.log"; then
        e2e_log "relay log: got no line matching /$regex/, expected one"
        verdict=1
    fi
done
for regex in "${log_lacks[@]}"; do
    if line=$(grep -Em1 -- "$regex" "$logs/wine.log"); then
        e2e_log "relay log: got the line '$line', expected none matching /$regex/"
        verdict=1
    fi
done

if [ $verdict -ne 0 ] && [ ${#relay[@]} -eq 0 ] && [ -s "$logs/wine.log" ]; then
    e2e_log "Wine's messages (last 40 lines of $logs/wine.log):"
    tail -n 40 "$logs/wine.log" >&2
fi
e2e_log "$name: $([ $verdict -eq 0 ] && echo passed || echo FAILED) in $((SECONDS - started)) s (logs in $logs)"
exit $verdict

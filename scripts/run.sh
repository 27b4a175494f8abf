#!/usr/bin/env bash
# Builds timed-shutdown.exe and runs it under Wine.
#
#   scripts/run.sh [--update-docs] [--lang LOCALE]
#
# With $DISPLAY set, the program runs on that display until you close it. Without one, it
# runs on a private X server: the script waits for the window, saves a picture of it to
# build/screenshot.png (and to docs/screenshot.png with --update-docs), then closes it.
# --lang sets the locale of the Wine session (default zh_CN.UTF-8, a Chinese Windows with
# code page 936).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

update_docs=no
lang=zh_CN.UTF-8
while [ $# -gt 0 ]; do
    case "$1" in
    --update-docs) update_docs=yes; shift ;;
    --lang) lang=${2:?--lang needs a locale}; shift 2 ;;
    -h | --help) sed -n '2,/^set /p' "${BASH_SOURCE[0]}" | sed -e '$d' -e 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown argument: $1 (see --help)" >&2; exit 2 ;;
    esac
done

bash scripts/install-deps.sh
cmake --preset win32
cmake --build --preset win32

# shellcheck source=tests/e2e/lib.sh
source tests/e2e/lib.sh
build=$root/build/win32
logs=$build/run
mkdir -p "$logs"

session_started=no
e2e_clean_up_on_exit

e2e_prepare_locale "$build" en_US.UTF-8
e2e_prepare_locale "$build" "$lang"
e2e_session_env "$build" nt en_US.UTF-8
# The end-to-end tests share this prefix; while the program runs here they wait for it.
e2e_lock_prefix "$build" nt
e2e_prepare_prefix "$build" nt
export LANG=$lang
# Nothing of an earlier run that was killed from outside may take part in this one.
e2e_kill_stale_xvfb "$build/wine/nt.xvfb.pid"
e2e_end_wine_session

if [ -n "${DISPLAY:-}" ]; then
    echo "running timed-shutdown.exe on $DISPLAY; close its window to end"
    session_started=yes
    wine "$build/timed-shutdown.exe" 9>&-
    exit 0
fi

e2e_start_xvfb 1024x768 "$logs/xvfb.log" "$build/wine/nt.xvfb.pid"
session_started=yes
wine "$build/timed-shutdown.exe" >"$logs/program.log" 2>&1 </dev/null 9>&- &
program=$!

e2e_bounded 60 wine "$build/e2e-driver.exe" window-rect >"$logs/window-rect.out" 2>>"$logs/program.log" </dev/null || true
read -r x y width height < <(sed -n 's/^window-rect: //p' "$logs/window-rect.out") || true
if [ -z "${height:-}" ]; then
    echo "the program's window did not appear:" >&2
    cat "$logs/window-rect.out" "$logs/program.log" >&2
    exit 1
fi

import -window root "$logs/screen.png"
convert "$logs/screen.png" -crop "${width}x${height}+${x}+${y}" +repage "$root/build/screenshot.png"
echo "saved build/screenshot.png (${width}x${height} at $x,$y)"
if [ "$update_docs" = yes ]; then
    mkdir -p "$root/docs"
    cp "$root/build/screenshot.png" "$root/docs/screenshot.png"
    echo "copied it to docs/screenshot.png"
fi

e2e_bounded 30 wine "$build/e2e-driver.exe" close-all >"$logs/close-all.out" 2>>"$logs/program.log" </dev/null || true
deadline=$((SECONDS + 15))
while kill -0 "$program" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
if kill -0 "$program" 2>/dev/null; then
    echo "the program did not end within 15 s of closing its window" >&2
    cat "$logs/close-all.out" >&2
    exit 1
fi
wait "$program" && status=0 || status=$?
[ "$status" -eq 0 ] || { echo "the program ended with exit code $status" >&2; exit 1; }

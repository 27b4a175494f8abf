#!/usr/bin/env bash
# Lists the functions that timed-shutdown.exe imports and fails when one is not in
# tests/imports/windows95.txt: the functions that Windows 95 and 98 export (the NT family has
# them all). A function that only the NT family has must be looked up with GetProcAddress, so
# that the program file still loads on Windows 9x.
#
#   check-imports.sh PATH/TO/timed-shutdown.exe [--list]
set -euo pipefail
exe=${1:?usage: check-imports.sh timed-shutdown.exe [--list]}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
objdump=$(command -v i686-w64-mingw32-objdump || command -v objdump)

imports=$("$objdump" -p "$exe" | awk '
    /DLL Name:/ { dll = toupper($3) }
    /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll " " $3 }' | sort -u)
[ -n "$imports" ] || { echo "no imports found in $exe" >&2; exit 1; }
if [ "${2:-}" = --list ]; then printf '%s\n' "$imports"; exit 0; fi

unknown=$(comm -23 <(printf '%s\n' "$imports") <(grep -v '^#' "$here/windows95.txt" | sort -u))
if [ -n "$unknown" ]; then
    echo "timed-shutdown.exe imports functions that Windows 95 may lack:" >&2
    sed 's/^/  /' <<<"$unknown" >&2
    exit 1
fi
echo "imports: $(printf '%s\n' "$imports" | wc -l) functions, all available on Windows 95 and later"

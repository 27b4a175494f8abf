# Shared by tests/e2e/run-case.sh and scripts/run.sh: the Wine prefixes, the locales and the
# X server that the program runs on. Source it; it defines functions and E2E_* variables.
# The functions also work under "set -e": what may fail without harm is marked so.
#
# Layout inside the Windows build tree (e.g. build/win32):
#   wine/<version>/          one Wine prefix per reported Windows version (nt, win98)
#   wine/<version>.lock      held while the prefix is prepared or a Wine session runs in it
#   wine/<version>.stamp     written when the prefix is ready
#   wine/<version>.xvfb.pid  the X server of the session running in that prefix
#   locale/<name>/           compiled glibc locales, found through LOCPATH
#   e2e/Xresources           X resources for Wine (no font anti-aliasing, for pixel checks)
#
# Every child that outlives a command is started with fd 9 closed ("9>&-"): fd 9 holds the
# prefix lock, and a wineserver or an X server that inherited it would keep the lock after
# the run has ended.

# Bump when the preparation below changes, so that existing prefixes are prepared again.
E2E_PREFIX_RECIPE=4

e2e_log() { printf '[e2e] %s\n' "$*" >&2; }

# e2e_bounded SECONDS COMMAND...: runs COMMAND, killing it when it outlives the bound.
e2e_bounded() {
    local bound=$1
    shift
    timeout -k 5 "$bound" "$@" 9>&-
}

# The code page that Wine derives from a glibc locale name, as the driver should see it.
e2e_code_page_of() {
    case "$1" in
    zh_CN.*) echo 936 ;;
    en_US.* | C.* | POSIX | C) echo 1252 ;;
    *) echo "" ;;
    esac
}

# e2e_prepare_locale BUILD_DIR NAME: compiles the glibc locale NAME (e.g. zh_CN.UTF-8) into
# BUILD_DIR/locale unless it is already there or the system has it.
e2e_prepare_locale() {
    local build=$1 name=$2
    local dir=$build/locale
    case "$name" in C | POSIX | C.*) return 0 ;; esac
    [ -e "$dir/$name/LC_CTYPE" ] && return 0
    mkdir -p "$dir"
    (
        flock -w 120 9 || { e2e_log "locale lock not taken within 120 s"; exit 1; }
        [ -e "$dir/$name/LC_CTYPE" ] && exit 0
        local source=${name%%.*} charmap=${name#*.}
        [ "$charmap" = "$name" ] && charmap=UTF-8
        charmap=${charmap/utf8/UTF-8}
        rm -rf "$dir/$name.tmp"
        e2e_log "compiling locale $name"
        if ! localedef -i "$source" -f "$charmap" "$dir/$name.tmp" 9>&-; then
            # localedef reports warnings with exit code 1 but still writes a usable locale.
            [ -e "$dir/$name.tmp/LC_CTYPE" ] || { e2e_log "localedef failed for $name"; exit 1; }
        fi
        mv "$dir/$name.tmp" "$dir/$name"
    ) 9>"$dir/.lock"
}

# e2e_session_env BUILD_DIR VERSION LANG: exports what a Wine session in the prefix of
# VERSION needs: the prefix, a 32-bit Wine that asks nothing, the locale and the resources.
e2e_session_env() {
    local build=$1 version=$2 lang=$3
    export WINEARCH=win32
    export WINEPREFIX=$build/wine/$version
    # No Mono or Gecko installer dialogs, and no menu entries written into $HOME.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEDEBUG=-all
    export LOCPATH=$build/locale
    export XENVIRONMENT=$build/e2e/Xresources
    unset LC_ALL LC_CTYPE LC_MESSAGES LC_COLLATE LC_NUMERIC LC_TIME LC_MONETARY LANGUAGE
    export LANG=$lang
    mkdir -p "$build/e2e"
    [ -e "$XENVIRONMENT" ] || printf 'Xft.antialias: 0\n' >"$XENVIRONMENT"
    # Fontconfig's own rule switches anti-aliasing on for every font, whatever X says; a later
    # rule switches it off again, so that text pixels have exactly the colours drawn.
    export FONTCONFIG_FILE=$build/e2e/fonts.conf
    [ -e "$FONTCONFIG_FILE" ] || cat >"$FONTCONFIG_FILE" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
CONF
}

# Windows Z: path of a Linux path (Wine maps / to Z:).
e2e_windows_path() {
    local path
    path=$(realpath "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# e2e_lock_prefix BUILD_DIR VERSION: takes the lock of the prefix on fd 9 of the calling
# shell; it is held until fd 9 is closed or the shell ends.
e2e_lock_prefix() {
    local build=$1 version=$2
    mkdir -p "$build/wine"
    exec 9>"$build/wine/$version.lock"
    flock -w 300 9 || { e2e_log "prefix $version busy for 300 s"; return 1; }
}

e2e_unlock_prefix() { exec 9>&-; }

# Wine's interface fonts have no Chinese glyphs; outside a Chinese locale Wine links none in.
# Linking WenQuanYi Micro Hei to them shows the program's texts whatever the locale, as the
# fonts of a Windows with East Asian support do.
e2e_link_chinese_font() {
    local font
    for font in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        e2e_bounded 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$font" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f || return 1
    done
}

# Wine draws the caption buttons with the Marlett font, which this Wine does not find in its
# data folder by itself; in the prefix's font folder it does.
e2e_install_marlett() {
    local prefix=$1 font
    for font in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
        if [ -e "$font" ]; then
            mkdir -p "$prefix/drive_c/windows/Fonts" && cp "$font" "$prefix/drive_c/windows/Fonts/"
            return
        fi
    done
}

# e2e_prepare_prefix BUILD_DIR VERSION: makes the prefix of VERSION (nt: Wine's default
# Windows version; win98: reports Windows 98) ready, once per build tree. Call it with the
# prefix lock held and the session environment exported. Needs no X server.
e2e_prepare_prefix() {
    local build=$1 version=$2
    local prefix=$build/wine/$version stamp=$build/wine/$version.stamp
    # A new Wine updates an old prefix at its first start, which takes longer than a case may.
    local want
    want="recipe=$E2E_PREFIX_RECIPE version=$version wine=$(wine --version 2>/dev/null)"
    if [ -e "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && [ -e "$prefix/system.reg" ]; then
        return 0
    fi
    case "$version" in nt | win98) ;; *) e2e_log "unknown Windows version '$version'"; return 1 ;; esac

    e2e_log "preparing the Wine prefix $prefix (once per build tree)"
    local started=$SECONDS rc=0
    e2e_bounded 30 wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix" "$stamp"
    mkdir -p "$prefix"
    # Without a display Wine prepares the prefix just as well and opens no windows.
    (
        unset DISPLAY
        e2e_bounded 240 wineboot -i >"$build/wine/$version.prepare.log" 2>&1 &&
            e2e_bounded 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f &&
            e2e_bounded 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
            e2e_link_chinese_font &&
            e2e_install_marlett "$prefix" &&
            if [ "$version" = win98 ]; then
                e2e_bounded 60 wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f
            fi &&
            e2e_bounded 60 wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed
    ) >"$build/wine/$version.check.log" 2>&1 || rc=$?
    e2e_bounded 30 wineserver -w >/dev/null 2>&1 || e2e_bounded 10 wineserver -k >/dev/null 2>&1 || true
    if [ $rc -ne 0 ] || ! grep -q 'Managed.*REG_SZ.*N' "$build/wine/$version.check.log"; then
        e2e_log "the Wine prefix $prefix could not be prepared (exit $rc):"
        cat "$build/wine/$version.prepare.log" "$build/wine/$version.check.log" >&2
        rm -rf "$prefix"
        return 1
    fi
    echo "$want" >"$stamp"
    e2e_log "prefix $version ready in $((SECONDS - started)) s"
}

# e2e_start_xvfb WxH LOGFILE [PIDFILE]: starts an X server at that screen size on a free
# display and waits until it accepts connections. Sets E2E_XVFB_PID and exports DISPLAY.
# PIDFILE records the server until e2e_stop_xvfb, so that a run killed from outside (a
# CTest timeout) leaves a trace for e2e_kill_stale_xvfb.
E2E_XVFB_PID=
E2E_XVFB_PIDFILE=
e2e_start_xvfb() {
    local size=$1 log=$2
    E2E_XVFB_PIDFILE=${3:-}
    local numberfile
    numberfile=$(mktemp)
    # -displayfd makes the server pick a free display number and write it once it listens.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$numberfile" >"$log" 2>&1 9>&- </dev/null &
    E2E_XVFB_PID=$!
    [ -z "$E2E_XVFB_PIDFILE" ] || echo "$E2E_XVFB_PID" >"$E2E_XVFB_PIDFILE"
    local deadline=$((SECONDS + 15)) number=
    while [ $SECONDS -lt $deadline ]; do
        number=$(tr -dc 0-9 <"$numberfile")
        [ -n "$number" ] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$numberfile"
    if [ -z "$number" ]; then
        e2e_log "Xvfb did not start within 15 s:"
        cat "$log" >&2
        return 1
    fi
    export DISPLAY=:$number
    while [ $SECONDS -lt $deadline ]; do
        e2e_bounded 5 xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    e2e_log "Xvfb on $DISPLAY accepts no connection within 15 s"
    return 1
}

# Ends the X server started by e2e_start_xvfb, waiting for it with a bound.
e2e_stop_xvfb() {
    [ -n "$E2E_XVFB_PID" ] || return 0
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    local deadline=$((SECONDS + 10))
    while kill -0 "$E2E_XVFB_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
    kill -9 "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_XVFB_PID=
    [ -z "$E2E_XVFB_PIDFILE" ] || rm -f "$E2E_XVFB_PIDFILE"
}

# e2e_kill_stale_xvfb PIDFILE: ends the X server that an earlier run recorded there and could
# not end itself, if that process is still an Xvfb.
e2e_kill_stale_xvfb() {
    local pidfile=$1 pid
    [ -e "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    if [[ $pid =~ ^[0-9]+$ ]] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q '^Xvfb '; then
        e2e_log "ending the X server $pid left by an earlier run"
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$pidfile"
}

# Ends every process of the Wine session of the exported prefix, with a bound.
e2e_end_wine_session() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    e2e_bounded 20 wineserver -k >/dev/null 2>&1 || true
    e2e_bounded 20 wineserver -w >/dev/null 2>&1 || true
}

# e2e_clean_up_on_exit [HOOK]: on every way out of the calling script, runs HOOK (a command
# of the script's own, if given), ends the Wine session when $session_started is yes, stops
# the X server and releases the prefix lock, keeping the script's exit status.
e2e_clean_up_on_exit() {
    E2E_EXIT_HOOK=${1:-}
    session_started=${session_started:-no}
    trap e2e_clean_up EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

e2e_clean_up() {
    local status=$?
    trap - EXIT INT TERM
    if [ -n "${E2E_EXIT_HOOK:-}" ]; then $E2E_EXIT_HOOK; fi
    if [ "${session_started:-no}" = yes ]; then e2e_end_wine_session; fi
    e2e_stop_xvfb
    e2e_unlock_prefix
    exit "$status"
}

#!/bin/sh
# Counts how often Typekiln's threaded batch run crashes under load: runs
# Typekiln.exe RUNS times (default 300) under Wine on the example list (size
# 32, sample 4, edge 2, 8-bit BMP pages) while busy loops compete with it
# (LOAD of them, by default two per processor), and prints the runs, the
# crashes and the hangs.
#
# The runs use a Wine prefix of their own (build/crash-count/prefix) whose
# debugger, started by Wine on a crash, appends a backtrace to
# build/crash-count/crashes.log without showing a dialog. The build's own
# prefix starts no debugger, so that a crashing test ends at once.
#
#   scripts/crash-count.sh [RUNS] [PROGRAM.exe]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-300}
program=$(realpath "${2:-$root/build/windows/bin/Typekiln.exe}")
state=$root/build/crash-count
work=$state/work
crashes=$state/crashes.log
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver

[ -f "$program" ] || { echo "crash-count: no $program (build the windows preset first)" >&2; exit 1; }
mkdir -p "$work"
cp "$root/examples/chars_jis_level1.txt" "$work/"
: >"$crashes"
: >"$state/crashed-runs.log"

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=d"

load_pids=""
xvfb_pid=""
finish() {
    for pid in $load_pids; do kill "$pid" 2>/dev/null || true; done
    "$server" -k 2>/dev/null || true
    "$server" -w 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap finish EXIT
trap 'exit 130' INT TERM

# A display of our own: the run shows its progress window.
rm -f "$state/display"
setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
until [ -s "$state/display" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$state/display")"

if [ ! -f "$WINEPREFIX/.prepared" ]; then
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # winedbg --auto writes the crash, its backtrace and the threads to its
    # standard output; the debugger starts without PATH, hence full names.
    log=$("$wine" winepath -w "$crashes" 2>/dev/null)
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ \
        /d "C:\\windows\\system32\\cmd.exe /c C:\\windows\\system32\\winedbg.exe --auto %ld %ld >>$log 2>&1" \
        /f >/dev/null 2>&1
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f \
        >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    touch "$WINEPREFIX/.prepared"
fi
"$server" -p60 </dev/null >/dev/null 2>&1 || true

load=${LOAD:-$((2 * $(nproc)))}
for _ in $(seq "$load"); do
    sh -c 'while :; do :; done' &
    load_pids="$load_pids $!"
done

echo "crash-count: $runs runs of $program, $load busy loops beside them"
crashed=0
hung=0
failed=0
started=$(date +%s)
for run in $(seq "$runs"); do
    before=$(wc -c <"$crashes")
    status=0
    (cd "$work" && timeout 600 "$wine" "$program" chars_jis_level1.txt /size,32 /sample,4 /edge,2,0,0,0 \
        /format,1 >"$state/run.log" 2>&1) || status=$?
    # Wine says so on the program's standard error before it starts the debugger.
    if [ "$(wc -c <"$crashes")" -gt "$before" ] || grep -q '^wine: Unhandled' "$state/run.log"; then
        crashed=$((crashed + 1))
        echo "run $run: crashed (exit $status)"
        { echo "== run $run, exit $status"; cat "$state/run.log"; } >>"$state/crashed-runs.log"
    elif [ "$status" -eq 124 ]; then
        hung=$((hung + 1))
        echo "run $run: still running after 600 s, ended"
    elif [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        echo "run $run: exit $status without a crash"
    fi
    [ $((run % 25)) -ne 0 ] || echo "run $run: $crashed crashed so far, $(($(date +%s) - started)) s"
done
echo "crash-count: $runs runs in $(($(date +%s) - started)) s: $crashed crashed, $hung hung, $failed failed otherwise"
[ "$crashed" -eq 0 ] || echo "crash-count: backtraces in $crashes, the runs' own output in $state/crashed-runs.log"

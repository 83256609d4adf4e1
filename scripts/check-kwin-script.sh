#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Brindlemoor's KWin script (data/kwin/active-window.js) in a headless KWin, with a
# stand-in for the program on a private session bus, opens two native Wayland windows and
# prints what the script reported: a check by hand of KWin releases that the tests do not
# run, such as Plasma 6 in a Debian 13 root.
#
#   scripts/check-kwin-script.sh [--root DIR] [--window PROGRAM]
#
# --root runs KWin inside a debootstrap root (needs root: it mounts /proc, /sys and /dev there
# and unmounts them again); the root needs kwin-wayland, qt6-wayland, python3-dbusmock and
# dbus-daemon. --window is the native test window, by default the newest one built under build/.
set -euo pipefail

root=""
window=""
while [ $# -gt 0 ]; do
    case "$1" in
        --root) root="$(cd "$2" && pwd)"; shift 2 ;;
        --window) window="$2"; shift 2 ;;
        *) echo "usage: $0 [--root DIR] [--window PROGRAM]" >&2; exit 2 ;;
    esac
done
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "$window" ]; then
    window="$(ls -t "$source_dir"/build/*/tests/brindlemoor_native_test_window 2>/dev/null | head -n 1 || true)"
fi
[ -x "$window" ] || { echo "no native test window: build brindlemoor_native_test_window, or give --window" >&2; exit 1; }

# Everything lives in one folder that KWin sees at the same path, inside the root or not.
work="$(mktemp -d "$root/tmp/brindlemoor-kwin-check.XXXXXX")"
inside="${work#"$root"}"
cp "$source_dir/data/kwin/active-window.js" "$window" "$work/"
window_name="$(basename "$window")"

cat >"$work/session.sh" <<INNER
set -uo pipefail
work="$inside"
cd "\$work"
export XDG_RUNTIME_DIR="\$work/runtime"
mkdir -m 0700 "\$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
pids=()
trap 'kill "\${pids[@]}" 2>/dev/null; wait 2>/dev/null' EXIT
# Waits up to 20 s for a command to succeed.
until_ok() { for _ in \$(seq 100); do "\$@" >/dev/null 2>&1 && return 0; sleep 0.2; done; return 1; }
kwin_call() { dbus-send --session --print-reply=literal --dest=org.kde.KWin "\$@"; }

# The packaged binary's file capability is refused in a container; a copy has none and keeps the name.
cp "\$(command -v kwin_wayland)" ./kwin_wayland
echo "KWin: \$(./kwin_wayland --version 2>/dev/null)"
KWIN_COMPOSE=Q ./kwin_wayland --virtual --width 1280 --height 800 --socket wayland-check >kwin.log 2>&1 &
pids+=(\$!)
until_ok kwin_call /KWin org.freedesktop.DBus.Peer.Ping || { echo "KWin did not start:"; tail kwin.log; exit 1; }

dbus-monitor --session "type='method_call',interface='io.github.brindlemoor.KWin1'" >monitor.log 2>/dev/null &
pids+=(\$!)
/usr/bin/python3 -m dbusmock io.github.brindlemoor.Brindlemoor /io/github/brindlemoor/KWin \
    io.github.brindlemoor.KWin1 --logfile calls.log >mock.log 2>&1 &
pids+=(\$!)
until_ok dbus-send --session --dest=io.github.brindlemoor.Brindlemoor --print-reply /io/github/brindlemoor/KWin \
    org.freedesktop.DBus.Mock.AddMethod string:io.github.brindlemoor.KWin1 string:ReportActiveWindow \
    string:ssi string: string: || { echo "the stand-in did not start:"; cat mock.log; exit 1; }

id="\$(kwin_call /Scripting org.kde.kwin.Scripting.loadScript string:"\$work/active-window.js" \
    string:brindlemoor-active-window | awk '{print \$NF}')"
echo "loadScript: \$id"
ran=""
for path in "/Scripting/Script\$id" "/\$id"; do
    if kwin_call "\$path" org.kde.kwin.Script.run >/dev/null 2>&1; then ran="\$path"; break; fi
done
echo "run: \${ran:-failed}"

export WAYLAND_DISPLAY=wayland-check
reported() { grep -q "\$1" monitor.log; }
for app in watched-app other-app; do
    "./$window_name" "\$app" "\$app" red >/dev/null 2>"\$app.log" &
    pids+=(\$!)
    until_ok reported "\$app" || echo "no report for \$app (\$(cat "\$app.log"))"
done
echo "what the script sent (dbus-monitor):"
awk '/^method call/ { shown = 1; sub(/ time=[0-9.]*/, ""); sub(/ serial=[0-9]*/, ""); print "  " \$0; next }
     /^[^ ]/ { shown = 0 }
     shown { print "  " \$0 }' monitor.log
echo "what the stand-in accepted (ReportActiveWindow with signature ssi):"
sed 's/^[0-9.]* /  /' calls.log
kwin_call /Scripting org.kde.kwin.Scripting.unloadScript string:brindlemoor-active-window >/dev/null
echo "loaded after unloadScript: \$(kwin_call /Scripting org.kde.kwin.Scripting.isScriptLoaded string:brindlemoor-active-window)"
INNER

if [ -n "$root" ]; then
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    trap 'umount -R "$root/dev"; umount -R "$root/sys"; umount "$root/proc"; rm -rf "$work"' EXIT
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        dbus-run-session -- bash "$inside/session.sh"
else
    trap 'rm -rf "$work"' EXIT
    env -u DBUS_SESSION_BUS_ADDRESS dbus-run-session -- bash "$work/session.sh"
fi

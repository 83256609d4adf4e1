#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tries the GNOME Shell extension in a real, headless GNOME Shell, by hand:
#   scripts/check-gnome-extension.sh [--root DIR] [--build DIR]
# With --root, the shell of the system in DIR (a debootstrap root, entered with chroot) runs
# it. Either way the system needs gnome-shell, dbus, python3-dbusmock and python3-gi; the
# test window is a small GTK 4 program in Python (gnome-shell depends on GTK 4's bindings).
# The extension comes from the build folder (built there if it is not); the format that
# system's shell loads is chosen. Prints one line per check, exits non-zero if one failed.
set -euo pipefail

uuid=brindlemoor@brindlemoor.github.io
# Global, for the exit traps: what was started, mounted and made.
pids=()
mounted=()
root=""
work=""

# Runs inside the system under test, as root, with everything in the folder $1.
inner() {
    local work=$1
    export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
    export XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
    # The shell's settings in a file of this run, written before it starts; no dconf.
    export GSETTINGS_BACKEND=keyfile
    unset DISPLAY WAYLAND_DISPLAY
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/glib-2.0/settings" "$XDG_CACHE_HOME"
    chmod 0700 "$XDG_RUNTIME_DIR"
    # The welcome tour would take the focus from the test window.
    cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<EOF
[org/gnome/shell]
enabled-extensions=['$uuid']
welcome-dialog-last-shown-version='999'
EOF

    stop_all() {
        local i
        for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
            kill "${pids[i]}" 2>/dev/null || true
        done
        for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
            wait "${pids[i]}" 2>/dev/null || true
        done
    }
    trap stop_all EXIT

    # The machine's own buses stay out of it: a system bus with a stand-in logind, which
    # the shell needs to start, and a session bus of this run.
    dbus-daemon --config-file=/usr/share/dbus-1/session.conf --address="unix:path=$work/system_bus" \
        --nofork --nopidfile >"$work/system-bus.log" 2>&1 &
    pids+=($!)
    dbus-daemon --session --address="unix:path=$work/session_bus" --nofork --nopidfile \
        >"$work/session-bus.log" 2>&1 &
    pids+=($!)
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system_bus
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/session_bus
    local tries=0
    until [ -S "$work/system_bus" ] && [ -S "$work/session_bus" ]; do
        ((++tries < 100)) || { echo "FAIL buses: no sockets"; return 1; }
        sleep 0.1
    done
    python3 -m dbusmock --system --template logind >"$work/logind.log" 2>&1 &
    pids+=($!)
    gdbus wait --system --timeout 20 org.freedesktop.login1
    gdbus call --system -d org.freedesktop.login1 -o /org/freedesktop/login1 \
        -m org.freedesktop.DBus.Mock.AddSession c1 seat0 "$(id -u)" "$(id -un)" true >/dev/null
    export XDG_SESSION_ID=c1 XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME

    # The test window's application, so that the window tracker can name it.
    mkdir -p "$XDG_DATA_HOME/applications"
    cat >"$XDG_DATA_HOME/applications/io.github.brindlemoor.CheckWindow.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=Brindlemoor check window
Exec=python3 $work/window.py
EOF

    echo "system: $(. /etc/os-release && echo "$PRETTY_NAME"), $(gnome-shell --version)"
    gnome-shell --wayland --headless --no-x11 --virtual-monitor 1280x800 \
        --wayland-display brindlemoor-check >"$work/shell.log" 2>&1 &
    pids+=($!)
    if ! gdbus wait --session --timeout 60 org.gnome.Shell; then
        echo "FAIL gnome-shell: not on the bus within 60 s"
        tail -n 30 "$work/shell.log"
        return 1
    fi

    local rc=0
    WAYLAND_DISPLAY=brindlemoor-check python3 "$work/check.py" "$uuid" "$work" || rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "--- the shell's log (last 40 lines)"
        tail -n 40 "$work/shell.log"
    fi
    return "$rc"
}

write_helpers() {
    local work=$1
    cat >"$work/window.py" <<'EOF'
# A native Wayland window of a known application id.
import sys
import gi
gi.require_version('Gtk', '4.0')
from gi.repository import Gtk

def activate(app):
    window = Gtk.ApplicationWindow(application=app, title='Brindlemoor check window')
    window.set_default_size(320, 200)
    window.present()

app = Gtk.Application(application_id='io.github.brindlemoor.CheckWindow')
app.connect('activate', activate)
app.run([])
EOF
    cat >"$work/check.py" <<'EOF'
import os
import subprocess
import sys
import time

import gi
gi.require_version('GdkPixbuf', '2.0')
from gi.repository import GdkPixbuf, Gio, GLib

uuid, work = sys.argv[1], sys.argv[2]
PROGRAM = 'io.github.brindlemoor.Brindlemoor'
NAME = 'io.github.brindlemoor.GnomeShell'
PATH = '/io/github/brindlemoor/GnomeShell'
IFACE = 'io.github.brindlemoor.GnomeShell1'
WINDOW_ID = 'io.github.brindlemoor.CheckWindow'
STATES = {1: 'ENABLED', 2: 'DISABLED', 3: 'ERROR', 4: 'OUT_OF_DATE', 5: 'DOWNLOADING',
          6: 'INITIALIZED', 7: 'DISABLING', 8: 'ENABLING'}

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
context = GLib.MainContext.default()
failures = []
children = []


def report(ok, check, detail):
    print(f"{'ok  ' if ok else 'FAIL'} {check}: {detail}", flush=True)
    if not ok:
        failures.append(check)
    return ok


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.02)


def call(name, path, iface, method, args=None, reply=None):
    return bus.call_sync(name, path, iface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 10000, None).unpack()


def has_owner(name):
    return call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus', 'NameHasOwner',
                GLib.Variant('(s)', (name,)), '(b)')[0]


signals = []
bus.signal_subscribe(None, IFACE, None, PATH, None, Gio.DBusSignalFlags.NONE,
                     lambda c, sender, p, i, signal, params: signals.append((signal, params.unpack())))


def focus_changes():
    return [args for signal, args in signals if signal == 'FocusChanged']


def png(rgba, size):
    pixbuf = GdkPixbuf.Pixbuf.new(GdkPixbuf.Colorspace.RGB, True, 8, size, size)
    pixbuf.fill(rgba)
    return pixbuf.save_to_bufferv('png', [], [])[1]


shots = 0


def top_bar_pixels(match):
    """Pixels of the top bar's 40 rows that match, and their bounding box."""
    global shots
    shots += 1
    path = os.path.join(work, f'shot-{shots}.png')
    ok, used = call('org.gnome.Shell.Screenshot', '/org/gnome/Shell/Screenshot', 'org.gnome.Shell.Screenshot',
                    'ScreenshotArea', GLib.Variant('(iiiibs)', (0, 0, 1280, 40, False, path)), '(bs)')
    if not ok:
        raise RuntimeError('the screenshot failed')
    image = GdkPixbuf.Pixbuf.new_from_file(used)
    data, stride, channels = image.get_pixels(), image.get_rowstride(), image.get_n_channels()
    found = []
    for y in range(image.get_height()):
        for x in range(image.get_width()):
            i = y * stride + x * channels
            if match(data[i], data[i + 1], data[i + 2]):
                found.append((x, y))
    if not found:
        return 0, None
    xs, ys = [p[0] for p in found], [p[1] for p in found]
    return len(found), (min(xs), min(ys), max(xs), max(ys))


def magenta(r, g, b):
    return r > 180 and b > 180 and g < 90


def green(r, g, b):
    return g > 180 and r < 90 and b < 90


def stop(process):
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def main():
    def state():
        # The shell takes its name before it exports its objects.
        try:
            return call('org.gnome.Shell', '/org/gnome/Shell', 'org.gnome.Shell.Extensions', 'GetExtensionInfo',
                        GLib.Variant('(s)', (uuid,)), '(a{sv})')[0]
        except GLib.Error:
            return {}
    # GNOME 45 and later say ERROR while they import the module: only an error with a message is final.
    info = wait_for(lambda: (lambda i: i if i.get('state') in (1, 4) or i.get('error') else None)(state()),
                    30) or state()
    number = int(info.get('state', 0))
    errors = []
    if number != 1:
        errors = call('org.gnome.Shell', '/org/gnome/Shell', 'org.gnome.Shell.Extensions', 'GetExtensionErrors',
                      GLib.Variant('(s)', (uuid,)), '(as)')[0]
    if not report(number == 1, 'extension state', ' | '.join([STATES.get(number, str(number))] + errors)):
        return

    time.sleep(1)
    report(not has_owner(NAME), 'nothing on the bus while the program is away', f'{NAME} has no owner')

    program = subprocess.Popen([sys.executable, '-m', 'dbusmock', '--session', PROGRAM,
                                '/io/github/brindlemoor/Brindlemoor', PROGRAM],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    children.append(program)
    if not report(wait_for(lambda: has_owner(PROGRAM), 20), 'stand-in program', f'{PROGRAM} owned by python3-dbusmock'):
        return
    if not report(wait_for(lambda: has_owner(NAME), 10), 'extension name appears', f'{NAME} owned'):
        return
    first = wait_for(focus_changes, 5)
    report(bool(first), 'FocusChanged on taking the name', str(first[0]) if first else 'none within 5 s')

    focus = call(NAME, PATH, IFACE, 'GetFocus', None, '(ssu)')
    report(True, 'GetFocus answers', str(focus))
    scale = call(NAME, PATH, 'org.freedesktop.DBus.Properties', 'Get', GLib.Variant('(ss)', (IFACE, 'ScaleFactor')),
                 '(v)')[0]
    report(scale >= 1, 'ScaleFactor', str(scale))

    # The shell starts in the overview, where a new window is not focused; its own
    # interface lets any client leave it.
    call('org.gnome.Shell', '/org/gnome/Shell', 'org.freedesktop.DBus.Properties', 'Set',
         GLib.Variant('(ssv)', ('org.gnome.Shell', 'OverviewActive', GLib.Variant('b', False))))
    hidden = wait_for(lambda: not call('org.gnome.Shell', '/org/gnome/Shell', 'org.freedesktop.DBus.Properties', 'Get',
                                       GLib.Variant('(ss)', ('org.gnome.Shell', 'OverviewActive')), '(v)')[0], 10)
    report(hidden, 'overview left', 'org.gnome.Shell OverviewActive set to false')

    env = dict(os.environ, GDK_BACKEND='wayland', GSK_RENDERER='cairo', GTK_A11Y='none')
    window = subprocess.Popen([sys.executable, os.path.join(work, 'window.py')], env=env,
                              stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, 'window.log'), 'w'))
    children.append(window)
    seen = wait_for(lambda: [f for f in focus_changes() if f[1] == WINDOW_ID], 30)
    expected = (WINDOW_ID, WINDOW_ID, window.pid)
    report(bool(seen) and seen[0] == expected, 'FocusChanged for a native Wayland window (GTK 4, Python)',
           f'{seen[0] if seen else "none within 30 s"}, expected {expected}')
    report(call(NAME, PATH, IFACE, 'GetFocus', None, '(ssu)') == expected, 'GetFocus names the window',
           str(call(NAME, PATH, IFACE, 'GetFocus', None, '(ssu)')))

    count = len(focus_changes())
    stop(window)
    gone = wait_for(lambda: focus_changes()[count:], 10)
    report(bool(gone) and gone[-1][1] != WINDOW_ID, 'FocusChanged when the window closes',
           str(gone[-1]) if gone else 'none within 10 s')
    changes = focus_changes()
    repeats = [changes[i] for i in range(1, len(changes)) if changes[i] == changes[i - 1]]
    report(not repeats, 'FocusChanged only on a change', f'{len(changes)} signals, {len(repeats)} repeated')

    owned = []
    Gio.bus_own_name_on_connection(bus, 'org.gnome.Screenshot', Gio.BusNameOwnerFlags.NONE,
                                   lambda *a: owned.append(True), None)
    wait_for(lambda: owned, 5)
    size = 16 * scale
    before, _ = top_bar_pixels(magenta)
    call(NAME, PATH, IFACE, 'SetDot', GLib.Variant('(ay)', (png(0xff00ffff, size),)))
    shown = wait_for(lambda: (lambda n: n if n[0] >= size * size // 2 else None)(top_bar_pixels(magenta)), 5)
    report(before == 0 and bool(shown), 'SetDot shows the dot',
           f'{shown[0]} magenta pixels in the top bar at {shown[1]} (none before)' if shown
           else f'{before} magenta pixels before, too few after')
    call(NAME, PATH, IFACE, 'SetDot', GLib.Variant('(ay)', (png(0x00ff00ff, size),)))
    replaced = wait_for(lambda: top_bar_pixels(magenta)[0] == 0 and top_bar_pixels(green), 5)
    report(bool(replaced) and replaced[0] >= size * size // 2, 'SetDot replaces the image',
           f'{replaced[0]} green pixels at {replaced[1]}, no magenta' if replaced else 'the old image stays')
    call(NAME, PATH, IFACE, 'HideDot')
    hidden = wait_for(lambda: top_bar_pixels(green)[0] == 0, 5)
    report(hidden, 'HideDot removes the dot', 'no green pixels left' if hidden else 'the dot stays')

    call(NAME, PATH, IFACE, 'SetDot', GLib.Variant('(ay)', (png(0xff00ffff, size),)))
    wait_for(lambda: top_bar_pixels(magenta)[0] > 0, 5)
    stop(program)
    released = wait_for(lambda: not has_owner(NAME), 10)
    report(released, 'the extension lets its name go with the program', f'{NAME} has no owner' if released
           else f'{NAME} still owned 10 s after {PROGRAM} went')
    cleared = wait_for(lambda: top_bar_pixels(magenta)[0] == 0, 5)
    report(cleared, 'the dot goes with the program', 'no magenta pixels left' if cleared else 'the dot stays')

    # A restarted program finds the extension as the first one did.
    count = len(focus_changes())
    program = subprocess.Popen(program.args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    children.append(program)
    back = wait_for(lambda: has_owner(NAME) and focus_changes()[count:], 10)
    report(bool(back), 'the program started again', f'{NAME} owned again, FocusChanged {back[0]}' if back
           else f'{NAME} or its FocusChanged missing 10 s after {PROGRAM} came back')
    call(NAME, PATH, IFACE, 'SetDot', GLib.Variant('(ay)', (png(0xff00ffff, size),)))
    again = wait_for(lambda: top_bar_pixels(magenta)[0] > 0, 5)
    report(again, 'SetDot after the restart', 'the dot is back' if again else 'no dot')
    stop(program)
    wait_for(lambda: not has_owner(NAME), 10)

    with open(os.path.join(work, 'shell.log'), errors='replace') as log:
        noise = [line.strip() for line in log if 'JS ERROR' in line or 'JS WARNING' in line
                 or uuid in line]
    report(not noise, "the shell's log", 'no JS errors or warnings, nothing about the extension' if not noise
           else ' | '.join(noise[:5]))


try:
    main()
except Exception as error:
    report(False, 'unexpected error', repr(error))
finally:
    for child in children:
        if child.poll() is None:
            stop(child)
sys.exit(1 if failures else 0)
EOF
}

main() {
    local build=""
    while [ $# -gt 0 ]; do
        case $1 in
        --root) root=$(realpath "$2"); shift 2 ;;
        --build) build=$(realpath "$2"); shift 2 ;;
        --inner) inner "$2"; return ;;
        *) echo "usage: $0 [--root DIR] [--build DIR]" >&2; return 2 ;;
        esac
    done
    local source
    source=$(cd "$(dirname "$0")/.." && pwd)
    if [ -z "$build" ]; then
        build=$source/build/debug
        if [ ! -f "$build/gnome-shell/modules/$uuid/extension.js" ]; then
            (cd "$source" && cmake --preset debug >&2)
        fi
    fi
    cmake --build "$build" --target brindlemoor_gnome_shell_extension >&2

    # The system's own programs, not whatever this shell's PATH finds first (a Python of its own).
    local run=(/usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8)
    if [ -n "$root" ]; then
        [ "$(id -u)" -eq 0 ] || { echo "--root needs root, for chroot and its mounts" >&2; return 2; }
        run=(chroot "$root" "${run[@]}")
    fi
    local version format
    version=$("${run[@]}" gnome-shell --version | sed -n 's/^GNOME Shell \([0-9]*\).*/\1/p')
    [ -n "$version" ] || { echo "no gnome-shell in that system" >&2; return 2; }
    if [ "$version" -lt 45 ]; then format=legacy; else format=modules; fi

    # What this run mounts it unmounts, in reverse; what was mounted before stays.
    cleanup() {
        local i
        for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
            umount "${mounted[i]}" || umount -l "${mounted[i]}" || true
        done
        [ -n "${work:-}" ] && [ -z "${BRINDLEMOOR_CHECK_KEEP:-}" ] && rm -rf "${root}${work}"
    }
    trap cleanup EXIT
    if [ -n "$root" ]; then
        local fs
        for fs in proc sys dev dev/pts; do
            if ! mountpoint -q "$root/$fs"; then
                case $fs in
                proc) mount -t proc proc "$root/proc" ;;
                *) mount --bind "/$fs" "$root/$fs" ;;
                esac
                mounted+=("$root/$fs")
            fi
        done
    fi

    work=$(mktemp -d "${root}/tmp/brindlemoor-check.XXXXXX")
    chmod 0755 "$work"
    work=${work#"$root"}
    mkdir -p "${root}${work}/data/gnome-shell/extensions"
    cp -r "$build/gnome-shell/$format/$uuid" "${root}${work}/data/gnome-shell/extensions/"
    cp "$0" "${root}${work}/check-gnome-extension.sh"
    write_helpers "${root}${work}"
    echo "extension: the $format format from $build"
    "${run[@]}" bash ${BRINDLEMOOR_CHECK_TRACE:+-x} "$work/check-gnome-extension.sh" --inner "$work"
}

main "$@"

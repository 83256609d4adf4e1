#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark against a build and prints one line per figure, "name: value unit",
# then one line per target and the verdict. scripts/bench.sh builds first and calls this.
#
#   bench/run-bench.sh BUILD_DIR [--peer "<command>"] [--seconds N]
#
# --peer: a program to measure beside ours and the floor, started with this command line.
# --seconds: the measured window of the running programs (60 by default).
set -euo pipefail

usage() {
    echo "usage: $0 BUILD_DIR [--peer \"<command>\"] [--seconds N]" >&2
    exit 2
}
[ $# -ge 1 ] || usage
build=$(cd "$1" && pwd)
shift
peer=""
seconds=60
settle=10
while [ $# -gt 0 ]; do
    case "$1" in
    --peer) [ $# -ge 2 ] || usage; peer=$2; shift 2 ;;
    --seconds) [ $# -ge 2 ] && [[ $2 =~ ^[1-9][0-9]*$ ]] || usage; seconds=$2; shift 2 ;;
    *) usage ;;
    esac
done

bin=$build/bench
program=$build/src/app/brindlemoor
for f in "$program" "$bin/brindlemoor-tick-bench" "$bin/brindlemoor-fortnight-memory" \
    "$bin/brindlemoor-bench-store" "$bin/brindlemoor-bench-floor"; do
    [ -x "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done

# Below the build folder: a real disk, since a store in tmpfs writes nothing to count.
work=$(mktemp -d -p "$build" bench-run-XXXXXX)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

declare -A value
figure() { # name value unit
    value[$1]=$2
    echo "$1: $2 $3"
}
not_measured() { echo "$1: not measured"; }
# A floor that used nothing makes any use of ours infinitely more.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else if (a > 0) print "inf"; else print "1.00" }'; }
# Takes the figures a bench program printed into `value`, and passes its lines on.
collect() {
    local line
    while IFS= read -r line; do
        echo "$line"
        [[ $line =~ ^([a-z0-9_]+):\ ([-0-9.]+)\  ]] && value[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}
    done
}

run_bench() { # program...
    (cd "$work" && "$@") >"$work/figures" || echo "$(basename "$1") failed" >&2
    collect <"$work/figures"
}

# --- The cost of one counted second, headless, in virtual time ---
run_bench "$bin/brindlemoor-tick-bench"
if command -v valgrind >/dev/null; then
    (cd "$work" && valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$work/callgrind.out" \
        "$bin/brindlemoor-tick-bench" --callgrind) >"$work/callgrind.log" 2>&1 || true
    ticks=$(sed -n 's/^callgrind_ticks_k1000: \([0-9]*\) .*/\1/p' "$work/callgrind.log")
    total=$(sed -n 's/^\(summary\|totals\): \([0-9]*\).*/\2/p' "$work/callgrind.out" 2>/dev/null | tail -1)
    if [ -n "$ticks" ] && [ -n "$total" ]; then
        figure instructions_per_tick_k1000 "$((total / ticks))" instructions
    else
        not_measured instructions_per_tick_k1000
    fi
else
    not_measured instructions_per_tick_k1000
fi

# --- Memory over a simulated fortnight ---
run_bench "$bin/brindlemoor-fortnight-memory"

# --- The running programs, black-box, in a private X session ---
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CACHE_HOME" "$work/bus"
mkdir -m 700 -p "$XDG_CONFIG_HOME/brindlemoor"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
export QT_QPA_PLATFORM=xcb

started() { pids+=("$1"); }
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
started $!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$work/display")

# A bus of its own, without activatable services: nothing else starts on our behalf.
cat >"$work/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile --print-address=1 >"$work/bus.address" 2>"$work/bus.log" &
started $!
for _ in $(seq 100); do [ -s "$work/bus.address" ] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus.address")
export DBUS_SESSION_BUS_ADDRESS

openbox --sm-disable >"$work/openbox.log" 2>&1 &
started $!
trayer --edge top --align right --widthtype request --height 24 --SetDockType true >"$work/trayer.log" 2>&1 &
started $!
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '("panel" "trayer")' && break
    sleep 0.1
done

# One watched terminal in front, known to the program by a desktop entry of its own.
printf '[Desktop Entry]\nType=Application\nName=Bench terminal\nExec=xterm\nStartupWMClass=BrindlemoorBench\n' \
    >"$XDG_DATA_HOME/applications/bench-xterm.desktop"
xterm -class BrindlemoorBench -title bench-xterm >/dev/null 2>&1 &
started $!
terminal=$(xdotool search --sync --name '^bench-xterm$' | head -1)
xdotool windowactivate --sync "$terminal" >/dev/null 2>&1 || true

store=$XDG_CONFIG_HOME/brindlemoor/defaults.sqlite3
prepare_store() { "$bin/brindlemoor-bench-store" prepare "$store" bench-xterm 100; }

# The windows inside trayer's windows that belong to a client (they carry a WM_CLASS): the icons.
tray_icons() {
    xwininfo -root -tree 2>/dev/null | awk '
        { match($0, /^ */); indent = RLENGTH }
        inside && indent <= inside { inside = 0 }
        /\("[^"]*" "[Tt]rayer"\)/ { if (!inside) inside = indent; next }
        inside && /\("[^"]*" "[^"]*"\)/ { print $1 }' | sort
}

now_ns() { date +%s%N; }
# Starts a program and waits until its icon is in the tray; sets `launched` and `startup` (ms, or "").
launch() { # log-name command...
    local name=$1
    shift
    local before after t0
    before=$(tray_icons)
    t0=$(now_ns)
    "$@" >>"$work/$name.log" 2>&1 &
    launched=$!
    startup=""
    for _ in $(seq 2000); do
        after=$(tray_icons)
        if [ -n "$(comm -13 <(echo "$before") <(echo "$after"))" ]; then
            startup=$((($(now_ns) - t0) / 1000000))
            return
        fi
        kill -0 "$launched" 2>/dev/null || return
        sleep 0.01
    done
}
stop() {
    kill -TERM "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    for _ in $(seq 100); do [ -z "$(comm -13 <(echo "$base_icons") <(tray_icons))" ] && break; sleep 0.05; done
}
# Five starts, each until the icon is embedded; the median is the figure, and the last start stays running.
declare -A pid_of startup_of
start_measured() { # key prepare-command command...
    local key=$1 prepare=$2
    shift 2
    local times=() i
    for i in 1 2 3 4 5; do
        [ "$prepare" = - ] || $prepare
        launch "$key" "$@"
        times+=("${startup:-}")
        [ "$i" -eq 5 ] || stop "$launched"
    done
    pid_of[$key]=$launched
    started "$launched"
    if [[ ${times[*]} =~ ^([0-9]+\ ){4}[0-9]+$ ]]; then
        startup_of[$key]=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
    else
        startup_of[$key]=""
    fi
}

base_icons=$(tray_icons)
start_measured floor - "$bin/brindlemoor-bench-floor"
base_icons=$(tray_icons)
start_measured ticking - "$bin/brindlemoor-bench-floor" --tick
base_icons=$(tray_icons)
start_measured ours prepare_store "$program"
base_icons=$(tray_icons)
keys=(ours floor ticking)
if [ -n "$peer" ]; then
    start_measured peer - bash -c "exec $peer"
    keys+=(peer)
fi
xdotool windowactivate --sync "$terminal" >/dev/null 2>&1 || true

# CPU from the scheduler's own nanoseconds per thread, wakeups as the times a thread went to sleep.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }
written() { awk '/^write_bytes/ { print $2 }' /proc/"$1"/io 2>/dev/null || echo 0; }
sleep "$settle"
counted_before=$("$bin/brindlemoor-bench-store" counted "$store" bench-xterm)
declare -A cpu0 wake0 io0
for key in "${keys[@]}"; do
    pid=${pid_of[$key]}
    cpu0[$key]=$(cpu_ns "$pid") wake0[$key]=$(wakeups "$pid") io0[$key]=$(written "$pid")
done
sleep "$seconds"
prefix() { [ "$1" = ours ] && echo "" || echo "$1_"; }
for key in "${keys[@]}"; do
    pid=${pid_of[$key]}
    p=$(prefix "$key")
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "$key ended during the measurement; see $work/$key.log" >&2
        continue
    fi
    figure "${p}cpu_ms_per_min" "$(awk -v a="${cpu0[$key]}" -v b="$(cpu_ns "$pid")" -v s="$seconds" \
        'BEGIN { printf "%.2f", (b - a) / 1e6 * 60 / s }')" ms
    figure "${p}rss_peak_mb" "$(awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/"$pid"/status)" MB
    figure "${p}write_kb_per_min" "$(awk -v a="${io0[$key]}" -v b="$(written "$pid")" -v s="$seconds" \
        'BEGIN { printf "%.1f", (b - a) / 1024 * 60 / s }')" KB
    figure "${p}wakeups_per_s" "$(awk -v a="${wake0[$key]}" -v b="$(wakeups "$pid")" -v s="$seconds" \
        'BEGIN { printf "%.1f", (b - a) / s }')" /s
    if [ -n "${startup_of[$key]}" ]; then
        figure "${p}startup_ms" "${startup_of[$key]}" ms
    else
        not_measured "${p}startup_ms"
    fi
done
[ -n "$peer" ] || for f in cpu_ms_per_min rss_peak_mb write_kb_per_min wakeups_per_s startup_ms; do
    not_measured "peer_$f"
done
counted=$(($("$bin/brindlemoor-bench-store" counted "$store" bench-xterm) - counted_before))
figure counted_in_window_s "$counted" s
# Figures of a program that did not count are an idle program's: say so rather than compare them.
if [ "$counted" -lt $((seconds - 5)) ]; then
    echo "the program counted $counted of $seconds seconds; see $work/ours.log" >&2
fi

# The ticking floor is no target, only the measure of what counting each second costs at the least.
for pair in "cpu_vs_floor cpu_ms_per_min floor_cpu_ms_per_min" "rss_vs_floor rss_peak_mb floor_rss_peak_mb" \
    "cpu_vs_ticking_floor cpu_ms_per_min ticking_cpu_ms_per_min" \
    "startup_vs_floor startup_ms floor_startup_ms" "cpu_vs_peer cpu_ms_per_min peer_cpu_ms_per_min" \
    "rss_vs_peer rss_peak_mb peer_rss_peak_mb"; do
    read -r name a b <<<"$pair"
    r=""
    [ -n "${value[$a]:-}" ] && [ -n "${value[$b]:-}" ] && r=$(ratio "${value[$a]}" "${value[$b]}")
    if [ -n "$r" ]; then figure "$name" "$r" x; else not_measured "$name"; fi
done

met=0
measured=0
missing=()
for target in "tick_vs_naive_k1000 0.1" "cpu_vs_floor 2.0" "cpu_vs_peer 0.5" "rss_vs_floor 1.5" \
    "rss_vs_peer 1.0" "write_kb_per_min 120" "startup_vs_floor 1.5" "rss_growth_mb 5"; do
    read -r name limit <<<"$target"
    v=${value[$name]:-}
    if [ -z "$v" ]; then
        echo "target $name <= $limit: not measured"
        missing+=("$name")
        continue
    fi
    measured=$((measured + 1))
    if [ "$v" != inf ] && awk -v v="$v" -v l="$limit" 'BEGIN { exit !(v <= l) }'; then
        echo "target $name <= $limit: met"
        met=$((met + 1))
    else
        echo "target $name <= $limit: not met"
    fi
done
echo "targets_not_measured: ${missing[*]:-none}"
echo "verdict: $met of $measured targets met"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the README's two commands as a new user would: in a fresh debootstrap root of a Debian
# release, from the tree as a source archive (no .git, no build folders), and prints each one's
# exit status and time. Needs root and debootstrap.
#
#   scripts/check-on-debian.sh 12|13|bookworm|trixie [--keep] [--root DIR] [--only run|test]
#
# --root DIR uses (and keeps) a root made earlier instead of a new one; --keep keeps a new one;
# --only runs one of the two commands.
set -euo pipefail
cd "$(dirname "$0")/.."

release="${1:?usage: scripts/check-on-debian.sh 12|13|bookworm|trixie [--keep] [--root DIR] [--only run|test]}"
shift
case "$release" in
12) release=bookworm ;;
13) release=trixie ;;
esac
keep=0
root=""
commands=(run test)
while [ $# -gt 0 ]; do
    case "$1" in
    --keep) keep=1 ;;
    --root) root="$2"; keep=1; shift ;;
    --only) commands=("$2"); shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

mirror="${BRINDLEMOOR_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
if [ -z "$root" ]; then
    root=$(mktemp -d "/var/tmp/brindlemoor-$release.XXXXXX")
    # mktemp keeps the folder to root; as the root's / it must be open to the tests' own users.
    chmod 755 "$root"
    echo "== debootstrap $release into $root"
    start=$SECONDS
    debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1
    echo "debootstrap: $((SECONDS - start)) s"
    # The commands install with apt-get as root, like a fresh machine's administrator; sudo is not needed.
fi

mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    if [ "$keep" -eq 0 ]; then rm -rf "$root" "$root.debootstrap.log"; fi
}
trap cleanup EXIT
for fs in proc sys dev dev/pts dev/shm; do
    mountpoint -q "$root/$fs" && continue
    mkdir -p "$root/$fs"
    case "$fs" in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
    dev/shm) mount -t tmpfs shm "$root/dev/shm" ;;
    *) mount --bind "/$fs" "$root/$fs" ;;
    esac
    mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# The tree as a source archive holds it: what git tracks and what is new, without .git or builds.
tree=/root/brindlemoor
rm -rf "${root:?}$tree"
mkdir -p "$root$tree"
if git rev-parse --git-dir >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -xf - -C "$root$tree"
else
    tar --exclude=./build --exclude=./.git -cf - . | tar -xf - -C "$root$tree"
fi

status=0
for command in "${commands[@]}"; do
    echo "== scripts/$command.sh in a fresh $release root"
    start=$SECONDS
    rc=0
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb \
        bash -c "cd $tree && scripts/$command.sh" >"$root.$command.log" 2>&1 || rc=$?
    tail -n 25 "$root.$command.log"
    echo "scripts/$command.sh: exit $rc in $((SECONDS - start)) s (whole output: $root.$command.log)"
    # Without a display the program says so and stops with 1: that is the run command's success here.
    if [ "$command" = run ]; then
        grep -q "no graphical session to run in" "$root.$command.log" || status=1
    elif [ "$rc" -ne 0 ]; then
        status=1
    fi
done
exit "$status"

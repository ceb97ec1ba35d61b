#!/usr/bin/env bash
# The run command's figures in the README: how long scripts/run.sh takes from its start to the
# game's window (shown, with the game's title) on an X server of its own, for a fresh clone of this
# checkout's commit, run twice: the first run sets up and builds, the second starts at once.
#   scripts/run-time.sh          the clone on this machine, with the packages it has
#   scripts/run-time.sh debian   the clone in a fresh Debian 12 (as root): the system debootstrap
#                                makes, kept in .deps/debian-12 and copied afresh into a chroot, so
#                                that the first run installs every package the game needs
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
mounts=()
cleanup() { # never a removal through a mount still bound, which would reach this machine's /dev
  kill ${game:-} ${xvfb:-} 2>/dev/null
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}"; done
  grep -q " $tmp/" /proc/mounts || rm -rf "$tmp"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$tmp/display" 2>/dev/null &
xvfb=$!
until [ -s "$tmp/display" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$tmp/display")"

clone=$tmp/wheels run=("$clone/scripts/run.sh")
if [ "${1:-}" = debian ]; then
  base=$root/.deps/debian-12
  if [ ! -e "$base/made" ]; then # Debian's archive as this machine's apt knows it
    command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
    archive=$(apt-get indextargets --format '$(LABEL) $(REPO_URI)' | awk '$1 == "Debian" { print $2; exit }')
    rm -rf "$base" && debootstrap bookworm "$base" "$archive" >"$tmp/debootstrap.log" &&
      touch "$base/made" || { cat "$tmp/debootstrap.log" >&2; exit 1; }
  fi
  cp -a "$base" "$tmp/debian" && rm "$tmp/debian/made" && mkdir -p "$tmp/debian/tmp/.X11-unix"
  for dir in proc sys dev dev/pts tmp/.X11-unix; do
    mount --bind "/$dir" "$tmp/debian/$dir" && mounts+=("$tmp/debian/$dir")
  done
  clone=$tmp/debian/root/wheels
  run=(chroot "$tmp/debian" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin DISPLAY="$DISPLAY"
    /root/wheels/scripts/run.sh)
fi
git clone -q "$root" "$clone"

for n in first second; do
  start=$(date +%s%N)
  "${run[@]}" >"$tmp/run.log" 2>&1 &
  game=$!
  until xdotool search --onlyvisible --name '^Sliding along walls' >/dev/null 2>&1; do
    kill -0 "$game" 2>/dev/null || { cat "$tmp/run.log" >&2 && echo "run-time: no window" >&2; exit 1; }
    sleep 0.05
  done
  echo "$n run: the window after $(((($(date +%s%N) - start) / 1000000))) ms (load $(cut -d' ' -f1-3 /proc/loadavg))"
  kill -TERM "$game" && wait "$game" || { echo "run-time: the game ended with status $?" >&2; exit 1; }
  game=
done

#!/usr/bin/env bash
# Soak: Lumora left in real-time mode on its own X display (Xvfb with openbox)
# for a while, its resident memory sampled from /proc. Prints every sample and
# the growth; fails when the growth after the first minute exceeds the limit or
# when the program dies. Not part of the test suite: it takes real time.
#
#   bench/soak.sh [--minutes 10] [--interval 10] [--limit-kib 1024]
#                 [--build build/soak | --program path/to/Lumora]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

minutes=10
interval=10
limit_kib=1024
build=build/soak
program=""
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) minutes=$2; shift 2 ;;
    --interval) interval=$2; shift 2 ;;
    --limit-kib) limit_kib=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
    *) echo "soak: unknown option $1" >&2; exit 2 ;;
  esac
done
case "$minutes$interval$limit_kib" in *[!0-9]*) echo "soak: whole numbers please" >&2; exit 2 ;; esac
[ "$interval" -gt 0 ] && [ "$minutes" -gt 0 ] || { echo "soak: --minutes and --interval must be positive" >&2; exit 2; }

source tools/deps.sh
lumora_install "${LUMORA_BUILD_PACKAGES[@]}" xvfb xauth openbox x11-utils

if [ -z "$program" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMORA_TESTS=OFF -DLUMORA_BENCH=OFF >/dev/null
  cmake --build "$build" --target Lumora
  program="$build/src/Lumora"
fi
[ -x "$program" ] || { echo "soak: no program at $program" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
display=""
if ! read -r -t 20 display <"$work/display" || [ -z "$display" ]; then
  echo "soak: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1
fi
export DISPLAY=":$display"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_running() {
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
  [[ $check == *"window id"* ]]
}
for _ in $(seq 50); do wm_running && break; sleep 0.1; done

# Its own settings store, so that no real user's settings are read or written.
mkdir -p "$work/home" "$work/config"
HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
  "$program" >"$work/lumora.log" 2>&1 &
app=$!
pids+=("$app")

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

# Sampling starts once the main window is on the screen (its X window has the
# title and the class Lumora).
window_shown() {
  local tree
  tree=$(xwininfo -root -tree 2>/dev/null) || return 1
  [[ $tree == *'"Lumora": ("Lumora"'* ]]
}
for _ in $(seq 300); do
  window_shown && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
if ! window_shown; then
  echo "soak: the main window did not appear" >&2; cat "$work/lumora.log" >&2; exit 1
fi

samples=$((minutes * 60 / interval))
echo "soak: $program on $DISPLAY for $minutes min, VmRSS every ${interval}s"
printf '%8s %12s\n' "seconds" "VmRSS_KiB"
values=()
start=$SECONDS
for ((n = 0; n <= samples; n++)); do
  target=$((start + n * interval))
  while [ $SECONDS -lt $target ]; do sleep 1; done
  rss=$(rss_kib "$app")
  if [ -z "$rss" ]; then
    echo "soak: Lumora is no longer running after $((SECONDS - start)) s" >&2
    cat "$work/lumora.log" >&2
    exit 1
  fi
  values+=("$rss")
  printf '%8d %12d\n' $((SECONDS - start)) "$rss"
done

# The first minute holds the caches filled at start-up (fonts, pixmaps); the
# growth that matters is the one after it.
warm=$((60 / interval))
[ "$warm" -ge "${#values[@]}" ] && warm=0
first=${values[0]}
last=${values[-1]}
after=${values[warm]}
echo "soak: first ${first} KiB, after the first minute ${after} KiB, last ${last} KiB"
echo "soak: growth $((last - first)) KiB overall, $((last - after)) KiB after the first minute"
if [ $((last - after)) -gt "$limit_kib" ]; then
  echo "soak: FAILED: more than $limit_kib KiB of growth" >&2
  exit 1
fi
echo "soak: within $limit_kib KiB"

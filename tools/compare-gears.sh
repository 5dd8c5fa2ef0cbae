#!/usr/bin/env bash
# The X11 saver (quillmoor -window, sized to 1280x720) and xscreensaver's
# gears side by side under one Xvfb, each in a 1280x720 window, over the same
# stretch of time: CPU-seconds per 10 s and
# per frame of each. Frames are counted the same way for both, by a small
# library preloaded into each that counts buffer swaps (GLX or EGL); the saver's
# own QUILLMOOR_FRAME_REPORT line is shown as a check of that count.
#   bash tools/compare-gears.sh [--seconds 30] [--warm-up 5] [--out DIR]
# Installs xscreensaver-gl when gears is missing (needs root or sudo).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=30
warmup=5
out=
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) seconds=$2; shift 2 ;;
    --warm-up) warmup=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--seconds N] [--warm-up N] [--out DIR]" >&2; exit 2 ;;
  esac
done

quillmoor=${QUILLMOOR:-$top/build/platform/quillmoor}
gears=/usr/libexec/xscreensaver/gears
[ -x "$quillmoor" ] || { echo "compare-gears: build first ($quillmoor is missing)" >&2; exit 1; }
[ -x "$gears" ] || bash "$top/tools/apt-install-missing.sh" compare-gears xscreensaver-gl
for tool in Xvfb xdotool gcc; do
  command -v "$tool" > /dev/null || { echo "compare-gears: $tool is missing (see tools/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/compare-gears-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "$out" ] || rm -rf "$work"
}
trap cleanup EXIT

# The swap counter: the count lives in a mapped file that the script reads.
cat > "$work/swapcount.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>
typedef struct _XDisplay Display;
typedef unsigned long GLXDrawable;
static volatile long *count;
static void Count(void)
{
    if (!count) {
        const char *path = getenv("SWAP_COUNT_FILE");
        int fd = path ? open(path, O_RDWR) : -1;
        void *map = fd >= 0 ? mmap(0, sizeof(long), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
        static long unused;
        count = map != MAP_FAILED ? (volatile long *)map : &unused;
    }
    ++*count;
}
/* GLX (the saver) */
void glXSwapBuffers(Display *display, GLXDrawable drawable)
{
    static void (*real)(Display *, GLXDrawable);
    if (!real)
        real = (void (*)(Display *, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    Count();
}
/* EGL (xscreensaver 6 hacks draw through EGL) */
unsigned eglSwapBuffers(void *display, void *surface)
{
    static unsigned (*real)(void *, void *);
    if (!real)
        real = (unsigned (*)(void *, void *))dlsym(RTLD_NEXT, "eglSwapBuffers");
    unsigned result = real(display, surface);
    Count();
    return result;
}
C
gcc -shared -fPIC -O2 -o "$work/swapcount.so" "$work/swapcount.c" -ldl

Xvfb -displayfd 3 -screen 0 2560x720x24 -nolisten tcp -noreset -ac 3> "$work/display" > "$work/xvfb.log" 2>&1 &
pids+=($!)
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")

# Side by side: each program in a 1280x720 window of its own (windows given to
# them by id would be covered by the host's own widgets, which saves drawing).
find_window() {
  local id=
  for _ in $(seq 200); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && break
    sleep 0.05
  done
  [ -n "$id" ] || { echo "compare-gears: no window named $1" >&2; cat "$work"/*.err >&2; exit 1; }
  echo "$id"
}
for name in ours gears; do head -c 8 /dev/zero > "$work/$name.count"; done
SWAP_COUNT_FILE=$work/ours.count LD_PRELOAD=$work/swapcount.so QUILLMOOR_FRAME_REPORT=1 \
  "$quillmoor" -window > "$work/ours.out" 2> "$work/ours.err" &
ours=$!
pids+=($ours)
SWAP_COUNT_FILE=$work/gears.count LD_PRELOAD=$work/swapcount.so \
  "$gears" -window -geometry 1280x720+1280+0 -fps > "$work/gears.out" 2> "$work/gears.err" &
gears_pid=$!
pids+=($gears_pid)
ours_window=$(find_window '^Quillmoor$')
xdotool windowsize "$ours_window" 1280 720 windowmove "$ours_window" 0 0
find_window '^Gears' > /dev/null

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }              # utime + stime, in ticks
frames() { od -An -t d8 "$work/$1.count" | tr -d ' '; }

sleep "$warmup"
kill -0 "$ours" && kill -0 "$gears_pid" || { echo "compare-gears: a program ended early" >&2; cat "$work"/*.err >&2; exit 1; }
c0_ours=$(cpu "$ours"); c0_gears=$(cpu "$gears_pid"); c0_x=$(cpu "$xvfb")
f0_ours=$(frames ours); f0_gears=$(frames gears)
t0=$(date +%s.%N)
sleep "$seconds"
c1_ours=$(cpu "$ours"); c1_gears=$(cpu "$gears_pid"); c1_x=$(cpu "$xvfb")
f1_ours=$(frames ours); f1_gears=$(frames gears)
t1=$(date +%s.%N)
if [ -n "$out" ]; then
  mkdir -p "$out"
  command -v import > /dev/null && import -window root "$out/side-by-side.png" 2>/dev/null || true
fi
kill -TERM "$ours" "$gears_pid"
wait "$ours" 2>/dev/null || true

report() {  # name cpu-ticks frames
  awk -v name="$1" -v cpu="$2" -v frames="$3" -v t0="$t0" -v t1="$t1" -v hz="$ticks" 'BEGIN {
    wall = t1 - t0
    s = cpu / hz
    perFrame = frames > 0 ? s * 1000 / frames : 0
    printf "%-10s %8.2f %10.2f %8d %8.1f %12.2f\n", name, s, s * 10 / wall, frames, frames / wall, perFrame }'
}
echo "side by side under Xvfb, two 1280x720 windows, $seconds s after $warmup s of warm-up"
printf "%-10s %8s %10s %8s %8s %12s\n" program cpu-s "cpu-s/10s" frames fps "cpu-ms/frame"
report quillmoor $((c1_ours - c0_ours)) $((f1_ours - f0_ours))
report gears $((c1_gears - c0_gears)) $((f1_gears - f0_gears))
report "(Xvfb)" $((c1_x - c0_x)) 0
echo "quillmoor's own report over its whole run: $(grep -h 'quillmoor: frames' "$work/ours.err" || echo none)"
[ -n "$out" ] && cp "$work"/*.err "$out"/ 2>/dev/null || true

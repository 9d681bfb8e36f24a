#!/usr/bin/env bash
# The play screen of level 1 in a real window: CPU, frames per second, CPU per frame and peak
# memory of one or more builds, run alternately on the same machine.
#
#   bench/window-measure.sh [--seconds N] [--runs R] [--vsync "1 0"] [--paused] NAME=BUILD_DIR ...
#
# Each BUILD_DIR is a build tree holding bin/lantern-vale-at-level and Resources/. Every run
# gets its own Xvfb (1024x768) and home folder; the game opens its 800x600 window offered
# SDL's "opengl" renderer on Mesa's software GL (builds that find the GL drawn by the processor
# draw with their own raster instead), is clicked through the loading screen and the
# level's opening page, settles, and is then watched for N seconds (default 20). Runs go
# build after build, R rounds (default 3) for each VSYNC setting. Frames are the renderer's
# presents (or window surface updates), counted by a preloaded shim (bench/PresentCounter.c),
# so any commit can be measured. --paused presses P first and measures the paused play
# screen. Needs Xvfb, xdotool and a C compiler.
set -euo pipefail

seconds=20
runs=3
vsyncs="1 0"
settle=4
paused=0
builds=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --vsync) vsyncs="$2"; shift 2 ;;
    --settle) settle="$2"; shift 2 ;;
    --paused) paused=1; shift ;;
    -h|--help) sed -n 2,16p "$0"; exit 0 ;;
    *=*) builds+=("$1"); shift ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
if [[ ${#builds[@]} -eq 0 ]]; then
  echo "usage: $0 [--seconds N] [--runs R] [--vsync \"1 0\"] NAME=BUILD_DIR ..." >&2
  exit 2
fi
for tool in Xvfb xdotool cc; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done
for b in "${builds[@]}"; do
  dir="${b#*=}"
  [[ -x "$dir/bin/lantern-vale-at-level" && -d "$dir/Resources" ]] ||
    { echo "$dir: no bin/lantern-vale-at-level or Resources/ (build the tests there)" >&2; exit 2; }
done

here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d /tmp/lv-window-measure.XXXXXX)"
shim="$work/present-counter.so"
cc -O2 -shared -fPIC -o "$shim" "$here/PresentCounter.c" -ldl

xvfb=""
game=""
cleanup() {
  [[ -n "$game" ]] && kill "$game" 2>/dev/null && wait "$game" 2>/dev/null || true
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
frames() { od -An -t u8 -N8 "$1" 2>/dev/null | tr -d ' ' || echo 0; }
click() {  # a press held as a hand holds it, at window pixel ($2, $3)
  DISPLAY="$1" xdotool mousemove --window "$window" "$2" "$3" mousedown 1 sleep 0.12 mouseup 1
}

profile_changed() { [[ "$(md5sum <"$1")" != "$2" ]]; }
# wait_until SECONDS WHAT COMMAND...: polls until the command succeeds.
wait_until() {
  local limit=$((SECONDS + $1)) what="$2"
  shift 2
  until "$@"; do
    if ((SECONDS >= limit)); then
      echo "gave up waiting for $what" >&2
      return 1
    fi
    sleep 0.2
  done
}

# One run: prints "cpu_percent fps cpu_ms_per_frame peak_mib".
measure() {
  local dir="$1" vsync="$2"
  local fdfile="$work/display" home="$work/home"
  rm -rf "$home" "$fdfile"
  mkdir -p "$home/.local/share/Quillfern Games/Lantern Vale"
  printf 'FULL SCREEN=0\nVSYNC=%s\n' "$vsync" \
    >"$home/.local/share/Quillfern Games/Lantern Vale/lantern-vale-at-level.ini"
  exec 3>"$fdfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  exec 3>&-
  local deadline=$((SECONDS + 30))
  until [[ -s "$fdfile" ]]; do
    ((SECONDS < deadline)) || { echo "Xvfb did not start" >&2; return 1; }
    sleep 0.1
  done
  local display=":$(head -n1 "$fdfile")"
  local count="$work/presents"
  rm -f "$count"
  env -u SDL_VIDEODRIVER -u SDL_RENDER_DRIVER DISPLAY="$display" HOME="$home" \
    XDG_DATA_HOME="$home/.local/share" SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=opengl \
    LIBGL_ALWAYS_SOFTWARE=1 LD_PRELOAD="$shim" LV_PRESENT_COUNT="$count" \
    "$dir/bin/lantern-vale-at-level" 1 >/dev/null 2>"$work/stderr" &
  game=$!
  window=""
  deadline=$((SECONDS + 30))
  while [[ -z "$window" ]]; do
    ((SECONDS < deadline)) || { echo "no game window" >&2; return 1; }
    sleep 0.2
    window="$(DISPLAY="$display" xdotool search --onlyvisible --name '^Lantern Vale' 2>/dev/null | head -n1 || true)"
  done
  # The test entry makes its profile once loading is over (a click before that would not
  # count); the profile is written again when the level's opening page shows, which any
  # click rolls up (below the board, so no gem is chosen).
  local profile="$home/.local/share/Quillfern Games/Lantern Vale/profiles/Tester.dat"
  wait_until 60 "loading" test -s "$profile"
  local made
  made="$(md5sum <"$profile")"
  click "$display" 400 300
  wait_until 60 "the level's page" profile_changed "$profile" "$made"
  sleep 1
  click "$display" 400 590
  sleep 1
  DISPLAY="$display" xdotool mousemove --window "$window" 400 300  # over the board, as in play
  if ((paused)); then
    sleep 1
    DISPLAY="$display" xdotool keydown p sleep 0.12 keyup p
  fi
  sleep "$settle"
  kill -0 "$game" 2>/dev/null || { echo "the game ended early:" >&2; cat "$work/stderr" >&2; return 1; }
  local t0 c0 f0 t1 c1 f1
  t0=$(now); c0=$(cpu_ticks "$game"); f0=$(frames "$count")
  sleep "$seconds"
  t1=$(now); c1=$(cpu_ticks "$game"); f1=$(frames "$count")
  local peak
  peak=$(awk '/^VmHWM:/ {print $2}' "/proc/$game/status")
  kill "$game"; wait "$game" 2>/dev/null || true; game=""
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true; xvfb=""
  local hz
  hz=$(getconf CLK_TCK)
  awk -v t0="$t0" -v t1="$t1" -v c="$((c1 - c0))" -v hz="$hz" -v f="$((f1 - f0))" \
    -v kb="$peak" 'BEGIN {
      cpu = c / hz; t = t1 - t0
      printf "%.1f %.1f %.2f %.1f\n", 100 * cpu / t, f / t, (f > 0 ? 1000 * cpu / f : 0), kb / 1024
    }'
}

printf '%-10s %-5s %-4s %8s %7s %12s %10s\n' build vsync run "cpu_%" fps cpu_ms/frame peak_MiB
declare -A sum
for vsync in $vsyncs; do
  for ((r = 1; r <= runs; ++r)); do
    for b in "${builds[@]}"; do
      name="${b%%=*}"
      result="$(measure "${b#*=}" "$vsync")"
      read -r cpu fps per peak <<<"$result"
      printf '%-10s %-5s %-4s %8s %7s %12s %10s\n' "$name" "$vsync" "$r" "$cpu" "$fps" "$per" "$peak"
      key="$name/$vsync"
      sum[$key]="${sum[$key]:-} $cpu:$fps:$per:$peak"
    done
  done
done

echo
echo "means over $runs runs of ${seconds}s$( ((paused)) && echo ", paused") ($(nproc) cores, $(uname -m)):"
printf '%-10s %-5s %8s %7s %12s %10s\n' build vsync "cpu_%" fps cpu_ms/frame peak_MiB
for vsync in $vsyncs; do
  for b in "${builds[@]}"; do
    name="${b%%=*}"
    echo "${sum[$name/$vsync]}" | tr ' ' '\n' | awk -F: -v n="$name" -v v="$vsync" 'NF == 4 {
        c += $1; f += $2; p += $3; m += $4; k++ }
      END { printf "%-10s %-5s %8.1f %7.1f %12.2f %10.1f\n", n, v, c / k, f / k, p / k, m / k }'
  done
done

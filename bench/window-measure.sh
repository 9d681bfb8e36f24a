#!/usr/bin/env bash
# The play screen of level 1 in a real window: CPU, frames per second, CPU per frame and peak
# memory of one or more builds, run alternately on the same machine.
#
#   bench/window-measure.sh [--seconds N] [--runs R] [--vsync "1 0"] [--paused]
#                           [--full-screen WxH] NAME=BUILD_DIR ...
#
# Each BUILD_DIR is a build tree holding bin/lantern-vale-at-level and Resources/. Every run
# gets its own Xvfb (1024x768) and home folder; the game opens its 800x600 window as it would
# on this machine (builds of any age are offered SDL's "opengl" renderer on Mesa's software
# GL), is clicked through the loading screen and the level's opening page, settles, and is
# then watched for N seconds (default 20). Runs go build after build, R rounds (default 3) for
# each VSYNC setting. Frames are the renderer's presents (or window surface updates), counted
# by a preloaded shim (bench/PresentCounter.c), so any commit can be measured. --paused
# presses P first and measures the paused play screen. --full-screen gives the server a
# screen of W by H and a window manager (openbox), and the game full screen. A run that fails
# is reported and left out of the means. Needs Xvfb, xdotool and a C compiler (and openbox
# for --full-screen).
set -euo pipefail

seconds=20
runs=3
vsyncs="1 0"
settle=4
paused=0
full=""
builds=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --vsync) vsyncs="$2"; shift 2 ;;
    --settle) settle="$2"; shift 2 ;;
    --paused) paused=1; shift ;;
    --full-screen) full="$2"; shift 2 ;;
    -h|--help) sed -n 2,19p "$0"; exit 0 ;;
    *=*) builds+=("$1"); shift ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
if [[ ${#builds[@]} -eq 0 ]]; then
  echo "usage: $0 [--seconds N] [--runs R] [--vsync \"1 0\"] NAME=BUILD_DIR ..." >&2
  exit 2
fi
screen="1024x768"
tools=(Xvfb xdotool cc)
if [[ -n "$full" ]]; then
  [[ "$full" =~ ^[0-9]+x[0-9]+$ ]] || { echo "--full-screen wants WxH, not $full" >&2; exit 2; }
  screen="$full"
  tools+=(openbox xprop)
fi
for tool in "${tools[@]}"; do
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
wm=""
game=""
# Ends what the current run started (the game, the window manager, the server); what does not
# end within five seconds of being asked (a game stuck waiting for its window) is killed.
stop_run() {
  local pid tries
  for pid in "$game" "$wm" "$xvfb"; do
    [[ -n "$pid" ]] || continue
    kill "$pid" 2>/dev/null || true
    for ((tries = 0; tries < 50; ++tries)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  game="" wm="" xvfb=""
}
cleanup() {
  stop_run
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
frames() { od -An -t u8 -N8 "$1" 2>/dev/null | tr -d ' ' || echo 0; }
# Window pixels of a logical (800 by 600) point: the frame scaled to fit the screen and
# centred when full screen.
place() {
  if [[ -z "$full" ]]; then
    echo "$1 $2"
    return
  fi
  awk -v x="$1" -v y="$2" -v s="$screen" 'BEGIN {
    split(s, d, "x"); k = d[1] / 800 < d[2] / 600 ? d[1] / 800 : d[2] / 600
    printf "%d %d\n", (d[1] - 800 * k) / 2 + x * k, (d[2] - 600 * k) / 2 + y * k }'
}
click() {  # a press held as a hand holds it, at logical point ($2, $3)
  local at
  read -r -a at <<<"$(place "$2" "$3")"
  DISPLAY="$1" xdotool mousemove --window "$window" "${at[0]}" "${at[1]}" mousedown 1 sleep 0.12 mouseup 1
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

# One run: sets result to "cpu_percent fps cpu_ms_per_frame peak_mib"; returns 1 (with the
# reason on standard error) when the run fails. Runs in this shell, so stop_run sees its
# processes whatever happens.
measure() {
  local dir="$1" vsync="$2"
  local fdfile="$work/display" home="$work/home"
  result=""
  rm -rf "$home" "$fdfile"
  mkdir -p "$home/.local/share/Quillfern Games/Lantern Vale"
  printf 'FULL SCREEN=%s\nVSYNC=%s\n' "$([[ -n "$full" ]] && echo 1 || echo 0)" "$vsync" \
    >"$home/.local/share/Quillfern Games/Lantern Vale/lantern-vale-at-level.ini"
  exec 3>"$fdfile"
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  exec 3>&-
  local deadline=$((SECONDS + 30))
  until [[ -s "$fdfile" ]]; do
    ((SECONDS < deadline)) || { echo "Xvfb did not start" >&2; return 1; }
    sleep 0.1
  done
  local display=":$(head -n1 "$fdfile")"
  if [[ -n "$full" ]]; then
    mkdir -p "$home/.config"
    DISPLAY="$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" openbox --sm-disable \
      >/dev/null 2>&1 &
    wm=$!
    wait_until 30 "the window manager" sh -c \
      "DISPLAY='$display' xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window" ||
      return 1
    sleep 1  # its check window comes a little before it manages windows
  fi
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
    kill -0 "$game" 2>/dev/null || { echo "the game ended:" >&2; cat "$work/stderr" >&2; return 1; }
    sleep 0.2
    window="$(DISPLAY="$display" xdotool search --onlyvisible --name '^Lantern Vale' 2>/dev/null | head -n1 || true)"
  done
  # The test entry makes its profile once loading is over (a click before that would not
  # count); the profile is written again when the level's opening page shows, which any
  # click rolls up (below the board, so no gem is chosen).
  local profile="$home/.local/share/Quillfern Games/Lantern Vale/profiles/Tester.dat"
  wait_until 60 "loading" test -s "$profile" || return 1
  local made
  made="$(md5sum <"$profile")"
  click "$display" 400 300
  wait_until 60 "the level's page" profile_changed "$profile" "$made" || return 1
  sleep 1
  click "$display" 400 590
  sleep 1
  local over
  read -r -a over <<<"$(place 400 300)"
  DISPLAY="$display" xdotool mousemove --window "$window" "${over[0]}" "${over[1]}"  # over the board, as in play
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
  stop_run
  local hz
  hz=$(getconf CLK_TCK)
  result="$(awk -v t0="$t0" -v t1="$t1" -v c="$((c1 - c0))" -v hz="$hz" -v f="$((f1 - f0))" \
    -v kb="$peak" 'BEGIN {
      cpu = c / hz; t = t1 - t0
      printf "%.1f %.1f %.2f %.1f\n", 100 * cpu / t, f / t, (f > 0 ? 1000 * cpu / f : 0), kb / 1024
    }')"
}

printf '%-10s %-5s %-4s %8s %7s %12s %10s\n' build vsync run "cpu_%" fps cpu_ms/frame peak_MiB
declare -A sum
failed=0
for vsync in $vsyncs; do
  for ((r = 1; r <= runs; ++r)); do
    for b in "${builds[@]}"; do
      name="${b%%=*}"
      if ! measure "${b#*=}" "$vsync" 2>"$work/why"; then
        stop_run
        printf '%-10s %-5s %-4s failed: %s\n' "$name" "$vsync" "$r" "$(tr '\n' ' ' <"$work/why")"
        failed=$((failed + 1))
        continue
      fi
      read -r cpu fps per peak <<<"$result"
      printf '%-10s %-5s %-4s %8s %7s %12s %10s\n' "$name" "$vsync" "$r" "$cpu" "$fps" "$per" "$peak"
      key="$name/$vsync"
      sum[$key]="${sum[$key]:-} $cpu:$fps:$per:$peak"
    done
  done
done

echo
echo "means over $runs runs of ${seconds}s$( ((paused)) && echo ", paused")$([[ -n "$full" ]] && echo ", full screen $full") ($(nproc) cores, $(uname -m)):"
printf '%-10s %-5s %8s %7s %12s %10s\n' build vsync "cpu_%" fps cpu_ms/frame peak_MiB
for vsync in $vsyncs; do
  for b in "${builds[@]}"; do
    name="${b%%=*}"
    echo "${sum[$name/$vsync]:-}" | tr ' ' '\n' | awk -F: -v n="$name" -v v="$vsync" 'NF == 4 {
        c += $1; f += $2; p += $3; m += $4; k++ }
      END { if (k) printf "%-10s %-5s %8.1f %7.1f %12.2f %10.1f\n", n, v, c / k, f / k, p / k, m / k
            else printf "%-10s %-5s no run succeeded\n", n, v }'
  done
done
if ((failed)); then
  echo "$failed run(s) failed"
  exit 1
fi

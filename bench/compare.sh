#!/usr/bin/env bash
# Runs the benchmark programs of this tree beside the same programs built from an earlier
# commit, alternating (base, current, base, current, ...), and prints every figure of both
# with the ratio current / base (below 1: the current tree is faster or smaller).
#
#   bench/compare.sh BASE_COMMIT [PROGRAM...]
#
#   BASE_COMMIT  any commit name; checked out once in a detached worktree and built in Release
#                there, kept for the next comparison against the same commit
#   PROGRAM      benchmark programs to run (BoardBench, LoadBench, ...); default: every
#                benchmark program both trees have
#
# Environment:
#   RUNS=3            runs of each program per tree
#   BENCH_ARGS="..."  extra arguments for every run, e.g. "--benchmark_filter=BM_PlayFrame"
#   LV_BENCH_DIR=...  where the baseline worktrees and builds live (default /tmp/lv-bench-$USER)
#   JOBS=4            build parallelism
#
# The current tree (with its uncommitted changes) is built in Release in build-release/.
# Each figure is the median over the runs: of the "median" row when a benchmark repeats
# itself, else of its single row; times are in the benchmark's own unit, counters as reported.
set -euo pipefail

if [ $# -lt 1 ] || [ "$1" = "-h" ] || [ "$1" = "--help" ]; then
  sed -n '2,21p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BASE_REF="$1"
shift
RUNS="${RUNS:-3}"
JOBS="${JOBS:-4}"
BENCH_DIR="${LV_BENCH_DIR:-/tmp/lv-bench-${USER:-$(id -un)}}"
BASE_SHA="$(git -C "$ROOT" rev-parse --verify "$BASE_REF^{commit}")"
BASE_SRC="$BENCH_DIR/base-${BASE_SHA:0:12}"
BASE_BUILD="$BASE_SRC/build-release"
CUR_BUILD="$ROOT/build-release"
mkdir -p "$BENCH_DIR"

LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# The benchmark programs a source tree has: one per bench/*Bench.cpp.
programs_of() {
  local f
  for f in "$1"/bench/*Bench.cpp; do
    [ -e "$f" ] && basename "$f" .cpp
  done
}

build_tree() {  # source folder, build folder, programs...
  local src="$1" build="$2"
  shift 2
  cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release "${LAUNCHER[@]}" >/dev/null
  local targets=()
  local p
  for p in "$@"; do targets+=(--target "$p"); done
  [ -d "$src/tools/assetgen" ] && targets+=(--target assets)
  cmake --build "$build" -j "$JOBS" "${targets[@]}" >"$build/compare-build.log" 2>&1 || {
    tail -30 "$build/compare-build.log" >&2
    echo "compare.sh: the build in $build failed (log: $build/compare-build.log)" >&2
    exit 1
  }
}

if [ $# -gt 0 ]; then
  PROGRAMS=("$@")
else
  mapfile -t PROGRAMS < <(programs_of "$ROOT")
fi

# The baseline: one worktree per commit, built under a lock so two comparisons can share it.
(
  flock 9
  if [ ! -e "$BASE_SRC/.git" ]; then
    git -C "$ROOT" worktree prune
    git -C "$ROOT" worktree add --detach "$BASE_SRC" "$BASE_SHA" >/dev/null
  fi
  mapfile -t base_programs < <(programs_of "$BASE_SRC")
  wanted=()
  for p in "${PROGRAMS[@]}"; do
    for b in "${base_programs[@]}"; do [ "$p" = "$b" ] && wanted+=("$p"); done
  done
  echo "Building the baseline ${BASE_SHA:0:12} in $BASE_BUILD ..." >&2
  if [ ${#wanted[@]} -gt 0 ]; then build_tree "$BASE_SRC" "$BASE_BUILD" "${wanted[@]}"; fi
) 9>"$BASE_SRC.lock"

echo "Building the current tree in $CUR_BUILD ..." >&2
build_tree "$ROOT" "$CUR_BUILD" "${PROGRAMS[@]}"

OUT="$(mktemp -d "$BENCH_DIR/run-XXXXXX")"
read -r -a EXTRA <<<"${BENCH_ARGS:-}"
ran=()
for p in "${PROGRAMS[@]}"; do
  if [ ! -x "$BASE_BUILD/bin/$p" ]; then
    echo "($p: not in the baseline, skipped)" >&2
    continue
  fi
  if [ ! -x "$CUR_BUILD/bin/$p" ]; then
    echo "($p: not built in the current tree, skipped)" >&2
    continue
  fi
  ran+=("$p")
  for run in $(seq 1 "$RUNS"); do
    for side in base current; do
      bin="$BASE_BUILD/bin/$p"
      [ "$side" = current ] && bin="$CUR_BUILD/bin/$p"
      echo "$p: $side, run $run of $RUNS" >&2
      "$bin" --benchmark_out="$OUT/$p.$side.$run.json" --benchmark_out_format=json \
        "${EXTRA[@]}" >/dev/null 2>"$OUT/$p.$side.$run.err" || {
        echo "$p ($side) failed; see $OUT/$p.$side.$run.err" >&2
        tail -5 "$OUT/$p.$side.$run.err" >&2
      }
    done
  done
done

echo
echo "Baseline ${BASE_SHA:0:12} against the current tree; medians of $RUNS alternating runs each," \
  "Release, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$OUT" "$RUNS" "${ran[@]}" <<'EOF'
import json, os, statistics, sys

out, runs, programs = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
SKIP = {"name", "run_name", "run_type", "family_index", "per_family_instance_index",
        "repetitions", "repetition_index", "threads", "iterations", "time_unit",
        "aggregate_name", "aggregate_unit", "label", "error_occurred", "error_message"}

def figures(path):
    """{(benchmark, figure): value} of one run: the median row of repeated benchmarks."""
    try:
        with open(path) as f:
            rows = json.load(f).get("benchmarks", [])
    except (OSError, ValueError):
        return {}
    medians = {r["run_name"] for r in rows if r.get("aggregate_name") == "median"}
    picked = {}
    for r in rows:
        name = r.get("run_name", r["name"])
        if name in medians and r.get("aggregate_name") != "median":
            continue
        if r.get("run_type") == "aggregate" and r.get("aggregate_name") != "median":
            continue
        unit = r.get("time_unit", "")
        for key, value in r.items():
            if key in SKIP or not isinstance(value, (int, float)):
                continue
            label = f"{key} ({unit})" if key in ("real_time", "cpu_time") else key
            picked.setdefault((name, label), []).append(value)
    return {k: statistics.median(v) for k, v in picked.items()}

def fmt(v):
    return "-" if v is None else (f"{v:.4g}" if abs(v) < 1e6 else f"{v:.0f}")

for prog in programs:
    sides = {}
    for side in ("base", "current"):
        per_run = [figures(os.path.join(out, f"{prog}.{side}.{i}.json")) for i in range(1, runs + 1)]
        keys = {k for run in per_run for k in run}
        sides[side] = {k: statistics.median([run[k] for run in per_run if k in run]) for k in keys}
    keys = sorted(set(sides["base"]) | set(sides["current"]), key=lambda k: (k[0], k[1]))
    print(f"\n{prog}")
    print(f"  {'benchmark':<44} {'figure':<18} {'base':>12} {'current':>12} {'ratio':>7}")
    for k in keys:
        b, c = sides["base"].get(k), sides["current"].get(k)
        ratio = f"{c / b:.3f}" if b and c is not None else "-"
        print(f"  {k[0]:<44} {k[1]:<18} {fmt(b):>12} {fmt(c):>12} {ratio:>7}")
print(f"\n(raw results: {out})")
EOF

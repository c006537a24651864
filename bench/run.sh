#!/bin/sh
# Builds the store generator and the benchmark (Release), generates stores of 1,200, 10,000 and
# 100,000 recipes, times them, prints the Markdown table for the README and removes the stores; then
# times the import of generated Meal-Master files of 1,000, 10,000 and 36,000 recipes (about 44 MB)
# into an empty book, with the peak memory of each, and the operations a hostile file could make grow
# with the square of its size at two sizes.
#
#   bench/run.sh [RECIPES...]          e.g. bench/run.sh 1200 10000
#
# ZESTOVAR_BENCH_BUILD: build directory (default build-bench in the work tree).
# ZESTOVAR_BENCH_TMP: where the stores go (default the build directory; /tmp is often too small).
# ZESTOVAR_BENCH_REPS: runs per operation instead of the benchmark's choice by store size.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZESTOVAR_BENCH_BUILD:-$root/build-bench}
sizes=${*:-1200 10000 100000}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZESTOVAR_BUILD_UI=OFF -DZESTOVAR_BUILD_TESTS=OFF -DZESTOVAR_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target zestovar-genstore zestovar-bench zestovar-import-bench zestovar-growth-bench -j 2 >&2

parent=${ZESTOVAR_BENCH_TMP:-$build}
mkdir -p "$parent"
# About 30 KB a recipe, plus a second copy of the largest store while delete entry rewrites it.
need_kb=0
largest=0
for n in $sizes; do
  need_kb=$((need_kb + n * 30))
  [ "$n" -gt "$largest" ] && largest=$n
done
need_kb=$((need_kb + largest * 30 + 1048576))
avail_kb=$(df -Pk "$parent" | awk 'NR == 2 { print $4 }')
if [ "$avail_kb" -lt "$need_kb" ]; then
  echo "run.sh: $parent has $((avail_kb / 1024)) MB free, the stores need about $((need_kb / 1024)) MB" >&2
  exit 1
fi

stores=$(mktemp -d "$parent/stores.XXXXXX")
trap 'rm -rf "$stores"' EXIT
trap 'exit 130' INT TERM

set --
for n in $sizes; do
  "$build/bench/zestovar-genstore" --dir "$stores/$n" --recipes "$n" --seed 1 >&2
  set -- "$@" "$stores/$n"
done

reps=${ZESTOVAR_BENCH_REPS:-}
"$build/bench/zestovar-bench" ${reps:+--reps "$reps"} "$@"

# Importing generated Meal-Master files of 1,000, 10,000 and 36,000 recipes into an empty book.
echo
"$build/bench/zestovar-import-bench" "$stores" 1000 10000 36000

# What a hostile or unlucky file can multiply: each operation at its size and at an eighth of it.
echo
"$build/bench/zestovar-growth-bench" "$stores"

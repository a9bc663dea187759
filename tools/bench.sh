#!/usr/bin/env bash
# Runs every benchmark in the release build (build/release), one after the
# other, under Wine in the same private sandbox as the tests. Each benchmark
# prints its figures beside a reference job of the same size timed in the same
# run (for example a memset or a raw write of the same bytes).
# tools/bench.sh [name-filter]  runs only the benchmarks whose executable name
# contains the filter.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
cd "$root"
if [ "${1:-}" = --in-sandbox ]; then
  # Inside the sandbox: run each benchmark from the program folder.
  build=$2 filter=$3 status=0
  cd "$build/bin"
  while read -r exe; do
    [ -n "$exe" ] || continue
    case $exe in *"$filter"*) ;; *) continue ;; esac
    echo "=== ${exe%.exe}"
    bash "$here/wine-run.sh" "./$exe" </dev/null 2>&1 || { echo "bench: ${exe%.exe} failed" >&2; status=1; }
  done <"$build/benchmarks.txt"
  exit $status
fi
bash "$here/setup.sh"
. "$here/wine-env.sh"
build=${LEDSUITE_RELEASE_BUILD_DIR:-$root/build/release$LEDSUITE_BUILD_SUFFIX}
bash "$here/configure.sh" release "$build"
log=$(mktemp)
if ! cmake --build "$build" --target benchmarks >"$log" 2>&1; then
  grep -vE '^\[[0-9]+/[0-9]+\] ' "$log" | tail -n 200
  rm -f "$log"
  echo "bench: build failed" >&2
  exit 1
fi
rm -f "$log"
if [ "$(id -u)" = 0 ]; then
  exec unshare --net -- bash "$here/sandbox-run.sh" bash "$here/bench.sh" --in-sandbox "$build" "${1:-}"
else
  exec unshare -rn -- bash "$here/sandbox-run.sh" bash "$here/bench.sh" --in-sandbox "$build" "${1:-}"
fi

#!/usr/bin/env bash
# Many spectra in one run against one run per spectrum: copies of the aspirin FID go
# through the same pipeline with `--each` and --jobs 2, with --jobs 1, and in a shell
# loop of single runs. Prints hyperfine's medians and the two ratios.
#   bench/each_bench.sh [path/to/tesvar-batch]   (COPIES=200 RUNS=5 by default)
# On a machine busy with other work, `chrt -f 10 bench/each_bench.sh` (as root) keeps
# their load out of the figures; without it --jobs 2 gets no more of the cores than
# --jobs 1 does.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
batch=$(realpath "${1:-$here/../build/tesvar-batch}")
copies=${COPIES:-200}
runs=${RUNS:-5}
command -v hyperfine >/dev/null || { echo "needs hyperfine (apt-get install hyperfine)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for i in $(seq -w 1 "$copies"); do
    cp -r "$here/../tests/data/bruker/aspirin-1h" "$work/aspirin-$i"
done
steps='apodize exp 0.3 fourier phase 30 -10 units ppm integrate 7 8 integrate 1 3 report integrals json'
each="--each '$work/*/fid' import x32 {} $steps"
loop="for f in $work/*/fid; do $batch import x32 \$f $steps || exit 1; done"

echo "$(nproc) cores; $copies spectra; medians of $runs runs"
hyperfine --style basic --warmup 1 --runs "$runs" --export-json "$work/times.json" \
    -n "jobs 2" "$batch --jobs 2 $each" -n "jobs 1" "$batch --jobs 1 $each" -n "shell loop" "$loop"
python3 - "$work/times.json" <<'PY'
import json, sys
median = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
for name, seconds in median.items():
    print(f"{name:>10}: {seconds:.3f} s median")
print(f"jobs 1 / jobs 2: {median['jobs 1'] / median['jobs 2']:.2f}x")
print(f"shell loop / jobs 1: {median['shell loop'] / median['jobs 1']:.2f}x")
PY

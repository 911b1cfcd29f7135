#!/usr/bin/env bash
# Checks the JCAMP-DX files tesvar-batch writes with an independent reader, the npm
# package jcampconverter (installed with npm into a temporary folder; not part of CI).
# For the sample FID and its spectrum it prints what that reader found (type, points,
# abscissa, frequency) and the largest differences from the values and axis Tesvar
# holds, and fails when a value differs by more than half the YFACTOR or a point of the
# axis by more than 1e-9 of its range. The other way round, a FID written by the npm
# package convert-to-jcamp must come back from Tesvar with its values and sweep width.
#
# usage: scripts/check-jcamp-independent.sh [BUILD_DIR]     (default build)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-build}")"
batch="$build/tesvar-batch"
[ -x "$batch" ] || cmake --build "$build" --target tesvar-batch

work="$(mktemp -d "${TMPDIR:-/tmp}/tesvar-jcamp.XXXXXX")"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm install --silent --no-audit --no-fund jcampconverter@12 convert-to-jcamp@7 \
    >/dev/null)

sample="$root/samples/ethyl-acetate.TVX"
"$batch" open "$sample" export jcamp "$work/fid.jdx" \
    report params json "$work/fid-params.json" report points json "$work/fid-points.json"
"$batch" open "$sample" apodize exp 0.3 fourier phase 40 -20 \
    export jcamp "$work/spectrum.jdx" \
    report params json "$work/spectrum-params.json" \
    report points json "$work/spectrum-points.json"

cat > "$work/check.js" <<'EOF'
const { convert } = require('jcampconverter');
const fs = require('fs');
const [file, paramsFile, pointsFile] = process.argv.slice(2);
const read = convert(fs.readFileSync(file, 'utf8'), { keepRecordsRegExp: /.*/ }).flatten[0];
const params = JSON.parse(fs.readFileSync(paramsFile, 'utf8'));
const values = JSON.parse(fs.readFileSync(pointsFile, 'utf8')).values;
const [re, im] = read.spectra;
const n = params.valueCount, points = n / 2;
const spectrum = read.dataType === 'NMR SPECTRUM';
// The axis as Tesvar shows it: seconds for a FID, ppm from referencePoint for a spectrum.
const axis = (p) => spectrum ? (params.referencePoint - 2 * p) * params.sw / n / params.sf
                             : 2 * p * params.aq / n;
let valueError = 0, axisError = 0;
for (let p = 0; p < points; p++) {
  valueError = Math.max(valueError, Math.abs(re.data.y[p] - values[2 * p]),
                        Math.abs(im.data.y[p] - values[2 * p + 1]));
  axisError = Math.max(axisError, Math.abs(re.data.x[p] - axis(p)), Math.abs(im.data.x[p] - axis(p)));
}
const range = Math.abs(axis(points - 1) - axis(0));
console.log(`${file.split('/').pop()}: ${read.dataType}, pages ${re.pageValue} (${re.yUnits}) and ` +
            `${im.pageValue} (${im.yUnits}), ${re.data.y.length} and ${im.data.y.length} points ` +
            `of ${points}, x ${re.data.x[0]} .. ${re.data.x[points - 1]} ${re.xUnits}, ` +
            `observe frequency ${re.observeFrequency} MHz`);
console.log(`  largest value difference ${valueError} (half the YFACTOR: ${re.yFactor / 2}), ` +
            `largest axis difference ${axisError}`);
const ok = re.data.y.length === points && im.data.y.length === points &&
           re.observeFrequency === params.sf && valueError <= re.yFactor / 2 * (1 + 1e-9) &&
           axisError <= 1e-9 * range;
console.log(ok ? '  agrees' : '  DISAGREES');
process.exitCode = ok ? 0 : 1;
EOF

status=0
for name in fid spectrum; do
    NODE_PATH="$work/node_modules" node "$work/check.js" "$work/$name.jdx" \
        "$work/$name-params.json" "$work/$name-points.json" || status=1
done

# The other way round: a FID written by convert-to-jcamp, read by Tesvar.
cat > "$work/write.js" <<'EOF'
const { from1DNMRVariables } = require('convert-to-jcamp');
const n = 64, x = [], r = [], i = [];
for (let k = 0; k < n; k++) {
  x.push(k / 2000);
  r.push(Math.round(1e4 * Math.exp(-k / 20) * Math.cos(k)));
  i.push(Math.round(1e4 * Math.exp(-k / 20) * Math.sin(k)));
}
require('fs').writeFileSync(process.argv[2], from1DNMRVariables(
  { x: { data: x, label: 'time', units: 's' }, r: { data: r, label: 'real' },
    i: { data: i, label: 'imag' } },
  { nmrInfo: { isFid: true, originFrequency: 400.13, nucleus: '1H', spectralWidth: 2000 },
    xyEncoding: 'DIFDUP' }));
console.log(JSON.stringify(r.flatMap((v, k) => [v, i[k]])));
EOF
expected="$(NODE_PATH="$work/node_modules" node "$work/write.js" "$work/other.jdx")"
"$batch" import jcamp "$work/other.jdx" report params json "$work/other-params.json" \
    report points json "$work/other-points.json"
cat > "$work/compare.py" <<'EOF'
import json, sys
expected = json.loads(sys.argv[1])
params = json.load(open(sys.argv[2]))
values = json.load(open(sys.argv[3]))["values"]
ok = values == expected and abs(params["sw"] - 2000) < 1e-6 and params["sf"] == 400.13
print(f"other.jdx (written by convert-to-jcamp): {len(values)} values read by Tesvar of "
      f"{len(expected)}, the same: {values == expected}; sw {params['sw']} Hz, "
      f"sf {params['sf']} MHz")
print("  agrees" if ok else "  DISAGREES")
sys.exit(0 if ok else 1)
EOF
python3 "$work/compare.py" "$expected" "$work/other-params.json" "$work/other-points.json" ||
    status=1
exit "$status"

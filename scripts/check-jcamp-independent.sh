#!/usr/bin/env bash
# Checks the JCAMP-DX files tesvar-batch writes with an independent reader, the npm
# package jcampconverter (installed with npm into a temporary folder; not part of CI).
# For the sample FID and its spectrum it prints what that reader found (type, points,
# abscissa, frequency) and the largest differences from the values and axis Tesvar
# holds, and fails when a value differs by more than half the YFACTOR or a point of the
# axis by more than 1e-9 of its range.
#
# usage: scripts/check-jcamp-independent.sh [BUILD_DIR]     (default build)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-build}")"
batch="$build/tesvar-batch"
[ -x "$batch" ] || cmake --build "$build" --target tesvar-batch

work="$(mktemp -d "${TMPDIR:-/tmp}/tesvar-jcamp.XXXXXX")"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm install --silent --no-audit --no-fund jcampconverter@12 >/dev/null)

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
exit "$status"

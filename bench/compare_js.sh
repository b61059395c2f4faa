#!/usr/bin/env bash
# Times our decoder against two JavaScript decoders from the npm registry on the same payloads,
# in one run, and prints the figures side by side (median nanoseconds per payload, wall clock).
#
#   bench/compare_js.sh            # uses build-release/ (configured and built if needed)
#   BUILD_DIR=/some/dir bench/compare_js.sh
#
# The npm packages are installed into a scratch folder (mktemp -d), never into the project, and
# removed afterwards. Needs node and npm, which building and testing do not, so setup.sh leaves
# them out. The payloads are those of bench/decode_bench.cc.
set -euo pipefail

for tool in node npm; do
  command -v "$tool" >/dev/null ||
    { echo "compare_js: needs $tool (Node.js with npm, e.g. Debian's nodejs and npm)" >&2; exit 2; }
done

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$repo/build-release}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "building decode_bench in $build ..." >&2
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target decode_bench -j2 >/dev/null

echo "installing vietnam-qr-pay and emv-qrcps into $scratch ..." >&2
(cd "$scratch" && npm init -y >/dev/null &&
  npm install --silent --no-audit --no-fund vietnam-qr-pay emv-qrcps >/dev/null)

cat >"$scratch/time.js" <<'JS'
// Median of five timed runs of decoding each payload, after a warm-up.
const { QRPay } = require('vietnam-qr-pay');
const { Merchant } = require('emv-qrcps');

const payloads = {
  WorkedExample:
    '000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00' +
    '6215010412340703T016304FB81',
  Templates299:
    '0002010102120216411111111111111126380015com.example.pay0115MERCHANT001234527310014in.' +
    'example.upi0109shop@bank51290014com.example.qr0107SG-012352045812530335654071234.50550202' +
    '560510.005802IN5915Green Leaf Cafe6009Bengaluru610656000162320108INV-00010507REF77880705' +
    'T000164200002EN0110Green Leaf6304E8D8',
};
const decoders = {
  'vietnam-qr-pay': (p) => new QRPay(p),
  'emv-qrcps': (p) => Merchant.Parser.toEMVQR(p),
};

function medianNs(decode, payload) {
  let sink = 0;
  for (let i = 0; i < 20000; ++i) sink += decode(payload) ? 1 : 0;
  const runs = [];
  for (let r = 0; r < 5; ++r) {
    const n = 20000;
    const start = process.hrtime.bigint();
    for (let i = 0; i < n; ++i) sink += decode(payload) ? 1 : 0;
    runs.push(Number(process.hrtime.bigint() - start) / n);
  }
  if (sink < 0) console.error(sink);
  return runs.sort((a, b) => a - b)[2];
}

const result = {};
for (const [name, payload] of Object.entries(payloads)) {
  result[name] = { length: payload.length };
  for (const [decoder, decode] of Object.entries(decoders)) {
    result[name][decoder] = medianNs(decode, payload);
  }
}
console.log(JSON.stringify(result));
JS

cat >"$scratch/table.js" <<'JS'
// Joins the JavaScript timings and the Google Benchmark JSON into one table.
const fs = require('fs');
const js = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const cpp = JSON.parse(fs.readFileSync(process.argv[3], 'utf8'));
const ours = {};
for (const b of cpp.benchmarks) {
  if (b.aggregate_name !== 'median') continue;
  const [kind, payload] = b.run_name.split('/');
  (ours[payload] ||= {})[kind] = b.real_time;
}
const columns = ['zelto decode', 'zelto decode+validate', 'vietnam-qr-pay', 'emv-qrcps'];
const rows = [['payload', ...columns]];
for (const [payload, times] of Object.entries(js)) {
  const o = ours[payload] || {};
  rows.push([`${payload} (${times.length} chars)`, o.decode, o.decodeAndValidate,
             times['vietnam-qr-pay'], times['emv-qrcps']]
                .map((v, i) => (i === 0 ? v : v === undefined ? '-' : `${Math.round(v)} ns`)));
}
const widths = rows[0].map((_, i) => Math.max(...rows.map((r) => String(r[i]).length)));
for (const r of rows) console.log(r.map((v, i) => String(v).padEnd(widths[i])).join('  '));
console.log(`median wall-clock time per payload; node ${process.version}; ` +
            `${require('os').cpus().length} cores, load average ${require('os').loadavg()[0].toFixed(2)}`);
JS

echo "timing ..." >&2
(cd "$scratch" && node time.js >js.json)
"$build/bench/decode_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$scratch/cpp.json" 2>/dev/null
node "$scratch/table.js" "$scratch/js.json" "$scratch/cpp.json"

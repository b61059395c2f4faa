#!/usr/bin/env bash
# Times our decoder and encoders against JavaScript ones from the npm registry, in one run, and
# prints the figures side by side (median nanoseconds of CPU time per call) with the ratios that
# matter to a host choosing between them:
#   - decoding: each payload of bench/decode_bench.cc, decoded and validated by us, against the
#     parsers of vietnam-qr-pay and emv-qrcps (which do not validate);
#   - encoding: the plain-object encoder on the worked example against promptpay-qr's encoder
#     (its payload, 62 characters, is shorter), and the dictionary encoder (15 tags, two templates)
#     against our own plain-object encoder.
#
#   bench/compare_js.sh            # uses build-release/ (configured and built if needed)
#   BUILD_DIR=/some/dir bench/compare_js.sh
#   ROUNDS=5 bench/compare_js.sh   # rounds of timing, 3 by default
#
# The npm packages are installed into a scratch folder (mktemp -d), never into the project, and
# removed afterwards. Each round times the JavaScript libraries, then ours, as the median of 41
# short runs (a few milliseconds each) in CPU time: on an idle machine that is the wall-clock
# time, and on a shared one it leaves out the time the process waits for a core. Every figure
# printed is the median over the rounds, so that a burst of load sways one round, not the
# result. Needs node and npm, which building and testing do not, so setup.sh leaves
# them out.
set -euo pipefail

for tool in node npm; do
  command -v "$tool" >/dev/null ||
    { echo "compare_js: needs $tool (Node.js with npm, e.g. Debian's nodejs and npm)" >&2; exit 2; }
done

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$repo/build-release}
rounds=${ROUNDS:-3}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "building decode_bench and payload_bench in $build ..." >&2
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELTO_SANITIZE=OFF -DZELTO_FUZZ=OFF >/dev/null
cmake --build "$build" --target decode_bench payload_bench -j2 >/dev/null

echo "installing vietnam-qr-pay, emv-qrcps and promptpay-qr into $scratch ..." >&2
(cd "$scratch" && npm init -y >/dev/null &&
  npm install --silent --no-audit --no-fund vietnam-qr-pay emv-qrcps promptpay-qr >/dev/null)

cat >"$scratch/time.js" <<'JS'
// Median of 41 timed runs of 2,000 calls each, after a warm-up of 20,000 calls.
const { QRPay } = require('vietnam-qr-pay');
const { Merchant } = require('emv-qrcps');
const promptPayPayload = require('promptpay-qr');

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

function medianNs(call, input) {
  let sink = 0;
  for (let i = 0; i < 20000; ++i) sink += call(input) ? 1 : 0;
  const runs = [];
  for (let r = 0; r < 41; ++r) {
    const n = 2000;
    const start = process.cpuUsage();
    for (let i = 0; i < n; ++i) sink += call(input) ? 1 : 0;
    const used = process.cpuUsage(start);
    runs.push(((used.user + used.system) * 1000) / n);
  }
  if (sink < 0) console.error(sink);
  return runs.sort((a, b) => a - b)[20];
}

const decoding = {};
for (const [name, payload] of Object.entries(payloads)) {
  decoding[name] = { length: payload.length };
  for (const [decoder, decode] of Object.entries(decoders)) {
    decoding[name][decoder] = medianNs(decode, payload);
  }
}
// A merchant's mobile number and an amount: a payload of 62 characters.
const encoding = {
  'promptpay-qr': medianNs((amount) => promptPayPayload('0812345678', { amount }), 10),
};
console.log(JSON.stringify({ decoding, encoding }));
JS

cat >"$scratch/table.js" <<'JS'
// Joins the rounds of JavaScript timings and Google Benchmark JSON into two tables with ratios:
// each figure is the median of its values over the rounds.
const fs = require('fs');
const os = require('os');
const [dir, rounds] = [process.argv[2], Number(process.argv[3])];
const read = (name) => JSON.parse(fs.readFileSync(`${dir}/${name}`, 'utf8'));
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
// The median over the rounds of every number in objects of the same shape.
function combine(objects) {
  if (typeof objects[0] === 'number') return median(objects);
  const out = {};
  for (const key of Object.keys(objects[0])) out[key] = combine(objects.map((o) => o[key]));
  return out;
}
const medians = (name) => {
  const found = {};
  for (const b of read(name).benchmarks) {
    if (b.aggregate_name === 'median') found[b.run_name] = b.cpu_time;
  }
  return found;
};
const each = [...Array(rounds).keys()];
const js = combine(each.map((r) => read(`js.${r}.json`)));
const decoding = combine(each.map((r) => medians(`decode_bench.${r}.json`)));
const encoding = combine(each.map((r) => medians(`payload_bench.${r}.json`)));

const ns = (v) => (v === undefined ? '-' : `${Math.round(v)} ns`);
const ratio = (a, b) => (a === undefined || b === undefined ? '-' : `${(a / b).toFixed(1)}x`);
function print(rows) {
  const widths = rows[0].map((_, i) => Math.max(...rows.map((r) => String(r[i]).length)));
  for (const r of rows) console.log(r.map((v, i) => String(v).padEnd(widths[i])).join('  '));
  console.log();
}

const decodeRows = [['payload', 'zelto decode', 'zelto decode+validate', 'vietnam-qr-pay',
                     'emv-qrcps', 'vietnam-qr-pay / zelto decode+validate (target >= 15x)']];
for (const [payload, times] of Object.entries(js.decoding)) {
  const ours = decoding[`decodeAndValidate/${payload}`];
  decodeRows.push([`${payload} (${times.length} chars)`, ns(decoding[`decode/${payload}`]),
                   ns(ours), ns(times['vietnam-qr-pay']), ns(times['emv-qrcps']),
                   ratio(times['vietnam-qr-pay'], ours)]);
}
print(decodeRows);

const plain = encoding.BM_PlainObjectEncode;
const dictionary = encoding.BM_DictionaryEncode;
const promptPay = js.encoding['promptpay-qr'];
print([['encoder', 'median', 'ratio'],
       ['zelto plain object (worked example)', ns(plain), ''],
       ['zelto dictionary (15 tags, two templates)', ns(dictionary),
        `${ratio(dictionary, plain)} of plain object (target <= 3x)`],
       ['promptpay-qr', ns(promptPay), `${ratio(promptPay, plain)} of plain object (target >= 15x)`]]);
console.log(`median CPU time per call, ${rounds} rounds of 41 short runs; node ${process.version}; ` +
            `${os.cpus().length} cores, load average ${os.loadavg()[0].toFixed(2)}`);
JS

for ((round = 0; round < rounds; ++round)); do
  echo "timing, round $((round + 1)) of $rounds ..." >&2
  (cd "$scratch" && node time.js >"js.$round.json")
  for bench in decode_bench payload_bench; do
    "$build/bench/$bench" --benchmark_repetitions=41 --benchmark_min_time=0.004 \
      --benchmark_report_aggregates_only=true \
      --benchmark_format=json >"$scratch/$bench.$round.json" 2>/dev/null
  done
done
node "$scratch/table.js" "$scratch" "$rounds"

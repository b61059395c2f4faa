#!/usr/bin/env bash
# Throughput of the batch commands, end to end from a file to a file, next to the floor: the
# same bytes read and written with no work (cat into a file).
#   - N distinct payloads shaped like the worked example (112 characters; the bill number and
#     terminal label vary), one in ten with a wrong CRC and one in ten cut short, through
#     `zelto validate --lines` with -j1 and -j2, and the ratio of the two;
#   - N distinct payment requests (the worked example's JSON, bill number and terminal label
#     varying) through `zelto encode --lines`.
#
#   bench/batch_throughput.sh                 # N = 1,000,000, 5 rounds, build/ (built if needed)
#   N=5000000 ROUNDS=7 BUILD_DIR=/some/dir bench/batch_throughput.sh
#
# Each figure is the median over the rounds, of wall-clock time and of processor time (user and
# system, every thread): on a shared machine the second shows the work done whatever the wait
# for a core. The fastest round's wall-clock time is printed too, with the ratio of -j2 to -j1
# by it: other programs can only slow a round, so the fastest is the least disturbed. The load
# average is printed before and after.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$repo/build}
n=${N:-1000000}
rounds=${ROUNDS:-5}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "building zelto in $build ..." >&2
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target zelto_cli -j2 >/dev/null
zelto=$build/zelto

echo "generating $n requests and payloads in $scratch ..." >&2
awk -v n="$n" 'BEGIN {
  for (i = 0; i < n; ++i)
    printf "{\"pointOfInitiation\":\"11\",\"zeltoMerchantID\":\"4111111111111111\",\"merchantName\":\"ABC Store\",\"merchantCategoryCode\":\"5411\",\"cityName\":\"Mumbai\",\"countryCode\":\"IN\",\"currencyCode\":\"356\",\"transactionAmount\":\"10.00\",\"billID\":\"%04d\",\"terminalID\":\"T%02d\"}\n",
      i % 10000, int(i / 10000) % 100
}' >"$scratch/requests.jsonl"
"$zelto" encode --lines "$scratch/requests.jsonl" | cut -d'"' -f6 | awk '{
  if (NR % 10 == 3) { last = substr($0, length($0)); sub(/.$/, last == "0" ? "1" : "0") }
  else if (NR % 10 == 7) { $0 = substr($0, 1, 60) }
  print
}' >"$scratch/payloads.txt"

# The medians of `rounds` runs of the command, its output into a file: wall-clock seconds and
# processor seconds (user + system, all threads), then the fastest wall-clock time, as
# "WALL CPU FASTEST".
medians() {
  local walls=() cpus=() timing
  for ((r = 0; r < rounds; ++r)); do
    timing=$({ TIMEFORMAT='%R %U %S'; time "$@" >"$scratch/out" 2>/dev/null; } 2>&1) || true
    read -r wall user system <<<"$timing"
    walls+=("$wall")
    cpus+=("$(echo "$user + $system" | bc -l)")
  done
  local median='{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
  echo "$(printf '%s\n' "${walls[@]}" | sort -g | awk "$median")" \
    "$(printf '%s\n' "${cpus[@]}" | sort -g | awk "$median")" \
    "$(printf '%s\n' "${walls[@]}" | sort -g | head -1)"
}

row() {  # name "WALL CPU FASTEST"
  local wall cpu fastest
  read -r wall cpu fastest <<<"$2"
  printf '%-30s %7.3f s %6.2f M/s   %6.3f CPU s %6.2f M per CPU s   fastest %6.2f M/s\n' \
    "$1" "$wall" "$(echo "$n / $wall / 1000000" | bc -l)" "$cpu" \
    "$(echo "$n / $cpu / 1000000" | bc -l)" "$(echo "$n / $fastest / 1000000" | bc -l)"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$n lines; payloads $(stat -c %s "$scratch/payloads.txt") bytes," \
  "requests $(stat -c %s "$scratch/requests.jsonl") bytes; median of $rounds rounds"
floor_payloads=$(medians cat "$scratch/payloads.txt")
validate1=$(medians "$zelto" validate --lines -j1 "$scratch/payloads.txt")
validate2=$(medians "$zelto" validate --lines -j2 "$scratch/payloads.txt")
floor_requests=$(medians cat "$scratch/requests.jsonl")
encode1=$(medians "$zelto" encode --lines -j1 "$scratch/requests.jsonl")
encode2=$(medians "$zelto" encode --lines -j2 "$scratch/requests.jsonl")
row "floor: cat payloads > file" "$floor_payloads"
row "validate --lines -j1" "$validate1"
row "validate --lines -j2" "$validate2"
read -r wall1 _ fastest1 <<<"$validate1"
read -r wall2 _ fastest2 <<<"$validate2"
printf '%-30s %7.2fx, fastest rounds %.2fx (target >= 1.7x)\n' "validate -j2 / -j1" \
  "$(echo "$wall1 / $wall2" | bc -l)" "$(echo "$fastest1 / $fastest2" | bc -l)"
row "floor: cat requests > file" "$floor_requests"
row "encode --lines -j1" "$encode1"
row "encode --lines -j2" "$encode2"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

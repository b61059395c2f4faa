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
# for a core. The fastest round's wall-clock time is printed too: other programs can only slow a
# round, so the fastest is the least disturbed. The -j2 speed-up is the median, and the best, of
# each round's own ratio. The load average is printed before and after.
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

# One run of the command, its output into a new file: "WALL CPU" (processor seconds: user +
# system, all threads). The previous round's output is deleted and the page cache written back
# before the clock starts: freeing a file of a hundred megabytes is the kernel's work, not the
# command's, and would count against whichever command came next.
once() {
  rm -f "$scratch/out"
  sync
  local timing
  timing=$({ TIMEFORMAT='%R %U %S'; time "$@" >"$scratch/out" 2>/dev/null; } 2>&1) || true
  read -r wall user system <<<"$timing"
  echo "$wall $(echo "$user + $system" | bc -l)"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Rounds interleave the commands (floor, -j1, -j2, floor, -j1, ...), so a slow spell of a shared
# machine falls on all of them alike, and each round's -j2 is compared with the -j1 run just
# before it. Prints "WALL CPU FASTEST" for each command, a line each, then the median and the
# fastest of the rounds' -j1/-j2 wall-clock ratios.
interleaved() {  # command lines as words separated by "--"
  local commands=() current=() word
  for word in "$@" --; do
    if [[ $word == -- ]]; then
      commands+=("${current[*]}")
      current=()
    else
      current+=("$word")
    fi
  done
  local -A walls cpus
  local ratios=() r c wall cpu
  for ((r = 0; r < rounds; ++r)); do
    local round_walls=()
    for c in "${!commands[@]}"; do
      # shellcheck disable=SC2086 # the words of a command line
      read -r wall cpu <<<"$(once ${commands[$c]})"
      walls[$c]+="$wall "
      cpus[$c]+="$cpu "
      round_walls+=("$wall")
    done
    ratios+=("$(echo "${round_walls[1]} / ${round_walls[2]}" | bc -l)")
  done
  for c in "${!commands[@]}"; do
    echo "$(tr ' ' '\n' <<<"${walls[$c]}" | grep . | median)" \
      "$(tr ' ' '\n' <<<"${cpus[$c]}" | grep . | median)" \
      "$(tr ' ' '\n' <<<"${walls[$c]}" | grep . | sort -g | head -1)"
  done
  echo "$(printf '%s\n' "${ratios[@]}" | median) $(printf '%s\n' "${ratios[@]}" | sort -g | tail -1)"
}

row() {  # name "WALL CPU FASTEST"
  local wall cpu fastest
  read -r wall cpu fastest <<<"$2"
  printf '%-30s %7.3f s %6.2f M/s   %6.3f CPU s %6.2f M per CPU s   fastest %6.2f M/s\n' \
    "$1" "$wall" "$(echo "$n / $wall / 1000000" | bc -l)" "$cpu" \
    "$(echo "$n / $cpu / 1000000" | bc -l)" "$(echo "$n / $fastest / 1000000" | bc -l)"
}

ratio() {  # name "MEDIAN BEST"
  local median best
  read -r median best <<<"$2"
  printf '%-30s %7.2fx median of the rounds, best round %.2fx (target >= 1.7x)\n' "$1" \
    "$median" "$best"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$n lines; payloads $(stat -c %s "$scratch/payloads.txt") bytes," \
  "requests $(stat -c %s "$scratch/requests.jsonl") bytes; median of $rounds rounds"
mapfile -t validate < <(interleaved cat "$scratch/payloads.txt" \
  -- "$zelto" validate --lines -j1 "$scratch/payloads.txt" \
  -- "$zelto" validate --lines -j2 "$scratch/payloads.txt")
row "floor: cat payloads > file" "${validate[0]}"
row "validate --lines -j1" "${validate[1]}"
row "validate --lines -j2" "${validate[2]}"
ratio "validate -j1 time / -j2 time" "${validate[3]}"
mapfile -t encode < <(interleaved cat "$scratch/requests.jsonl" \
  -- "$zelto" encode --lines -j1 "$scratch/requests.jsonl" \
  -- "$zelto" encode --lines -j2 "$scratch/requests.jsonl")
row "floor: cat requests > file" "${encode[0]}"
row "encode --lines -j1" "${encode[1]}"
row "encode --lines -j2" "${encode[2]}"
ratio "encode -j1 time / -j2 time" "${encode[3]}"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

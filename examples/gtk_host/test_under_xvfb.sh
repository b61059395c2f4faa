#!/usr/bin/env bash
# Runs the GTK host on a virtual X display as a merchant would use it: clicks "Payment Details",
# types 1 2 3 4 on the keyboard, clicks UPDATE, and reads the QR code back from the window's
# pixels (zbarimg, an independent reader). The positions to click and the payload to expect
# come from the library itself, through `zelto host` on a screen of the same size.
#   test_under_xvfb.sh GTK_HOST ZELTO_TOOL
# ZELTO_GTK_SCREENSHOT=FILE.png keeps the last screenshot.
set -euo pipefail
gtk_host=$1
zelto=$2
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "gtk host test: $*" >&2; exit 1; }

cat >"$work/request.json" <<'JSON'
{"pointOfInitiation": "11", "zeltoMerchantID": "4111111111111111",
 "merchantName": "Example Store", "merchantCategoryCode": "5411", "cityName": "Mumbai",
 "countryCode": "IN", "currencyCode": "356", "tipAmount": "", "tipPercentage": ""}
JSON

# Where the library lays out each control, and the payload after the same steps.
printf '%s\n' "launch-request $work/request.json" 'show Payment_Details_Button' \
  'tap Payment_Details_Button' 'show Amount_Field' 'show Update_Payment_Details_Button' \
  'type Amount_Field 1234' 'tap Update_Payment_Details_Button' payload >"$work/steps.script"
"$zelto" host "$work/steps.script" >"$work/steps.json" || fail "zelto host failed: $(cat "$work/steps.json")"
centre() {
  python3 -c '
import json, sys
for line in open(sys.argv[1]):
    step = json.loads(line)
    for element in step.get("elements", []):
        if element["id"] == sys.argv[2]:
            x, y, w, h = element["frame"]
            print(round(x + w / 2), round(y + h / 2))
            sys.exit(0)
sys.exit(1)' "$work/steps.json" "$1"
}
expected=$(python3 -c '
import json, sys
for line in open(sys.argv[1]):
    step = json.loads(line)
    if step.get("command") == "payload": print(step["payload"])' "$work/steps.json")
[ -n "$expected" ] || fail "no payload from zelto host"

display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 800x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display GDK_BACKEND=x11 GSK_RENDERER=cairo NO_AT_BRIDGE=1 GTK_A11Y=none
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$gtk_host" --request "$work/request.json" --undecorated &
pids+=($!)
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zelto GTK host$' | head -1)
[ -n "$window" ] || fail "the window did not open"
xdotool windowmove "$window" 0 0 windowfocus --sync "$window"
sleep 1

click() {
  local at
  at=$(centre "$1") || fail "no frame for $1"
  # shellcheck disable=SC2086
  xdotool mousemove --window "$window" $at click 1
  sleep 1
}
click Payment_Details_Button
click Amount_Field
xdotool type --delay 100 1234
sleep 0.5
click Update_Payment_Details_Button
sleep 1

import -window "$window" "$work/window.png"
[ -z "${ZELTO_GTK_SCREENSHOT:-}" ] || cp "$work/window.png" "$ZELTO_GTK_SCREENSHOT"
read=$(zbarimg --raw -q "$work/window.png" 2>/dev/null || true)
[ "$read" = "$expected" ] || fail "the window shows \"$read\", expected \"$expected\""
echo "gtk host test: the window's code reads $read"

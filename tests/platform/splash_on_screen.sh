# The splash opens centred with its picture the right way up, stays above a
# window opened after it, starts the game once after 1000 ms and closes after
# 2000 ms while the game's loop runs.
# splash_on_screen.sh SPLASH_DEMO XPROBE   (under scripts/with-xvfb)
set -u
demo=$1
XPROBE=$2
. "$(dirname "$0")/../support/xvfb/probe.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$demo" >"$work/out" 2>&1 &
pid=$!

geometry=$("$XPROBE" window "Cubrava splash" 5) || fail "no splash window appeared"
set -- $geometry
x=$2 y=$3
[ "$2 $3 $4 $5" = "376 316 527 392" ] || fail "splash at $2,$3 size $4x$5, not centred 527x392 on 1280x1024"
top=$(wait_pixel $((x + 263)) $((y + 40)) "255 128 0" 3) || fail "top of the splash shows $top"
bottom=$(wait_pixel $((x + 263)) $((y + 350)) "0 64 255" 3) || fail "bottom of the splash shows $bottom"

wait_line "$work/out" '^start' 5 || fail "the start routine never ran"
# The stand-in game window is up by now; the next pump must put the splash back on top.
sleep 0.4
above=$(wait_pixel $((x + 263)) $((y + 40)) "255 128 0" 2) || fail "splash hidden by the game window: $above"

"$XPROBE" gone "Cubrava splash" 5 || fail "splash still open 5 s after the game started"
wait_line "$work/out" '^closed' 2 || fail "pumpSplash did not report the splash closed"
shown=$(wait_pixel $((x + 263)) $((y + 40)) "0 255 0" 2) || fail "game window not visible where the splash was: $shown"

wait "$pid"
status=$?
cat "$work/out"
[ "$status" -eq 0 ] || fail "demo exit status $status"
[ "$(grep -c '^start' "$work/out")" -eq 1 ] || fail "start routine ran more than once"
started=$(sed -n 's/^start 1 //p' "$work/out")
closed=$(sed -n 's/^closed //p' "$work/out")
[ "$started" -ge 990 ] && [ "$started" -le 1600 ] || fail "start after $started ms, not about 1000"
[ "$closed" -ge 1990 ] && [ "$closed" -le 3000 ] || fail "closed after $closed ms, not about 2000"
echo "PASS: splash centred, painted, on top, started at $started ms, closed at $closed ms"

# The splash opens centred with its picture the right way up, stays above a
# window opened after it, starts the game once, not before 1000 ms, and closes,
# not before 2000 ms, while the game's loop runs. A busy machine may make both
# late, so every wait has a deadline of 30 s and no time is judged from above.
# splash_on_screen.sh SPLASH_DEMO XPROBE   (under scripts/with-xvfb)
set -u
demo=$1
XPROBE=$2
. "$(dirname "$0")/../support/xvfb/probe.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The demo's game waits for the go file: the splash is looked at first.
"$demo" "$work/go" >"$work/out" 2>&1 &
pid=$!

geometry=$("$XPROBE" window "Cubrava splash" 30) || fail "no splash window appeared"
set -- $geometry
x=$2 y=$3
[ "$2 $3 $4 $5" = "376 316 527 392" ] || fail "splash at $2,$3 size $4x$5, not centred 527x392 on 1280x1024"
top=$(wait_pixel $((x + 263)) $((y + 40)) "255 128 0" 30) || fail "top of the splash shows $top"
bottom=$(wait_pixel $((x + 263)) $((y + 350)) "0 64 255" 30) || fail "bottom of the splash shows $bottom"

wait_line "$work/out" '^start' 30 || fail "the start routine never ran"
: >"$work/go"
# The stand-in game window opens over everything; a later pump must put the
# splash back on top before it closes (the demo reads the stacking order).
"$XPROBE" window "Stand-in game" 30 >/dev/null || fail "the stand-in game window did not appear"
wait_line "$work/out" '^above' 30 || fail "the splash stayed hidden by the game window"

"$XPROBE" gone "Cubrava splash" 30 || fail "splash still open 30 s after the game started"
wait_line "$work/out" '^closed' 30 || fail "pumpSplash did not report the splash closed"
shown=$(wait_pixel $((x + 263)) $((y + 40)) "0 255 0" 30) || fail "game window not visible where the splash was: $shown"
"$XPROBE" close "Stand-in game" || fail "could not ask the stand-in game window to close"

wait "$pid"
status=$?
cat "$work/out"
[ "$status" -eq 0 ] || fail "demo exit status $status"
[ "$(grep -c '^start' "$work/out")" -eq 1 ] || fail "start routine ran more than once"
started=$(sed -n 's/^start 1 //p' "$work/out")
closed=$(sed -n 's/^closed //p' "$work/out")
[ "$started" -ge 990 ] || fail "start after $started ms, before 1000"
[ "$closed" -ge 1990 ] || fail "closed after $closed ms, before 2000"
echo "PASS: splash centred, painted, on top, started at $started ms, closed at $closed ms"

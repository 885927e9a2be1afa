# A fatal error raised during start-up reaches standard error word for word,
# appears in a box titled "Bad News..." with a red error sign (the splash gone),
# and the program ends with status 1 once the box is closed, by key or by its
# close button. Without a display only standard error is used.
# fatal_error_report.sh FATAL_DEMO XPROBE   (under scripts/with-xvfb)
set -u
demo=$1
XPROBE=$2
. "$(dirname "$0")/../support/xvfb/probe.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text='There was an error reading the Levels configuration file.
You may want to reinstall the game before playing again. (100% @bad &text)'

# run_once HOW: HOW is "key" or "close"
run_once() {
    "$demo" "$text" >"$work/out" 2>"$work/err" &
    pid=$!
    geometry=$("$XPROBE" window "Bad News..." 30) || { kill "$pid"; fail "no Bad News... box ($1)"; }
    set -- $geometry "$1"
    id=$1 x=$2 y=$3 how=$6
    "$XPROBE" gone "Cubrava splash" 0 || fail "splash still open over the error box"
    sign=$(wait_pixel $((x + 36)) $((y + 18)) "200 30 30" 30) || fail "no red error sign in the box: $sign"
    [ "$(cat "$work/err")" = "$text" ] || fail "standard error holds: $(cat "$work/err")"
    kill -0 "$pid" 2>/dev/null || fail "program ended before the box was closed"
    if [ "$how" = key ]; then
        xdotool windowfocus --sync "$id" && xdotool key Return || fail "xdotool could not press Return"
    else
        "$XPROBE" close "Bad News..." || fail "could not ask the box to close"
    fi
    "$XPROBE" gone "Bad News..." 30 || fail "box still open after $how"
    wait_ended "$pid" 30
    kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "program still running after the box closed"; }
    wait "$pid"
    status=$?
    [ "$status" -eq 1 ] || fail "exit status $status after $how, not 1"
}

run_once key
run_once close

# No display at all: the message still reaches standard error, and the status is 1.
env -u DISPLAY "$demo" "$text" >"$work/out" 2>"$work/err" &
pid=$!
wait_ended "$pid" 30
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "without a display the program did not end"; }
wait "$pid"
status=$?
[ "$status" -eq 1 ] || fail "exit status $status without a display, not 1"
[ "$(cat "$work/err")" = "$text" ] || fail "without a display standard error holds: $(cat "$work/err")"
echo "PASS: fatal error reported on standard error and in the Bad News... box; status 1"

# The level editor's dialog on a 1280 x 1024 screen: its title and place, its
# icon, "New" with a height of 3 refused in a "Doh!" box that says why, the
# focus back in the height field, and how "Done", "Cancel" and a failed save
# end it.
# dialog_on_screen.sh DIALOG_DEMO XPROBE LEVELS_FILE   (under scripts/with-xvfb)
set -u
demo=$1
XPROBE=$2
levels=$3
. "$(dirname "$0")/../support/xvfb/probe.sh"

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
pid=""
mkdir "$work/Textures"
cd "$work" || exit 1
title="Cubrava Level Editor"

# start [ARGS]: runs the demo and waits for its dialog; sets id, x, y, width, height.
start() {
    "$demo" "$levels" "$@" >"$work/out" 2>"$work/err" &
    pid=$!
    geometry=$("$XPROBE" window "$title" 30) || fail "no dialog: $(cat "$work/err")"
    set -- $geometry
    id=$1 x=$2 y=$3 width=$4 height=$5
}

# finish OUTCOME: waits for the demo to end and checks how.
finish() {
    "$XPROBE" gone "$title" 30 || fail "the dialog stayed open"
    wait "$pid"
    status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "status $status: $(cat "$work/err")"
    grep -qx "outcome $1" "$work/out" || fail "not '$1': $(cat "$work/out")"
}

# box_text CAPTION: the text of the message box so captioned, copied from it.
box_text() {
    box=$("$XPROBE" window "$1" 30) || fail "no '$1' box"
    xdotool windowfocus --sync "${box%% *}" && xdotool key ctrl+c
    "$XPROBE" clipboard 10 || fail "nothing copied from the '$1' box"
}

# click UX UY: a click at a place of the dialog given in dialog units.
click() {
    xdotool mousemove $((x + ($1 * 6 + 2) / 4)) $((y + ($2 * 13 + 4) / 8)) click 1
}

start
[ "$x $y" = "788 100" ] || fail "dialog at $x $y, not 788 100"
[ "$width x $height" = "341 x 432" ] || fail "dialog of $width x $height, not 341 x 432"
icons=$(xprop -id "$id" _NET_WM_ICON | grep -c "Icon (\(16 x 16\|32 x 32\|48 x 48\|64 x 64\|128 x 128\))")
[ "$icons" -eq 5 ] || fail "the dialog carries $icons of the 5 icon sizes"
wait_line "$work/out" "^setLevel First Light 6 6 14$" 10 || fail "the first level was not shown: $(cat "$work/out")"

# "New" (at 84, 118, 37 by 14 units): a level 5 by 5 by 3 is refused.
click 102 125
form=$("$XPROBE" window "Create New Level" 30) || fail "no Create New Level window"
form=${form%% *}
xdotool windowfocus --sync "$form" && xdotool type --delay 20 "Test"
xdotool key Tab type 5
xdotool key Tab type 5
xdotool key Tab type 3
xdotool key Return
text=$(box_text "Doh!")
[ "$text" = "Height has to be between 4 and 50." ] || fail "the Doh! box says '$text'"
xdotool key Return
"$XPROBE" gone "Doh!" 30 || fail "the Doh! box stayed open"
# The focus is back in the height field with its text selected: typing replaces it.
xdotool windowfocus --sync "$form" && xdotool type 6
xdotool key Return
"$XPROBE" gone "Create New Level" 30 || fail "the level 5 by 5 by 6 was not made"
wait_line "$work/out" "^setLevel Test 5 5 6$" 10 || fail "the new level was not shown: $(cat "$work/out")"

# Escape cancels: nothing is saved.
xdotool windowfocus --sync "$id" && xdotool key Escape
finish cancelled
grep -q "^save" "$work/out" && fail "Cancel saved: $(cat "$work/out")"

# Return presses "Done": saved without a question, since nothing changed.
start
xdotool windowfocus --sync "$id" && xdotool key Return
finish done
count=$(grep -c "<level " "$levels")
grep -qx "save $count levels" "$work/out" || fail "Done did not save the list once: $(cat "$work/out")"

# A failed save says so and leaves the dialog open.
start --failing-save
xdotool windowfocus --sync "$id" && xdotool key Return
text=$(box_text "Uh oh ...")
[ "$text" = "There was an error saving the Levels configuration file.
You may want to reinstall the game before playing again." ] || fail "the Uh oh box says '$text'"
xdotool key Return
"$XPROBE" gone "Uh oh ..." 30 || fail "the Uh oh box stayed open"
"$XPROBE" window "$title" 0 >/dev/null || fail "the dialog closed after a failed save"
xdotool windowfocus --sync "$id" && xdotool key Escape
finish cancelled
echo "PASS: dialog placed and iconed; New refuses a height of 3; Done, Cancel and a failed save end it rightly"

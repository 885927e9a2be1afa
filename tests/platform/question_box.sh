# The Yes/No/Cancel question: Return says yes, Escape and the close button
# cancel, a click on "No" says no.
# question_box.sh QUESTION_DEMO XPROBE   (under scripts/with-xvfb)
set -u
demo=$1
XPROBE=$2
. "$(dirname "$0")/../support/xvfb/probe.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# ask ACTION EXPECTED
ask() {
    "$demo" >"$work/out" 2>&1 &
    pid=$!
    geometry=$("$XPROBE" window "Yo!" 30) || { kill "$pid"; fail "no question box"; }
    set -- $geometry "$1" "$2"
    id=$1 x=$2 y=$3 width=$4 height=$5 action=$6 want=$7
    case "$action" in
        Return | Escape) xdotool windowfocus --sync "$id" && xdotool key "$action" ;;
        close) "$XPROBE" close "Yo!" ;;
        no)
            # Yes, No, Cancel stand right-aligned, 84 wide with 12 between.
            xdotool mousemove $((x + width - 12 - 276 + 96 + 42)) $((y + height - 25)) click 1 ;;
    esac
    "$XPROBE" gone "Yo!" 30 || { kill "$pid"; fail "box still open after $action"; }
    wait "$pid"
    [ "$(cat "$work/out")" = "$want" ] || fail "$action answered '$(cat "$work/out")', not $want"
}

ask Return yes
ask Escape cancel
ask close cancel
ask no no
echo "PASS: question answers yes, no and cancel as pressed"

#!/bin/bash
# Screenshot checks of the side panel, its menu and the status text, run under
# a private X server (scripts/with-xvfb):
#
#   HudScreenCheck.sh path/to/hud_demo path/to/run-folder path/to/xprobe
#
# The demo's window is 1024 x 768 at (0, 0): the panel is 256 x 512 at
# (768, 0) from the bottom left, one panel unit is 102.4 pixels, and screen
# rows count from the top, so a height of u units is row 768 - 102.4 u.
set -u

demo=$1
run=$2
xprobe=$3
convert=/usr/bin/convert
work=$(mktemp -d "${TMPDIR:-/tmp}/hud-check.XXXXXX")
pid=""
passes=0
failures=0

cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Every wait below polls for what it needs until a deadline of this many
# seconds; none waits a set time and then judges.
limit=30

# until_true COMMAND...: runs the command until it succeeds (true) or the
# deadline passes (false).
until_true() {
    local deadline=$((SECONDS + limit))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# wait_exit PID: sets status to the process's exit status once it ends, or to
# nothing when it still runs at the deadline (not in a subshell: it must wait).
ended() { ! kill -0 "$1" 2>/dev/null; }
wait_exit() {
    status=""
    if until_true ended "$1"; then
        wait "$1"
        status=$?
    fi
}

check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        passes=$((passes + 1))
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

# The game folder: the shipped font and a Status.dat; no panel image, so text
# shows in its plain colours.
game=$work/game
mkdir -p "$game/fonts" "$game/Config"
cp "$run/fonts/bnkgothm.ttf" "$game/fonts/"
echo '<status><start><msg>Here we go</msg></start></status>' >"$game/Config/Status.dat"

start_demo() {
    local folder=$1
    shift
    (cd "$folder" && exec "$demo" "$@" >"$work/out" 2>"$work/err") &
    pid=$!
}


# "count minx miny maxx maxy" of the pixels in a dump that match an awk
# condition on x, y, r, g, b.
stats() {
    awk "{ x = \$1; y = \$2; r = \$3; g = \$4; b = \$5 } $2 { n++;
            if (n == 1 || x < minx) minx = x; if (n == 1 || x > maxx) maxx = x;
            if (n == 1 || y < miny) miny = y; if (n == 1 || y > maxy) maxy = y }
         END { print n + 0, minx + 0, miny + 0, maxx + 0, maxy + 0 }" "$1"
}

# shoot NAME: the screen's pixels that are not black, as "x y r g b" lines
# (no condition below looks for black), the panel's in NAME.panel and the
# pit's in NAME.pit.
shoot() {
    "$xprobe" dump 0 0 1024 768 >"$work/$1.screen" || return 1
    awk '$1 >= 768' "$work/$1.screen" >"$work/$1.panel"
    awk '$1 < 768' "$work/$1.screen" >"$work/$1.pit"
}

# shows NAME CONDITION MINIMUM: takes a screenshot NAME and sets n to its
# panel pixels matching the condition; true when there are at least MINIMUM.
shows() {
    shoot "$1"
    read -r n _ <<<"$(stats "$work/$1.panel" "$2")"
    [ "$n" -ge "$3" ]
}

# The first frame may come late: wait until the panel shows red.
wait_for_panel() {
    until_true shows "$1" 'r == 255 && g == 0 && b == 0' 1
}

between() { [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }

# --- the panel, the menu and a status message -------------------------------

# 40 scroll steps move the name 0.2 of the panel width left: it starts left
# of the band and must be cut at the band's edge.
start_demo "$game" --scroll 40 --name "Green Valley" --message "Level complete"
timeout $limit xdotool search --sync --name '^Cubrava text demo$' >/dev/null || {
    echo "FAILED: the demo window did not appear"
    cat "$work/err"
    exit 1
}
check "the panel is drawn" wait_for_panel first
panel=$work/first.panel

# "Level:" in red (1, 0, 0), its baseline at 4.3 units (row 327.7), starting
# 0.35 units (36 pixels) into the panel; nothing red above it.
read -r n minx miny maxx maxy <<<"$(stats "$panel" 'r == 255 && g == 0 && b == 0 && y < 335')"
check "red \"Level:\" pixels at the label height ($n, rows $miny-$maxy, columns $minx-$maxx)" \
    eval '[ "$n" -ge 100 ] && between "$miny" 296 312 && between "$maxy" 322 330 && between "$minx" 802 810'

# The name in green (0, 1, 0) only inside the band, 0.4 units in from either
# side of the panel column: columns 809 to 982. Greenish edge pixels count too.
read -r n minx miny maxx maxy <<<"$(stats "$panel" 'g > r + 60 && g > b + 60')"
check "green name pixels only inside the band ($n, columns $minx-$maxx, rows $miny-$maxy)" \
    eval '[ "$n" -ge 100 ] && between "$minx" 809 815 && [ "$maxx" -le 982 ] && between "$miny" 326 372 && between "$maxy" 326 372'

# The six labels in (0, 0.5, 0.8), baselines at rows 482, 512, 543, 574, 605, 635.
baselines=(482 512 543 574 605 635)
labels=("new game" "resume" "full screen" "prev song" "next song" "exit")
for i in 0 1 2 3 4 5; do
    b=${baselines[$i]}
    read -r n _ <<<"$(stats "$panel" "r == 0 && g == 128 && b == 204 && y > $b - 24 && y <= $b && x >= 808")"
    check "menu label \"${labels[$i]}\" in (0, 0.5, 0.8) ($n pixels)" test "$n" -ge 40
done

# The status message in cyan, centred over the pit (the left 768 columns),
# a little over three quarters of it wide.
read -r n minx miny maxx maxy <<<"$(stats "$work/first.pit" 'r == 0 && g == 255 && b == 255')"
centre=$(((minx + maxx) / 2))
middle=$(((miny + maxy) / 2))
check "the status message is centred over the pit ($n pixels, columns $minx-$maxx, rows $miny-$maxy)" \
    eval '[ "$n" -ge 1000 ] && between "$centre" 378 390 && between $((maxx - minx)) 540 700 && between "$middle" 344 424'

# --- hover while paused -------------------------------------------------------

xdotool mousemove 830 474
check "\"new game\" turns (1, 1, 0.7) under the pointer" \
    until_true shows hover 'r == 255 && g == 255 && b == 179 && y > 458 && y <= 482' 40
read -r n _ <<<"$(stats "$work/hover.panel" 'r == 0 && g == 128 && b == 204 && y > 458 && y <= 482')"
check "no normal-coloured pixels left in \"new game\" ($n)" test "$n" -eq 0
read -r n _ <<<"$(stats "$work/hover.panel" 'r == 0 && g == 128 && b == 204 && y > 488 && y <= 635')"
read -r before _ <<<"$(stats "$panel" 'r == 0 && g == 128 && b == 204 && y > 488 && y <= 635')"
check "the other five keep their colour ($n of $before pixels)" test "$n" -eq "$before"

# --- "exit" acts on release -------------------------------------------------

# The click once the demo has seen the pointer there, as a player's would come.
xdotool mousemove 820 628
check "\"exit\" turns (1, 1, 0.7) under the pointer" \
    until_true shows exit 'r == 255 && g == 255 && b == 179 && y > 612 && y <= 635' 40
xdotool click 1
wait_exit "$pid"
pid=""
check "releasing the left button over \"exit\" ends the demo with status 0 (${status:-still running})" \
    eval '[ "$status" = 0 ] && grep -qx exitGame "$work/out"'
[ "${status:-}" = 0 ] || sed 's/^/  demo: /' "$work/err"

# --- with a panel image -----------------------------------------------------

# Text drawn after the panel is tinted by the panel image's texel at the
# quad's last texture coordinate; a one-colour image makes that texel known.
textured=$work/textured
mkdir -p "$textured/Textures"
cp -r "$game/fonts" "$game/Config" "$textured/"
"$convert" -size 64x64 'xc:rgb(200,150,100)' -type truecolor "BMP3:$textured/Textures/brushed-metal3.bmp"
start_demo "$textured"
timeout $limit xdotool search --sync --name '^Cubrava text demo$' >/dev/null
panel=""
until_true shows textured 'r == 200 && g == 150 && b == 100' 10000 && panel=$work/textured.panel
check "the panel shows its image (${n:-0} pixels)" test -n "$panel"
if [ -n "$panel" ]; then
    near() { echo "($1 - $2 <= 2 && $2 - $1 <= 2)"; }
    read -r n _ <<<"$(stats "$panel" "$(near r 200) && g == 0 && b == 0 && y > 296 && y < 330")"
    check "\"Level:\" is red times the texel, (200, 0, 0) ($n pixels)" test "$n" -ge 100
    read -r n _ <<<"$(stats "$panel" "r == 0 && $(near g 75) && $(near b 80) && y > 458 && y <= 635")"
    check "the menu is (0, 0.5, 0.8) times the texel, (0, 75, 80) ($n pixels)" test "$n" -ge 1000
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=""

# --- without the font ---------------------------------------------------------

nofont=$work/nofont
mkdir -p "$nofont/Config"
cp "$game/Config/Status.dat" "$nofont/Config/"
start_demo "$nofont"
box=$(timeout $limit xdotool search --sync --name '^Bad News\.\.\.$' | head -n 1)
check "a \"Bad News...\" window appears without the font" test -n "$box"
expected=$'There was an error initializing the fonts.\nIf this persists, you may wan to reinstall the game.'
check "the font message is on standard error" eval '[ "$(cat "$work/err")" = "$expected" ]'
if [ -n "$box" ]; then
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key Return
fi
wait_exit "$pid"
pid=""
check "the demo then ends with status 1 (${status:-still running})" test "${status:-x}" = 1

echo "screen checks: $passes ok, $failures failed"
[ "$failures" -eq 0 ]

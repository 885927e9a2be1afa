#!/bin/bash
# Under a private X display (run through scripts/with-xvfb): starts the scene
# demo, takes screenshots and counts pixels of what must be on screen; then
# holds a camera key and checks the camera turned through the GLUT timers.
#
#   scene_screenshot_check.sh DEMO SHOT_CHECK
set -u
demo=$1
check=$2
convert=/usr/bin/convert
work=$(mktemp -d "${TMPDIR:-/tmp}/scene-shot.XXXXXX")
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_demo() {
    "$demo" "$@" >"$work/demo.out" 2>"$work/demo.err" &
    pid=$!
    window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --name '^Cubrava$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "no window titled Cubrava appeared"; cat "$work/demo.err"; exit 1
    fi
    sleep 1.5 # a few frames
}

stop_demo() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
}

failed=0

# The window is 1024 x 768 at the top left: the scene takes the left 768
# columns, the preview the 256 x 256 square at the top of the right column.
scene="0,0,768,768"
preview="768,0,256,256"
column="768,256,256,512"

echo "== a level as it is shown before play"
start_demo --steps 0
import -window root "$work/idle.png" && $convert "$work/idle.png" "ppm:$work/idle.ppm"
stop_demo
"$check" "$work/idle.ppm" \
    "grid grey 0.4:$scene:>=500:96-108,96-108,96-108" \
    "no grid in the column:$column:<=0:96-108,96-108,96-108" \
    "red cubes:$scene:>=300:150-255,0-80,0-80" \
    "green cubes:$scene:>=300:0-80,120-255,0-80" \
    "blue cubes:$scene:>=300:0-100,0-140,150-255" \
    "checker texture:$scene:>=50:30-75,30-75,30-75" \
    "yellow marker:$scene:>=100:120-255,120-255,0-60" \
    "white preview frame:$preview:>=400:240-255,240-255,240-255" \
    "no preview piece yet:$preview:<=0:150-255,0-120,150-255" || failed=1

echo "== play running: falling piece and the next one in the preview"
start_demo --running --steps 40
import -window root "$work/running.png" && $convert "$work/running.png" "ppm:$work/running.ppm"
stop_demo
"$check" "$work/running.ppm" \
    "falling piece:$scene:>=1000:150-255,0-120,150-255" \
    "preview piece:$preview:>=300:100-255,0-120,100-255" \
    "wall markers white:$scene:>=1500:240-255,240-255,240-255" || failed=1

echo "== a layer bursting"
start_demo --burst --steps 60
import -window root "$work/burst.png" && $convert "$work/burst.png" "ppm:$work/burst.ppm"
stop_demo
"$check" "$work/burst.ppm" \
    "orange sparks:$scene:>=5000:200-255,100-190,0-90" || failed=1

echo "== holding S turns the camera every 15 ms"
start_demo
xdotool windowfocus --sync "$window"
xdotool keydown s
sleep 0.5
xdotool keyup s
xdotool key q
wait "$pid"
pid=""
cat "$work/demo.out"
yaw=$(awk '/^yaw/ {print int($2)}' "$work/demo.out")
# 0.5 s is about 33 ticks of 2 degrees (a second chain would make it 66);
# allow for a slow machine.
if [ -z "$yaw" ] || [ "$yaw" -lt 54 ] || [ "$yaw" -gt 150 ]; then
    echo "camera yaw ${yaw:-missing}, want 54 to 150 after holding S from 34"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "scene screenshots: all checks passed"
exit "$failed"

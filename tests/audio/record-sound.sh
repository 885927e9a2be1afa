#!/bin/sh
# Plays the Dj's soundtrack through libpulsedsp into a private PulseAudio
# server with a null sink, records the sink and checks the recording is not
# silent where the soundtrack plays, and that a run without a game stays silent.
#
#   record-sound.sh PROBE [KEEP_DIR] [RUN_DIR WITH_XVFB]
#
# With RUN_DIR and WITH_XVFB it also plays the real game under a private
# display, started as a player would: a new game starts its soundtrack, which
# must be heard.
#
# The floor: the soundtrack is a 440 Hz sine at 0.4 of full scale, an RMS of
# 0.28. A floor of 0.05 sits far above silence and 8-bit quantisation noise
# (about 0.001) yet allows for losing most of the level (a sink volume of 20 %
# still passes), so it fails only when the sound does not get through. The
# rough frequency must stay near 440 Hz: a sample played at a wrong rate lands
# far off (320 Hz for 8000, 880 Hz for 22050).
#
# Recordings are raw, so they can be measured while they grow: nothing plays
# before the recorder hears the sink, the game plays until 4 s of it have been
# recorded, and the recorder stops only once the end has come through.
#
#   record-sound.sh --heard RAW SECONDS  true once RAW holds SECONDS from its first sound
set -u
raw_format="-t raw -r 11025 -e signed-integer -b 16 -c 1"
second_bytes=22050

# heard RAW SECONDS
heard() {
    trimmed=$(mktemp --suffix=.wav) || return 1
    # shellcheck disable=SC2086
    sox $raw_format "$1" "$trimmed" silence 1 0.05 1% 2>/dev/null
    length=$(sox "$trimmed" -n stat 2>&1 | awk -F: '$1 ~ /Length/ { gsub(/ /, "", $2); print $2 }')
    rm -f "$trimmed"
    awk -v len="${length:-0}" -v want="$2" 'BEGIN { exit !(len >= want) }'
}
if [ "${1:-}" = --heard ]; then
    heard "$2" "$3"
    exit
fi

probe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
keep=${2:-}
run_dir=${3:-}
with_xvfb=${4:-}
floor=0.05
play_seconds=4
# The game's soundtracks are music, not a steady tone: the quietest 4 s of any
# of them has an RMS of 0.07, so their floor sits lower, still far above the
# 0.001 of silence and 8-bit noise.
game_floor=0.02

skip() { echo "SKIP: $*"; exit 77; }
for tool in pulseaudio pactl parecord sox; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing (Debian packages pulseaudio pulseaudio-utils sox)"
done
dsp_lib=""
for candidate in /usr/lib/"$(gcc -print-multiarch 2>/dev/null)"/pulseaudio/libpulsedsp.so /usr/lib/*/pulseaudio/libpulsedsp.so; do
    [ -f "$candidate" ] && { dsp_lib=$candidate; break; }
done
[ -n "$dsp_lib" ] || skip "libpulsedsp.so is missing (Debian package pulseaudio-utils)"

work=$(mktemp -d)
pa_pid=""
rec_pid=""
cleanup() {
    [ -n "$rec_pid" ] && kill -INT "$rec_pid" 2>/dev/null
    [ -n "$pa_pid" ] && kill "$pa_pid" 2>/dev/null && wait "$pa_pid" 2>/dev/null
    if [ -n "$keep" ]; then mkdir -p "$keep" && cp "$work"/*.wav "$work"/*.log "$keep"/ 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

export XDG_RUNTIME_DIR="$work" HOME="$work" PULSE_SERVER="unix:$work/native"
pulseaudio --daemonize=no -n --exit-idle-time=-1 --disallow-exit --log-target=file:"$work/pa.log" \
    --load="module-null-sink sink_name=test rate=44100" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" 2>"$work/pa-stderr.log" &
pa_pid=$!
tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
        cat "$work/pa-stderr.log" "$work/pa.log" 2>/dev/null
        echo "FAIL: the private PulseAudio server did not answer"
        exit 1
    fi
    sleep 0.05
done

size() { stat -c %s "$1" 2>/dev/null || echo 0; }

# grown FILE BYTES: waits, at most 30 s, until FILE holds at least BYTES.
grown() {
    tries=300
    until [ "$(size "$1")" -ge "$2" ]; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || { echo "FAIL: the recording stopped growing at $(size "$1") bytes"; exit 1; }
        sleep 0.1
    done
}

# start_recording NAME: records the sink's monitor into NAME.raw. The null
# sink starts with about two seconds of latency: what plays before the first
# samples arrive is lost, so this returns once they have.
start_recording() {
    parecord --raw --latency-msec=20 --device=test.monitor --rate=11025 --channels=1 --format=s16le \
        "$work/$1.raw" &
    rec_pid=$!
    grown "$work/$1.raw" $((second_bytes / 5))
}

# stop_recording NAME: once half a second more has come through, so the end
# of what played is in.
stop_recording() {
    grown "$work/$1.raw" $(($(size "$work/$1.raw") + second_bytes / 2))
    kill -INT "$rec_pid"
    wait "$rec_pid"
    rec_pid=""
    # shellcheck disable=SC2086
    sox $raw_format "$work/$1.raw" "$work/$1.wav"
}

# record MODE: runs the probe in MODE while the sink's monitor is recorded.
record() {
    mkdir -p "$work/$1"
    start_recording "$1"
    (cd "$work/$1" && LD_PRELOAD="$dsp_lib" "$probe" "$1" "$play_seconds") >"$work/$1-probe.log" 2>&1
    status=$?
    stop_recording "$1"
    sed "s/^/  $1: /" "$work/$1-probe.log"
    [ $status -eq 0 ] || { echo "FAIL: the probe ($1) ended with status $status"; exit 1; }
}

# figure FILE NAME: one figure of sox's stat.
figure() { sox "$1" -n stat 2>&1 | awk -F: -v name="$2" '$1 ~ name { gsub(/ /, "", $2); print $2 }'; }

record play
record silent

# record_game: the real game while the sink is recorded; it plays until the
# recording holds 4 s from its first sound. Nothing preloads libpulsedsp for
# it: the game restarts itself with it, as it does for a player.
record_game() {
    start_recording game
    "$with_xvfb" sh "$(dirname "$0")/play-game.sh" "$run_dir" "" \
        sh "$0" --heard "$work/game.raw" 4.2 >"$work/game.log" 2>&1
    status=$?
    stop_recording game
    grep -v '^$' "$work/game.log" | sed 's/^/  game: /'
    [ $status -eq 0 ] || { echo "FAIL: the game ended with status $status"; exit 1; }
    if grep -q 'error initializing the Cubrava DJ' "$work/game.log"; then
        echo "FAIL: the game reported the DJ error"
        exit 1
    fi
}

# Where the soundtrack plays: the recording without its silent lead-in and tail.
sox "$work/play.wav" "$work/playing.wav" silence 1 0.05 1% reverse silence 1 0.05 1% reverse
playing_length=$(figure "$work/playing.wav" "Length")
playing_rms=$(figure "$work/playing.wav" "RMS +amplitude")
playing_hz=$(figure "$work/playing.wav" "Rough +frequency")
silent_rms=$(figure "$work/silent.wav" "RMS +amplitude")
silent_max=$(figure "$work/silent.wav" "Maximum +amplitude")
echo "soundtrack: ${playing_length:-0} s heard, RMS ${playing_rms:-0}, about ${playing_hz:-0} Hz"
echo "no game:    RMS ${silent_rms:-0}, peak ${silent_max:-0} (floor $floor)"

awk -v len="${playing_length:-0}" -v rms="${playing_rms:-0}" -v hz="${playing_hz:-0}" \
    -v srms="${silent_rms:-1}" -v smax="${silent_max:-1}" -v floor="$floor" -v want="$play_seconds" 'BEGIN {
    bad = 0
    if (len < want - 1.5) { print "FAIL: the soundtrack was heard for only " len " s"; bad = 1 }
    if (rms < floor) { print "FAIL: the soundtrack is too quiet: RMS " rms " below " floor; bad = 1 }
    if (hz < 380 || hz > 520) { print "FAIL: the recording is not the 440 Hz soundtrack: " hz " Hz"; bad = 1 }
    if (srms >= floor || smax >= floor) { print "FAIL: the run without a game was not silent"; bad = 1 }
    exit bad
}' || exit 1

if [ -n "$run_dir" ]; then
    record_game
    # From the first sound on: the soundtrack of the new game.
    sox "$work/game.wav" "$work/game-playing.wav" silence 1 0.05 1% trim 0 4
    game_length=$(figure "$work/game-playing.wav" "Length")
    game_rms=$(figure "$work/game-playing.wav" "RMS +amplitude")
    echo "the game:   ${game_length:-0} s after its first sound, RMS ${game_rms:-0} (floor $game_floor)"
    awk -v len="${game_length:-0}" -v rms="${game_rms:-0}" -v floor="$game_floor" 'BEGIN {
        bad = 0
        if (len < 3.9) { print "FAIL: the game was heard for only " len " s"; bad = 1 }
        if (rms < floor) { print "FAIL: the game is too quiet: RMS " rms " below " floor; bad = 1 }
        exit bad
    }' || exit 1
fi
echo "PASS"

# Helpers for display test scripts, sourced after setting XPROBE to the
# cubrava_xprobe program. Every wait is bounded.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_pixel X Y "R G B" SECONDS: until the screen shows that colour there
# (each channel within 8). Prints the last colour seen.
wait_pixel() {
    _want=$3
    _tries=$(($4 * 10))
    while :; do
        _seen=$("$XPROBE" pixel "$1" "$2")
        if colour_near "$_seen" "$_want"; then
            echo "$_seen"
            return 0
        fi
        _tries=$((_tries - 1))
        [ "$_tries" -gt 0 ] || { echo "$_seen"; return 1; }
        sleep 0.1
    done
}

colour_near() {
    set -- $1 $2
    [ $# -eq 6 ] || return 1
    for _pair in "$1 $4" "$2 $5" "$3 $6"; do
        set -- $_pair
        _d=$(($1 - $2))
        [ "${_d#-}" -le 8 ] || return 1
    done
    return 0
}

# wait_line FILE PATTERN SECONDS: until a line of FILE matches PATTERN.
wait_line() {
    _tries=$(($3 * 10))
    until grep -q "$2" "$1" 2>/dev/null; do
        _tries=$((_tries - 1))
        [ "$_tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# wait_ended PID SECONDS: until that child process has ended.
wait_ended() {
    _tries=$(($2 * 10))
    while kill -0 "$1" 2>/dev/null; do
        _tries=$((_tries - 1))
        [ "$_tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

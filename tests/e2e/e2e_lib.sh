# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: failing with their name, ending the
# program they started, and clicking and reading pixels of its client area
# (CX, CY: the client area's top left on the screen, set by the script).

fail() {
    echo "${E2E_NAME:-e2e}: $*" >&2
    exit 1
}

APP_PID=""
kill_app() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        sleep 0.5
        kill -9 "$APP_PID" 2>/dev/null
    fi
}

# Clicks at a point of the window's client area.
click() {
    xdotool mousemove --sync $((CX + $1)) $((CY + $2)) click 1
    sleep 0.4
}

# The colour of one screen pixel of the client area, as "r,g,b".
pixel() {
    import -window root -crop 1x1+$((CX + $1))+$((CY + $2)) -depth 8 txt:- 2>/dev/null |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Waits up to about five seconds for the colour: a loaded machine may paint late.
expect_pixel() { # x y colour what
    local got i
    for i in $(seq 1 15); do
        got=$(pixel "$1" "$2")
        [ "$got" = "$3" ] && return 0
        sleep 0.3
    done
    fail "$4: pixel at $1,$2 is '$got', expected $3"
}

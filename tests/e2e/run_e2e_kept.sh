#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A result the report file refuses, and the session ending under the program:
# the block is in the unsaved-results file before any signal, SIGTERM ends
# the program although its message box is open, and the next start moves the
# block into TestData.dat.
#
# usage: run_e2e_kept.sh BIN-DIR          (starts its own virtual display)
#        run_e2e_kept.sh --inner BIN-DIR WORK-DIR
set -u
E2E_NAME="e2e-kept"
. "$(dirname "$0")/e2e_lib.sh"

# Ends the program at once: the session-end paths are tested elsewhere.
kill_app() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill -9 "$APP_PID" 2>/dev/null
    fi
}

start_app() { # bin work
    "$1/knowtest" "$2/bank.mdb" >>"$2/app.log" 2>&1 &
    APP_PID=$!
    WID=$(timeout 30 xdotool search --sync --onlyvisible --name 'Программа тестирования знаний' |
          head -n1)
    [ -n "$WID" ] || fail "the window did not appear"
    sleep 1
}

# Waits up to ten seconds for the program to end; RC is its exit code.
wait_end() {
    local i
    RC="running"
    for i in $(seq 1 50); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            RC=$?
            return
        fi
        sleep 0.2
    done
}

wait_file() { # path
    local i
    for i in $(seq 1 25); do
        [ -s "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

has_block() { # file name
    iconv -f CP1251 -t UTF-8 "$1" | grep -qx "Студент --- $2"$'\r'
}

inner() {
    local bin=$1 work=$2
    cd "$work" || fail "no work dir"
    trap kill_app EXIT
    export XDG_DATA_HOME="$work/data"
    local unsaved="$XDG_DATA_HOME/knowtest/TestData-unsaved.dat"

    start_app "$bin" "$work"
    eval "$(xdotool getwindowgeometry --shell "$WID")"
    xdotool type --delay 80 "Ivanov"
    xdotool key Return
    sleep 1
    # The file goes away during the test: a folder now stands in its place.
    rm -f TestData.dat && mkdir TestData.dat
    xdotool mousemove --sync $((X + 19)) $((Y + HEIGHT - 554 + 13)) click 1 # Stop
    wait_file "$unsaved" || fail "the refused block is not in the unsaved-results file"
    has_block "$unsaved" Ivanov || fail "the unsaved-results file lacks the block"

    kill -TERM "$APP_PID"
    wait_end
    [ "$RC" = 0 ] || fail "after SIGTERM with the message box open: $RC"
    has_block "$unsaved" Ivanov || fail "the block left the unsaved-results file too early"

    rmdir TestData.dat
    start_app "$bin" "$work"
    has_block TestData.dat Ivanov || fail "the next start did not move the block"
    [ ! -e "$unsaved" ] || fail "the moved block is still in the unsaved-results file"
    kill -HUP "$APP_PID"
    wait_end
    [ "$RC" = 0 ] || fail "after SIGHUP: $RC"
    APP_PID=""
}

outer() {
    local bin=$1 tool
    for tool in xvfb-run xdotool xauth iconv; do
        command -v "$tool" >/dev/null || { echo "e2e-kept: $tool is not installed, skipped"; exit 77; }
    done
    local work
    work=$(mktemp -d) || fail "no temporary folder"
    # shellcheck disable=SC2064
    trap "rm -rf '$work'" EXIT
    {
        echo "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет"
        for i in $(seq 1 64); do
            echo "Вопрос $i,да,нет,нет,нет,нет,1,0,Проверка"
        done
    } >"$work/bank.csv"
    "$bin/qbank" import "$work/bank.csv" "$work/bank.mdb" >/dev/null || fail "qbank import failed"
    if ! timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inner "$bin" "$work"; then
        cat "$work/app.log" >&2
        fail "the run on the virtual display failed"
    fi
    echo "e2e-kept: passed"
}

if [ "${1:-}" = "--inner" ]; then
    inner "$2" "$3"
else
    outer "$(cd "$1" && pwd)"
fi

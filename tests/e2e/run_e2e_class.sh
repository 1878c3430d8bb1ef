#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of one PC of a class: the bank's settings name a class
# folder and a class list. A part of a listed name is typed, the completion
# offers the name, Down and Enter take it, Enter starts the test, Stop ends
# it; then the listed name, longer than the name box's usual 15 characters,
# must stand whole in the block in the class folder, with the test's rows
# in the answers file and its status there too.
#
# usage: run_e2e_class.sh BIN-DIR [SHOT-DIR]  (starts its own virtual display)
#        run_e2e_class.sh --inner BIN-DIR WORK-DIR SHOT-DIR
set -u
E2E_NAME="e2e-class"
. "$(dirname "$0")/e2e_lib.sh"

readonly CLIENT_H=554
readonly LONG_NAME="Konstantinopolskaya Aleksandra"
readonly HOST_NAME="kab12-pc07"




visible_windows() {
    xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l
}

# Waits up to about five seconds for the program to show this many windows.
expect_windows() { # count what
    local i
    for i in $(seq 1 15); do
        [ "$(visible_windows)" = "$1" ] && return 0
        sleep 0.3
    done
    fail "$2: $(visible_windows) windows shown, expected $1"
}

shot() { # name
    [ -n "$SHOTS" ] && import -window root "$SHOTS/$1.png" 2>/dev/null
    return 0
}

wait_for_exit() {
    local i
    for i in $(seq 1 50); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            return $?
        fi
        sleep 0.2
    done
    fail "the program did not end after the close box"
}

inner() {
    local bin=$1 work=$2
    SHOTS=$3
    cd "$work" || fail "no work dir"
    trap kill_app EXIT
    "$bin/knowtest" "$work/bank.mdb" >app.log 2>&1 &
    APP_PID=$!
    local wid
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name 'Программа тестирования знаний' |
          head -n1)
    [ -n "$wid" ] || fail "the window did not appear"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    CX=$X
    CY=$((Y + HEIGHT - CLIENT_H))

    expect_windows 1 "start"
    # There is no window manager on the virtual display to give the window
    # the keyboard focus; without it the completion's list would take the
    # keys from the name box and close at the next key.
    xdotool windowfocus --sync "$wid"
    # A part of the second word: the completion finds words anywhere in the name.
    xdotool type --delay 120 "alek"
    expect_windows 2 "the completion of a listed name"
    shot class-completion
    xdotool key Down Return
    expect_windows 1 "the completion taken"
    xdotool key Return
    sleep 1
    click 19 13 # Stop
    sleep 1
    shot class-result
    click 405 324 # result panel OK
    sleep 0.5
    "$bin/kt_wmclose" "$wid" || fail "close request not sent"
    wait_for_exit || fail "the program ended with an error"
    APP_PID=""
}

make_bank() {
    local bin=$1 work=$2 i
    {
        echo "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет"
        for i in $(seq 1 64); do
            echo "Вопрос номер $i,верно $i,неверно $i.2,неверно $i.3,неверно $i.4,неверно $i.5,1,0,Проверка"
        done
    } >"$work/bank.csv"
    "$bin/qbank" import "$work/bank.csv" "$work/bank.mdb" >/dev/null || fail "qbank import failed"
    printf '[test]\ncount=10\n\n[class]\nfolder=9B\ntitle=Проверка, 9Б\nlist=9B.txt\nlist_only=yes\n' \
        >"$work/bank.ini"
    printf 'Ivanov Petr\n%s\nKim Lesha\n' "$LONG_NAME" >"$work/9B.txt"
    mkdir "$work/9B"
}

check_files() {
    local work=$1 pc=$HOST_NAME
    local report="$work/9B/TestData-$pc.dat" answers="$work/9B/Answers-$pc.csv"
    [ -f "$work/TestData.dat" ] || fail "no TestData.dat in the working folder"
    [ -s "$work/TestData.dat" ] && fail "TestData.dat got the block"
    [ -f "$report" ] || fail "no $report"
    [ "$(sed -n 2p "$report" | iconv -f CP1251 -t UTF-8)" = $'Студент --- '"$LONG_NAME"$'\r' ] ||
        fail "the listed name is not whole in the block: $(sed -n 2p "$report")"
    [ "$(wc -l <"$answers")" = 11 ] || fail "the answers file has not one header and ten rows"
    [ "$(grep -c "^$pc-.*,$pc,$LONG_NAME,\"Проверка, 9Б\",bank.mdb," "$answers")" = 10 ] ||
        fail "the answers rows do not name the PC, the student, the title and the bank"
    grep -q '"state":"start"' "$work/9B/status/$pc.json" || fail "the status is not back at start"
}

outer() {
    local bin=$1 shots=${2:-}
    for tool in xvfb-run xdotool import xauth iconv unshare; do
        command -v "$tool" >/dev/null || { echo "e2e-class: $tool is not installed, skipped"; exit 77; }
    done
    # The PC's name comes from the host name: a host name of its own, where
    # the system lets us have one.
    local uts=()
    if unshare --uts true 2>/dev/null; then
        uts=(unshare --uts sh -c "hostname $HOST_NAME && exec \"\$@\"" sh)
    else
        echo "e2e-class: no host name of its own (unshare --uts), skipped"
        exit 77
    fi
    local work
    work=$(mktemp -d) || fail "no temporary folder"
    # shellcheck disable=SC2064
    trap "rm -rf '$work'" EXIT
    make_bank "$bin" "$work"
    timeout 150 "${uts[@]}" xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$0" --inner "$bin" "$work" "$shots" || fail "the run on the virtual display failed"
    check_files "$work"
    echo "e2e-class: passed"
}

if [ "${1:-}" = "--inner" ]; then
    inner "$2" "$3" "$4"
else
    outer "$(cd "$1" && pwd)" "${2:-}"
fi

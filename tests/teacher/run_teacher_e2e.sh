#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the teacher's editor and the student's program: the
# editor makes a bank of twelve questions with the keyboard, saves it and
# writes the test settings beside it (5 questions, 1 minute, records 1 to
# 12); knowtest then starts on that bank, one question is answered right
# and the test stopped, and the report must carry the saved settings.
#
# usage: run_teacher_e2e.sh BIN-DIR          (starts its own virtual display)
#        run_teacher_e2e.sh --inner BIN-DIR WORK-DIR
set -u

readonly CLIENT_H=554 RECORDS=12

fail() {
    echo "teacher e2e: $*" >&2
    exit 1
}

PIDS=()
kill_apps() {
    local p
    for p in "${PIDS[@]}"; do
        kill "$p" 2>/dev/null
    done
}

window_of() { # title-pattern
    timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n1
}

keys() {
    xdotool key --delay 60 "$@"
    sleep 0.2
}

type_text() {
    xdotool type --delay 30 "$1"
}

# One record typed into the form: question, answers A to E (A is the right
# one, as a new record has it), the subject on the first record only.
type_record() { # number
    type_text "Question $1"
    local k
    for k in 1 2 3 4 5; do
        keys Tab
        if [ "$k" = 1 ]; then type_text "right $1"; else type_text "wrong $1.$k"; fi
    done
    if [ "$1" = 1 ]; then
        keys Tab Tab # past the right-answer buttons to the subject
        type_text "Proverka"
    fi
}

editor() {
    local bin=$1 work=$2 i
    "$bin/knowtest-teacher" >editor.log 2>&1 &
    PIDS+=($!)
    local wid
    wid=$(window_of 'Knowtest — учителю')
    [ -n "$wid" ] || fail "the editor did not appear"
    xdotool windowfocus --sync "$wid"
    sleep 1
    # A new bank is empty: every question starts with Insert, which puts
    # the cursor into the new record's question.
    for i in $(seq 1 $RECORDS); do
        keys Insert
        type_record "$i"
    done
    keys ctrl+s
    sleep 1.5
    type_text "$work/bank.mdb"
    keys Return
    sleep 2
    [ -f "$work/bank.mdb" ] || fail "the bank was not saved"
    # Without a window manager nobody gives the focus back after a dialog.
    xdotool windowfocus --sync "$wid"
    keys ctrl+t
    sleep 1.5
    keys ctrl+a && type_text 5 && keys Tab # count
    keys ctrl+a && type_text 1 && keys Tab # minutes
    keys Return
    sleep 1
    [ -f "$work/bank.ini" ] || fail "the settings were not saved"
    xdotool windowfocus --sync "$wid"
    keys ctrl+q
    sleep 1
}

student() {
    local bin=$1 work=$2
    "$bin/knowtest" "$work/bank.mdb" >app.log 2>&1 &
    local pid=$!
    PIDS+=($pid)
    local wid
    wid=$(window_of 'Программа тестирования знаний')
    [ -n "$wid" ] || fail "knowtest did not appear"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    local cx=$X cy=$((Y + HEIGHT - CLIENT_H))
    click() {
        xdotool mousemove --sync $((cx + $1)) $((cy + $2)) click 1
        sleep 0.5
    }
    type_text "Sidorov"
    keys Return
    sleep 1
    click 400 180 # answer A, the right one
    click 568 492 # Forward
    click 19 13   # Stop
    click 405 324 # result panel OK
    "$bin/kt_wmclose" "$wid" || fail "close request not sent"
    sleep 1
}

inner() {
    local bin=$1 work=$2
    cd "$work" || fail "no work dir"
    trap kill_apps EXIT
    export XDG_CONFIG_HOME=$work/config
    editor "$bin" "$work"
    student "$bin" "$work"
}

outer() {
    local bin=$1
    for tool in xvfb-run xdotool xauth iconv; do
        command -v "$tool" >/dev/null || { echo "teacher e2e: $tool is not installed, skipped"; exit 77; }
    done
    local work
    work=$(mktemp -d) || fail "no temporary folder"
    # shellcheck disable=SC2064
    trap "rm -rf '$work'" EXIT
    timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$0" --inner "$bin" "$work" || fail "the run on the virtual display failed"

    grep -qx 'count=5' "$work/bank.ini" || fail "bank.ini: $(cat "$work/bank.ini")"
    [ -f "$work/TestData.dat" ] || fail "no TestData.dat"
    local report
    report=$(iconv -f CP1251 -t UTF-8 "$work/TestData.dat" | tr -d '\r')
    local line
    for line in "Студент --- Sidorov" "Ответил правильно на --- 20 %" \
        "Всего вопросов в базе - $RECORDS" "Колличество вопросов в тесте --- 5" \
        "Отбор вопросов из диапазона от --- 1  до  --- $RECORDS" \
        "Выделяемое время на один вопрос --- 1 мин"; do
        grep -qxF "$line" <<<"$report" || { echo "$report" >&2; fail "report lacks: $line"; }
    done
    echo "teacher e2e: passed"
}

if [ "${1:-}" = "--inner" ]; then
    inner "$2" "$3"
else
    outer "$(cd "$1" && pwd)"
fi

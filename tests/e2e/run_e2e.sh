#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the real program: a name typed, answers chosen with the
# mouse, the test aborted with the Stop button, the result confirmed; then
# the settings changed with the arrows and a second test aborted; the window
# closed by its close box; then the exit code and both report blocks.
#
# usage: run_e2e.sh BIN-DIR          (starts its own virtual display)
#        run_e2e.sh --inner BIN-DIR WORK-DIR   (on the display)
set -u
E2E_NAME="e2e"
. "$(dirname "$0")/e2e_lib.sh"

readonly CLIENT_W=793 CLIENT_H=554
readonly QUESTION_AREA=58,110,165


# --- on the virtual display -------------------------------------------------





# The settings screen lies at 8, 80; its count arrows at 337, 128 (17 x 33)
# and the "to" arrows at 569, 332 (24 x 25) in the window; a click on the
# lower half of an arrow pair steps down. With 64 records from 1 to 64 the
# count may be at most 64 - 1 - 5 = 58: the first click down lands there, so
# three clicks leave 56.
change_settings() {
    click 54 13 # Options
    expect_pixel 108 100 166,202,240 "settings screen"
    local i
    for i in 1 2 3; do
        click 345 153 # count: down
    done
    click 581 351 # to: down
    click 389 388 # OK
    expect_pixel 108 100 "$QUESTION_AREA" "question area after the settings"
}

# A short second test under the new settings: started, aborted, confirmed.
second_test() {
    xdotool type --delay 80 "Petrov"
    xdotool key Return
    sleep 1
    expect_pixel 270 204 "$QUESTION_AREA" "question area in the second test"
    click 19 13 # Stop
    expect_pixel 400 128 89,181,15 "result panel outline of the second test"
    click 405 324 # result panel OK
    expect_pixel 270 204 166,202,240 "start panel after the second test"
}

inner() {
    local bin=$1 work=$2
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
    [ "$WIDTH" = "$CLIENT_W" ] || fail "window width $WIDTH"
    # The menu bar lies above the client area.
    CX=$X
    CY=$((Y + HEIGHT - CLIENT_H))

    # Start: the start panel covers the gap between answers A and B.
    expect_pixel 270 204 166,202,240 "start panel"
    xdotool type --delay 80 "Ivanov"
    xdotool key Return
    sleep 1
    expect_pixel 270 204 "$QUESTION_AREA" "question area after the start"

    # Three answers A (right) and one answer B (wrong), each with Forward.
    local i
    for i in 1 2 3; do
        click 400 180 # answer A
        click 568 492 # Forward
    done
    click 400 228 # answer B
    click 568 492 # Forward
    click 19 13   # Stop
    expect_pixel 400 128 89,181,15 "result panel outline"

    click 405 324 # result panel OK
    expect_pixel 270 204 166,202,240 "start panel again"

    change_settings
    second_test

    "$bin/kt_wmclose" "$wid" || fail "close request not sent"
    local rc=""
    for i in $(seq 1 50); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            rc=$?
            break
        fi
        sleep 0.2
    done
    [ -n "$rc" ] || fail "the program did not end after the close box"
    [ "$rc" = 0 ] || fail "exit code $rc"
    APP_PID=""
}

# --- outside ----------------------------------------------------------------

make_bank() {
    local bin=$1 work=$2 i
    {
        echo "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет"
        for i in $(seq 1 64); do
            echo "Вопрос номер $i,верно $i,неверно $i.2,неверно $i.3,неверно $i.4,неверно $i.5,1,0,Проверка"
        done
    } >"$work/bank.csv"
    "$bin/qbank" import "$work/bank.csv" "$work/bank.mdb" >/dev/null || fail "qbank import failed"
}

# One report block; date and times are masked.
expected_block() { # name percentage count from to minutes
    printf '%s\r\n' \
        " " \
        "Студент --- $1" \
        "Ответил правильно на --- $2" \
        "Дата тестирования --- DATE" \
        "Время завершения тестирования --- TIME" \
        "Остаток времени после тестирования --- TIME" \
        "Всего вопросов в базе - 64" \
        "Колличество вопросов в тесте --- $3" \
        "Отбор вопросов из диапазона от --- $4  до  --- $5" \
        "Выделяемое время на один вопрос --- $6 мин" |
        iconv -f UTF-8 -t CP1251
}

# The first test under the startup settings, the second after the count
# was lowered three times and the last record once on the settings screen.
expected_report() {
    expected_block Ivanov "5 %" 60 1 64 2
    expected_block Petrov "0 %" 56 1 63 2
}

# The report with its date and times replaced, after checking their form.
masked_report() {
    LC_ALL=C sed -E \
        -e '4~10s/ [0-9]{2}\.[0-9]{2}\.[0-9]{4}\r$/ DATE\r/' \
        -e '5~10s/ [0-9]{1,2}:[0-9]{2}:[0-9]{2}\r$/ TIME\r/' \
        -e '6~10s/ [0-9]{1,2}:[0-9]{2}:[0-9]{2}\r$/ TIME\r/' "$1"
}

outer() {
    local bin=$1
    for tool in xvfb-run xdotool import xauth iconv; do
        command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed, skipped"; exit 77; }
    done
    local work
    work=$(mktemp -d) || fail "no temporary folder"
    # Expanded now: the variable is gone by the time the shell exits.
    # shellcheck disable=SC2064
    trap "rm -rf '$work'" EXIT
    make_bank "$bin" "$work"

    timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$0" --inner "$bin" "$work" || fail "the run on the virtual display failed"

    [ -f "$work/TestData.dat" ] || fail "no TestData.dat"
    expected_report >"$work/expected.dat"
    masked_report "$work/TestData.dat" >"$work/masked.dat"
    if ! cmp "$work/expected.dat" "$work/masked.dat"; then
        iconv -f CP1251 -t UTF-8 "$work/TestData.dat" >&2
        fail "the report differs"
    fi
    echo "e2e: passed"
}

if [ "${1:-}" = "--inner" ]; then
    inner "$2" "$3"
else
    outer "$(cd "$1" && pwd)"
fi

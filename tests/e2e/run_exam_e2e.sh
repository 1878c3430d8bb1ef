#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of an exam: the bank's settings file has an [exam] section
# with the teacher's password, shuffled variants, one attempt per name, the
# mark and the review. A wrong password keeps the settings screen and the
# report viewer closed and the test running; the close box during the test asks and, refused, keeps
# the window; shuffled variants differ between the questions of two draws
# while the report's percentage follows the answers given; a second attempt
# under the same name is refused; the right password closes the program.
# Then, on a 1920 x 1080 display, the full screen fills it.
#
# usage: run_exam_e2e.sh BIN-DIR SHOT-DIR
#        run_exam_e2e.sh --inner BIN-DIR WORK-DIR SHOT-DIR
#        run_exam_e2e.sh --fullscreen BIN-DIR WORK-DIR SHOT-DIR
set -u
E2E_NAME="e2e exam"
. "$(dirname "$0")/e2e_lib.sh"

readonly CLIENT_H=554
readonly QUESTION_AREA=58,110,165 SKY_BLUE=166,202,240
readonly PASSWORD=Uchitel-7






# Waits for a shown window with this title; prints its id.
window_named() {
    timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}

# Answers the password dialog with this text (Return) or refuses it (Escape).
password_dialog() { # text|--cancel
    local dialog
    dialog=$(window_named 'Пароль учителя')
    [ -n "$dialog" ] || fail "no password dialog"
    if [ "$1" = --cancel ]; then
        xdotool key Escape
    else
        xdotool type --delay 40 "$1"
        xdotool key Return
    fi
    sleep 1.5 # the slow hash
}

view_report() { # password
    click 143 -10 # the menu «Помошь» above the client area
    xdotool key Down Down Return
    password_dialog "$1"
}

# The answers A to E lie at 40, 160 + 48 k (737 x 41) in the window. The
# right variant's text, "верно", is the shortest: its label is the lightest.
# Prints the place (1 to 5) of the right answer on the shown question and
# keeps the labels' checksum, which depends only on the variants' order.
right_place() {
    import -window root "$WORK/screen.png"
    local k mean best=0 best_mean=0
    for k in 1 2 3 4 5; do
        mean=$(convert "$WORK/screen.png" \
            -crop 737x41+$((CX + 40))+$((CY + 160 + 48 * (k - 1))) \
            -colorspace gray -format '%[fx:int(mean*1000000)]' info:)
        if [ "$mean" -gt "$best_mean" ]; then
            best=$k
            best_mean=$mean
        fi
    done
    convert "$WORK/screen.png" -crop 737x233+$((CX + 40))+$((CY + 160)) rgb:- |
        md5sum | cut -d' ' -f1 >>"$WORK/orders.txt"
    echo "$best"
}

# Answers the four questions: `right` of them right, the rest wrong.
answer_test() { # right
    local i place
    for i in 1 2 3 4; do
        place=$(right_place)
        [ "$i" -le "$1" ] || place=$((place % 5 + 1))
        click 400 $((180 + 48 * (place - 1)))
        click 568 492 # Forward
    done
    expect_pixel 400 128 89,181,15 "result panel outline"
}

# Result OK leads to the review, whose OK leads to the start.
through_review() {
    click 405 324 # result panel OK
    expect_pixel 206 300 255,255,225 "review list"
    [ -e "$SHOTS/exam-review.png" ] || import -window root "$SHOTS/exam-review.png"
    click 405 332 # review panel OK
    expect_pixel 270 204 "$SKY_BLUE" "start panel after the review"
}

start_test() { # name
    xdotool type --delay 60 "$1"
    xdotool key Return
    sleep 1
}

inner() {
    local bin=$1
    WORK=$2 SHOTS=$3
    cd "$WORK" || fail "no work dir"
    trap kill_app EXIT
    "$bin/knowtest" "$WORK/bank.mdb" >app.log 2>&1 &
    APP_PID=$!
    local wid
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name 'Программа тестирования знаний' |
          head -n1)
    [ -n "$wid" ] || fail "the window did not appear"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    CX=$X
    CY=$((Y + HEIGHT - CLIENT_H))

    # The settings: a wrong password keeps them closed, the right one opens them.
    click 54 13 # Options
    password_dialog wrong
    expect_pixel 108 100 "$QUESTION_AREA" "settings screen after a wrong password"
    click 54 13
    password_dialog "$PASSWORD"
    expect_pixel 108 100 "$SKY_BLUE" "settings screen after the right password"
    click 389 388 # settings OK
    expect_pixel 108 100 "$QUESTION_AREA" "question area after the settings"

    start_test Ivanov
    expect_pixel 270 204 "$QUESTION_AREA" "question area in the first test"
    click 19 13 # Stop
    password_dialog wrong
    expect_pixel 270 204 "$QUESTION_AREA" "the test after a wrong password for Stop"
    "$bin/kt_wmclose" "$wid" || fail "close request not sent"
    password_dialog --cancel
    kill -0 "$APP_PID" 2>/dev/null || fail "the close box ended the test without the password"
    expect_pixel 270 204 "$QUESTION_AREA" "the test after the refused close box"
    # The report viewer («Помошь», its second item) over the running test:
    # its text box would cover the question area at 210, 152.
    view_report wrong
    expect_pixel 210 152 "$QUESTION_AREA" "no report viewer after a wrong password"
    view_report "$PASSWORD"
    expect_pixel 210 152 255,255,225 "the report viewer after the right password"
    click 420 500 # «Закрыть»
    expect_pixel 210 152 "$QUESTION_AREA" "the test after the report viewer"
    answer_test 3
    import -window root "$SHOTS/exam-result.png"
    through_review

    # One attempt per name: the same name, typed otherwise, is refused.
    start_test " ivanov"
    local box
    box=$(window_named '^Knowtest$')
    [ -n "$box" ] || fail "no message for a second attempt"
    import -window root "$SHOTS/exam-attempts.png"
    xdotool key Return
    sleep 0.5
    expect_pixel 270 204 "$SKY_BLUE" "start panel after the refused attempt"
    xdotool key ctrl+a BackSpace
    start_test Petrov
    expect_pixel 270 204 "$QUESTION_AREA" "question area in the second test"
    answer_test 4
    through_review

    "$bin/kt_wmclose" "$wid" || fail "close request not sent"
    password_dialog "$PASSWORD"
    local rc="" i
    for i in $(seq 1 50); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            rc=$?
            break
        fi
        sleep 0.2
    done
    [ "$rc" = 0 ] || fail "the program did not end with the right password (status '$rc')"
    APP_PID=""
}

# The window on a 1920 x 1080 display with fullscreen=yes.
fullscreen() {
    local bin=$1
    WORK=$2 SHOTS=$3
    cd "$WORK" || fail "no work dir"
    trap kill_app EXIT
    "$bin/knowtest" "$WORK/bank.mdb" >app.log 2>&1 &
    APP_PID=$!
    local wid
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name 'Программа тестирования знаний' |
          head -n1)
    [ -n "$wid" ] || fail "the full-screen window did not appear"
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    import -window root "$SHOTS/exam-fullscreen.png"
    [ "$X" = 0 ] && [ "$Y" = 0 ] || fail "the full screen starts at $X,$Y"
    # The backdrop covers the whole screen.
    [ "$WIDTH" -ge 1920 ] && [ "$HEIGHT" -ge 1080 ] || fail "the full screen is $WIDTH x $HEIGHT"
    # Across the middle row: sky blue, the scaled window, sky blue again.
    local edges left right
    edges=$(convert "$SHOTS/exam-fullscreen.png" -crop 1920x1+0+540 -depth 8 txt:- |
        awk -F'[,:() ]+' 'NR > 1 && $0 !~ /#A6CAF0/ { if (l == "") l = $1; r = $1 }
                          END { print l, r }')
    read -r left right <<<"$edges"
    [ -n "$left" ] || fail "the full screen shows no window"
    local scale=$(((right - left + 1) * 100 / 793))
    # The height of 1080 holds the 554 pixels of the client area and the
    # menu bar: the scale lies between 1080 / 594 and 1080 / 554.
    [ "$scale" -ge 181 ] && [ "$scale" -le 195 ] || fail "the window is scaled by $scale / 100"
    local margin=$((left - (1919 - right)))
    [ "${margin#-}" -le 2 ] || fail "the window is not centred: $left to $right"
    kill_app
    APP_PID=""
}

make_files() {
    local bin=$1 work=$2 i
    {
        echo "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет"
        for i in $(seq 1 64); do
            echo "Вопрос номер $i,верно,неверно вариант 2,неверно вариант 3,неверно вариант 4,неверно вариант 5,1,0,Экзамен"
        done
    } >"$work/bank.csv"
    "$bin/qbank" import "$work/bank.csv" "$work/bank.mdb" >/dev/null || fail "qbank import failed"
    {
        printf '[test]\ncount=4\nminutes=1\n[exam]\n'
        printf '%s\n' "$PASSWORD" | "$bin/qbank" exam-password || fail "qbank exam-password failed"
        printf 'shuffle_answers=yes\nattempts=1\nreview=answers\nshow_mark=yes\nmarks=85,70,50\n'
    } >"$work/bank.ini"
}

outer() {
    local bin=$1 shots=$2
    for tool in xvfb-run xdotool import convert xauth iconv md5sum; do
        command -v "$tool" >/dev/null || { echo "e2e exam: $tool is not installed, skipped"; exit 77; }
    done
    mkdir -p "$shots"
    rm -f "$shots"/exam-*.png
    local work
    work=$(mktemp -d) || fail "no temporary folder"
    # shellcheck disable=SC2064
    trap "rm -rf '$work'" EXIT
    make_files "$bin" "$work"

    timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$0" --inner "$bin" "$work" "$shots" || fail "the exam run failed"
    local blocks
    blocks=$(iconv -f CP1251 -t UTF-8 "$work/TestData.dat" |
        sed -n 's/^\(Студент --- \|Ответил правильно на --- \)//p' | tr -d '\r' | paste -sd' ')
    [ "$blocks" = "Ivanov 75 % Petrov 100 %" ] || fail "the report holds '$blocks'"
    # Eight questions in two draws: with the variants in the bank's order
    # every one would look the same.
    [ "$(sort -u "$work/orders.txt" | wc -l)" -ge 3 ] || fail "the variants were not shuffled"

    echo "fullscreen=yes" >>"$work/bank.ini"
    timeout 60 xvfb-run -a -s "-screen 0 1920x1080x24" \
        bash "$0" --fullscreen "$bin" "$work" "$shots" || fail "the full-screen run failed"
    echo "e2e exam: passed"
}

case "${1:-}" in
    --inner) inner "$2" "$3" "$4" ;;
    --fullscreen) fullscreen "$2" "$3" "$4" ;;
    *) outer "$(cd "$1" && pwd)" "$2" ;;
esac

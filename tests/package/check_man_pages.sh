#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages keep up with the programs: every command and option that
# qbank --help lists is in both of qbank's pages (English and Russian), and
# the pages of the two window programs name the bank argument and the test
# settings file that both programs take.
set -euo pipefail
qbank=$1
pages=$2
status=0

missing() {
    echo "$1: $2 не описан(а)" >&2
    status=1
}

help=$("$qbank" --help)
options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
commands=$(sed -nE 's/^  qbank ([a-z][a-z-]*).*/\1/p' <<<"$help" | sort -u)
[ -n "$options" ] && [ -n "$commands" ] || { echo "qbank --help: нет ни команд, ни параметров" >&2; exit 1; }

for page in "$pages/qbank.1" "$pages/ru/qbank.1"; do
    text=$(sed 's/\\-/-/g' "$page")
    for option in $options; do
        grep -qF -- "$option" <<<"$text" || missing "$page" "параметр $option"
    done
    for command in $commands; do
        grep -qE "^\.B qbank $command( |$)" <<<"$text" || missing "$page" "команда $command"
        grep -qE "^\.B $command( |$)" <<<"$text" || missing "$page" "описание команды $command"
    done
done

for program in knowtest knowtest-teacher; do
    for page in "$pages/$program.1" "$pages/ru/$program.1"; do
        synopsis=$(sed -n '/^\.SH \(SYNOPSIS\|СИНТАКСИС\)/,/^\.SH/p' "$page")
        grep -qE '^\.RI \[ [^ ]+\.mdb \]' <<<"$synopsis" || missing "$page" "аргумент базы"
        grep -qF '.ini' "$page" || missing "$page" "файл параметров .ini"
    done
done
exit $status

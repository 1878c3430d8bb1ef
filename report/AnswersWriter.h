// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace kt {

// One question of a finished test as the answers file keeps it.
struct AnswerRow {
    QString question;
    int counter = 0; // the record's "Счетчик"
    int chosen = 0;  // the bank's variant number chosen; 0: none
    int right = 0;   // the record's "ВернОтв"
    bool judged = false;
};

// What every row of one test repeats.
struct AnswersTest {
    QString id; // unique to the test: PC, date, time and a counter
    QString date;
    QString time;
    QString pc;
    QString student;
    QString title;
    QString bank; // the bank's file name
};

// The answers file's header (AnswersFile.h) as its first line: UTF-8, LF.
QByteArray answersHeaderLine();

// "верно", "неверно" or "нет ответа".
QString answerOutcome(const AnswerRow& row);

// All rows of one test, slots numbered from 1, as UTF-8 CSV (RFC 4180
// quoting, LF). Appended in one piece with the report file's discipline, so
// the file holds all rows of a test or none.
QByteArray answersRowsBytes(const AnswersTest& test, const std::vector<AnswerRow>& rows);

} // namespace kt

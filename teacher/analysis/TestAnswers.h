// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

namespace kt {

// The answers file written beside a report file by the same PC:
// TestData-PC1.dat has Answers-PC1.csv, TestData.dat has Answers.csv.
QString answersFileFor(const QString& reportPath);

// One question of one test: what the student chose against the key.
struct TestAnswer {
    int slot = 0;
    int counter = 0;
    QString question;
    int chosen = 0; // the bank's variant, 0 for none
    int key = 0;
    QString verdict; // "верно", "неверно", "нет ответа"
};

// The questions of the test that finished at this date and time (as the
// report block gives them) for this student: the first such test in the
// file, empty when there is none. Throws KtError when the file cannot be
// read.
std::vector<TestAnswer> findTestAnswers(const QString& answersPath, const QString& date,
                                        const QString& time, const QString& student);

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace kt::test {

// One question of a test as the student's program records it; the verdict
// follows from the choice and the key.
struct FixtureAnswer {
    FixtureAnswer(int counter_, int chosen_, int key_, QString question_ = {})
        : counter(counter_), chosen(chosen_), key(key_), question(std::move(question_)) {}
    int counter;
    int chosen;
    int key;
    QString question; // empty: "Вопрос N" after the counter
};

struct FixtureTest {
    FixtureTest(QString id_, std::vector<FixtureAnswer> answers_)
        : id(std::move(id_)), answers(std::move(answers_)) {}
    QString id;
    std::vector<FixtureAnswer> answers;
    QString date = QStringLiteral("07.12.2026");
    QString title = QStringLiteral("География");
    QString bank = QStringLiteral("DB1.MDB");
};

// An answers file: the header and every test's rows.
QByteArray answersFileBytes(const std::vector<FixtureTest>& tests);

} // namespace kt::test

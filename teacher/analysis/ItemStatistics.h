// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/analysis/AnswerSet.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace kt {

// Which tests count: a title (empty for all) and a span of dates (a null
// date leaves that side open).
struct TestFilter {
    QString title;
    QDate from;
    QDate to;
    bool accepts(const AnswerSet& set, const AnswerTest& test) const;
};

// Shares of the answers choosing each bank variant, A…E at 0…4, and of no
// answer at 5. All zero when there were no answers.
using ChoiceShares = std::array<double, 6>;
constexpr int kNoAnswer = 5;

enum ItemFlag : unsigned {
    FlagWrongKey = 1u << 0,
    FlagTooHard = 1u << 1,
    FlagTooEasy = 1u << 2,
    FlagNoDiscrimination = 1u << 3,
    FlagFewAnswers = 1u << 4,
};

// What the answers say of one item. Discrimination and the point-biserial
// correlation are NaN where they cannot be had (no answer in a group, no
// spread).
struct ItemStats {
    int item = 0; // index into AnswerSet::items()
    int shown = 0;
    double facility = 0.0;
    double discrimination = 0.0;
    double biserial = 0.0;
    ChoiceShares choices{};
    ChoiceShares upper{};
    ChoiceShares lower{};
    unsigned flags = 0;
};

// Every item that the tests passing the filter drew, ordered by bank,
// counter and first appearance.
std::vector<ItemStats> analyseItems(const AnswerSet& set, const TestFilter& filter = {});

// "возможно неверный ключ; не различает"; empty for no flag.
QString flagText(unsigned flags);

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/analysis/ItemStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace kt {
namespace {

constexpr double kGroupShare = 0.27;
constexpr double kChance = 0.20;
constexpr double kEasy = 0.95;
constexpr double kDiscriminates = 0.1;
constexpr int kEnoughAnswers = 10;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum Group : qint8 { Outside = 0, Upper = 1, Lower = 2, Both = 3 };

// Running sums of one item over the rows.
struct Tally {
    int shown = 0;
    int right = 0;
    std::array<int, 6> choices{};
    std::array<int, 6> upper{};
    std::array<int, 6> lower{};
    int upperShown = 0, upperRight = 0, lowerShown = 0, lowerRight = 0;
    // Point-biserial sums: x the item right, y the rest of its test right.
    int n = 0;
    double sx = 0, sy = 0, sxy = 0, syy = 0;
};

// Upper and lower groups: the tests at or above the k-th best percentage and
// at or below the k-th worst, ties at the boundary all in.
std::vector<qint8> groupsOf(const AnswerSet& set, const std::vector<bool>& counted) {
    std::vector<double> percents;
    for (size_t t = 0; t < set.tests().size(); ++t)
        if (counted[t])
            percents.push_back(set.tests()[t].percent());
    std::vector<qint8> groups(set.tests().size(), Outside);
    const auto k = size_t(std::lround(kGroupShare * double(percents.size())));
    if (k == 0)
        return groups;
    std::sort(percents.begin(), percents.end());
    const double lowest = percents[k - 1];
    const double highest = percents[percents.size() - k];
    for (size_t t = 0; t < groups.size(); ++t) {
        if (!counted[t])
            continue;
        const double p = set.tests()[t].percent();
        groups[t] = qint8((p >= highest ? Upper : 0) | (p <= lowest ? Lower : 0));
    }
    return groups;
}

int choiceIndex(int chosen) {
    return chosen == 0 ? kNoAnswer : chosen - 1;
}

void addRow(Tally& t, const AnswerRow& row, const AnswerTest& test, qint8 group) {
    const int c = choiceIndex(row.chosen);
    const int x = row.right ? 1 : 0;
    ++t.shown;
    t.right += x;
    ++t.choices[size_t(c)];
    if (group & Upper) {
        ++t.upper[size_t(c)];
        ++t.upperShown;
        t.upperRight += x;
    }
    if (group & Lower) {
        ++t.lower[size_t(c)];
        ++t.lowerShown;
        t.lowerRight += x;
    }
    if (test.total > 1) {
        const double y = double(test.right - x) / double(test.total - 1);
        ++t.n;
        t.sx += x;
        t.sy += y;
        t.sxy += x * y;
        t.syy += y * y;
    }
}

ChoiceShares shares(const std::array<int, 6>& counts, int total) {
    ChoiceShares s{};
    for (size_t i = 0; i < s.size() && total > 0; ++i)
        s[i] = double(counts[i]) / total;
    return s;
}

double pearson(const Tally& t) {
    const double n = t.n;
    const double vx = n * t.sx - t.sx * t.sx; // x² = x for 0/1
    const double vy = n * t.syy - t.sy * t.sy;
    if (t.n < 2 || vx <= 0 || vy <= 1e-12 * n * n)
        return kNaN;
    return (n * t.sxy - t.sx * t.sy) / std::sqrt(vx * vy);
}

// A wrong variant chosen more often than the key among the best tests.
bool keyBeaten(const Tally& t, int key) {
    if (key < 1 || key > 5)
        return false;
    const int keyCount = t.upper[size_t(key - 1)];
    for (int v = 0; v < 5; ++v)
        if (v != key - 1 && t.upper[size_t(v)] > keyCount)
            return true;
    return false;
}

unsigned flagsOf(const ItemStats& s, const Tally& t, int key) {
    if (s.shown < kEnoughAnswers)
        return FlagFewAnswers;
    unsigned flags = 0;
    if (keyBeaten(t, key))
        flags |= FlagWrongKey;
    if (s.facility <= kChance)
        flags |= FlagTooHard;
    if (s.facility >= kEasy)
        flags |= FlagTooEasy;
    if (!std::isnan(s.discrimination) && s.discrimination < kDiscriminates)
        flags |= FlagNoDiscrimination;
    return flags;
}

ItemStats statsOf(int item, const Tally& t, int key) {
    ItemStats s;
    s.item = item;
    s.shown = t.shown;
    s.facility = t.shown > 0 ? double(t.right) / t.shown : 0.0;
    s.discrimination =
        t.upperShown > 0 && t.lowerShown > 0
            ? double(t.upperRight) / t.upperShown - double(t.lowerRight) / t.lowerShown
            : kNaN;
    s.biserial = pearson(t);
    s.choices = shares(t.choices, t.shown);
    s.upper = shares(t.upper, t.upperShown);
    s.lower = shares(t.lower, t.lowerShown);
    s.flags = flagsOf(s, t, key);
    return s;
}

} // namespace

bool TestFilter::accepts(const AnswerSet& set, const AnswerTest& test) const {
    if (!title.isEmpty() && set.titles()[test.title] != title)
        return false;
    if (from.isValid() && (!test.date.isValid() || test.date < from))
        return false;
    return !to.isValid() || (test.date.isValid() && test.date <= to);
}

std::vector<ItemStats> analyseItems(const AnswerSet& set, const TestFilter& filter) {
    std::vector<bool> counted(set.tests().size());
    for (size_t t = 0; t < counted.size(); ++t)
        counted[t] = filter.accepts(set, set.tests()[t]);
    const std::vector<qint8> groups = groupsOf(set, counted);
    std::vector<Tally> tallies(set.items().size());
    for (const AnswerRow& row : set.rows())
        if (counted[size_t(row.test)])
            addRow(tallies[size_t(row.item)], row, set.tests()[size_t(row.test)],
                   groups[size_t(row.test)]);
    std::vector<int> order(tallies.size());
    std::iota(order.begin(), order.end(), 0);
    const auto& items = set.items();
    std::stable_sort(order.begin(), order.end(), [&items](int a, int b) {
        const AnswerItem& x = items[size_t(a)];
        const AnswerItem& y = items[size_t(b)];
        const int byBank = x.bank.compare(y.bank);
        return byBank != 0 ? byBank < 0 : x.counter < y.counter;
    });
    std::vector<ItemStats> result;
    for (int i : order)
        if (tallies[size_t(i)].shown > 0)
            result.push_back(statsOf(i, tallies[size_t(i)], items[size_t(i)].key));
    return result;
}

QString flagText(unsigned flags) {
    static const std::pair<unsigned, const char*> kTexts[] = {
        {FlagWrongKey, "возможно неверный ключ"},
        {FlagTooHard, "слишком трудный"},
        {FlagTooEasy, "слишком лёгкий"},
        {FlagNoDiscrimination, "не различает"},
        {FlagFewAnswers, "мало данных"}};
    QStringList parts;
    for (const auto& [flag, text] : kTexts)
        if (flags & flag)
            parts.append(QString::fromUtf8(text));
    return parts.join(QStringLiteral("; "));
}

} // namespace kt

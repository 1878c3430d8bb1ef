// SPDX-License-Identifier: GPL-3.0-or-later
// Item statistics on answers files written at test time: a small set worked
// out by hand, the flags, and a simulated class.

#include "teacher/analysis/AnalysisTable.h"
#include "tests/support/Reports.h"
#include "tests/teacher/analysis/AnswersFixture.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <random>

using namespace kt;
using kt::test::answersFileBytes;
using kt::test::FixtureAnswer;
using kt::test::FixtureTest;

namespace {

AnswerSet setOf(const std::vector<FixtureTest>& tests) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Answers-PC1.csv"));
    kt::test::writeFile(path, answersFileBytes(tests));
    AnswerSet set;
    set.addFile(path);
    return set;
}

// The printed row from "Показов" on, keyed by the record's question.
std::map<QString, QStringList> rowsByQuestion(const AnswerSet& set) {
    std::map<QString, QStringList> rows;
    for (const ItemStats& s : analyseItems(set)) {
        const QStringList row = analysisRow(set, s);
        rows[row[2]] = row.mid(3);
    }
    return rows;
}

} // namespace

// Five tests over three records (keys 1, 2, 3); a cell is the variant chosen.
//   test  Q1 Q2 Q3   right  percent
//   t1     1  2  3   3/3    1
//   t2     1  4  3   2/3    0.667
//   t3     1  4  -   1/2    0.5
//   t4     5  0  1   0/3    0
//   t5     0  -  2   0/2    0
// k = round(0.27 × 5) = 1: upper group t1; lower group every test at or
// below the worst, t4 and t5 (tied).
// Q1: 3 of 5 right = 0.6; upper 1/1, lower 0/2: D = 1. Choices A 3, E 1,
//   none 1. Biserial over (x, share of the other questions right):
//   (1,1) (1,.5) (1,0) (0,0) (0,0): n 5, Σx 3, Σy 1.5, Σxy 1.5, Σy² 1.25;
//   r = (5·1.5 − 3·1.5) / √((5·3 − 9)(5·1.25 − 2.25)) = 3/√24 = 0.612.
// Q2: 1 of 4 = 0.25; D = 1 − 0 = 1; B 1, D 2, none 1. Pairs (1,1) (0,1)
//   (0,1) (0,0): r = (4·1 − 1·3) / √((4 − 1)(4·3 − 9)) = 1/3.
// Q3: 2 of 4 = 0.5; D = 1; A 1, B 1, C 2. Pairs (1,1) (1,.5) (0,0) (0,0):
//   r = (4·1.5 − 2·1.5) / √((8 − 4)(4·1.25 − 2.25)) = 3/√11 = 0.905.
// Every record has fewer than 10 answers: only "мало данных".
TEST(ItemAnalysis, MatchesAHandComputedSet) {
    const AnswerSet set = setOf({
        {"t1", {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}},
        {"t2", {{1, 1, 1}, {2, 4, 2}, {3, 3, 3}}},
        {"t3", {{1, 1, 1}, {2, 4, 2}}},
        {"t4", {{1, 5, 1}, {2, 0, 2}, {3, 1, 3}}},
        {"t5", {{1, 0, 1}, {3, 2, 3}}},
    });
    const auto rows = rowsByQuestion(set);
    ASSERT_EQ(rows.size(), 3u);
    const QString few = QStringLiteral("мало данных");
    EXPECT_EQ(rows.at("Вопрос 1"), QStringList({"5", "0.600", "1.000", "0.612", "0.600", "0.000",
                                                "0.000", "0.000", "0.200", "0.200", few}));
    EXPECT_EQ(rows.at("Вопрос 2"), QStringList({"4", "0.250", "1.000", "0.333", "0.000", "0.250",
                                                "0.000", "0.500", "0.000", "0.250", few}));
    EXPECT_EQ(rows.at("Вопрос 3"), QStringList({"4", "0.500", "1.000", "0.905", "0.250", "0.250",
                                                "0.500", "0.000", "0.000", "0.000", few}));
    // The tie at the lower boundary puts t4 and t5 both in: Q1's lower group
    // chose E once and nothing once.
    const ItemStats q1 = analyseItems(set).front();
    EXPECT_DOUBLE_EQ(q1.lower[4], 0.5);
    EXPECT_DOUBLE_EQ(q1.lower[kNoAnswer], 0.5);
    EXPECT_DOUBLE_EQ(q1.upper[0], 1.0);
}

// Ten tests, each right on the easy record and wrong (variant 3) on the hard
// one, so all share one percentage: both groups are every test.
TEST(ItemAnalysis, FlagsAndRewrittenRecords) {
    std::vector<FixtureTest> tests;
    for (int i = 0; i < 10; ++i) {
        FixtureTest t{QString::number(i), {{1, 1, 1}, {2, 3, 2}}};
        // Record 7 was rewritten after the fifth test.
        t.answers.push_back({7, 1, 1, i < 5 ? QStringLiteral("старый") : QStringLiteral("новый")});
        tests.push_back(t);
    }
    tests.back().title = QStringLiteral("История");
    const AnswerSet set = setOf(tests);
    const auto rows = rowsByQuestion(set);
    EXPECT_EQ(rows.at("Вопрос 1").back(), "слишком лёгкий; не различает");
    EXPECT_EQ(rows.at("Вопрос 2").back(), "возможно неверный ключ; слишком трудный; не различает");
    EXPECT_EQ(rows.at("старый").front(), "5");
    EXPECT_EQ(rows.at("новый").front(), "5");
    EXPECT_EQ(rows.at("новый").back(), "мало данных");

    TestFilter history;
    history.title = QStringLiteral("История");
    EXPECT_EQ(analyseItems(set, history).size(), 3u);
    EXPECT_EQ(analyseItems(set, history).front().shown, 1);
    TestFilter later;
    later.from = QDate(2026, 12, 8);
    EXPECT_TRUE(analyseItems(set, later).empty());
}

namespace {

// A class under a one-parameter logistic model: P(right) = 1 / (1 + e^(b − θ)).
// A student who does not know picks one of the other four variants at random.
// Record 13 is keyed wrong: the students who know pick variant 1, the key
// says 2.
struct SimulatedClass {
    static constexpr int kItems = 30, kStudents = 400, kDrawn = 15, kMiskeyed = 13;
    std::vector<FixtureTest> tests;
    std::vector<double> expectedRight = std::vector<double>(kItems);
    std::vector<double> variance = std::vector<double>(kItems);
    std::vector<int> shown = std::vector<int>(kItems);

    SimulatedClass() {
        std::mt19937 random(20261207);
        std::normal_distribution<double> ability(0.0, 1.0);
        std::uniform_real_distribution<double> difficulty(-1.5, 1.5), coin(0.0, 1.0);
        std::vector<double> b(kItems);
        for (double& d : b)
            d = difficulty(random);
        std::vector<int> items(kItems);
        std::iota(items.begin(), items.end(), 0);
        for (int s = 0; s < kStudents; ++s) {
            const double theta = ability(random);
            std::shuffle(items.begin(), items.end(), random);
            FixtureTest test{QString::number(s), {}};
            for (int k = 0; k < kDrawn; ++k)
                test.answers.push_back(answer(items[size_t(k)], theta, b, random, coin));
            tests.push_back(test);
        }
    }

    FixtureAnswer answer(int i, double theta, const std::vector<double>& b, std::mt19937& random,
                         std::uniform_real_distribution<double>& coin) {
        const double p = 1.0 / (1.0 + std::exp(b[size_t(i)] - theta));
        const int truth = 1 + i % 5;
        const int key = i == kMiskeyed ? 1 + truth % 5 : truth;
        int chosen = truth;
        if (coin(random) >= p)
            chosen = 1 + (truth + int(coin(random) * 4)) % 5; // one of the other four
        // Only a right key earns the point: the miskeyed record's chance is a
        // guess of its key.
        const double pRight = i == kMiskeyed ? (1 - p) / 4 : p;
        expectedRight[size_t(i)] += pRight;
        variance[size_t(i)] += pRight * (1 - pRight);
        ++shown[size_t(i)];
        return {i + 1, chosen, key};
    }
};

} // namespace

TEST(ItemAnalysis, FindsTheMiskeyedRecordOfASimulatedClass) {
    const SimulatedClass sim;
    const AnswerSet set = setOf(sim.tests);
    const std::vector<ItemStats> stats = analyseItems(set);
    ASSERT_EQ(int(stats.size()), SimulatedClass::kItems);
    for (const ItemStats& s : stats) {
        const int i = set.items()[size_t(s.item)].counter - 1;
        EXPECT_EQ(bool(s.flags & FlagWrongKey), i == SimulatedClass::kMiskeyed)
            << "record " << i + 1;
        EXPECT_EQ(s.shown, sim.shown[size_t(i)]);
        // Within four standard errors of the simulation's own chance.
        const double expected = sim.expectedRight[size_t(i)] / s.shown;
        const double error = std::sqrt(sim.variance[size_t(i)]) / s.shown;
        EXPECT_NEAR(s.facility, expected, 4 * error) << "record " << i + 1;
        if (i != SimulatedClass::kMiskeyed) {
            EXPECT_GT(s.biserial, 0.0) << "record " << i + 1;
        }
    }
}

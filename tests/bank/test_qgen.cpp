// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/KtError.h"
#include "bank/QGen.h"
#include "tests/support/Banks.h"
#include "tests/support/Fakes.h"
#include "tests/support/MemoryBankSource.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

// Numbered questions on history, each with its right answer.
BankTable historyBank(int n) {
    return makeBank(n, kCyclingRight, QStringLiteral("История"));
}

std::vector<std::uint32_t> someSeeds(int n) {
    std::vector<std::uint32_t> s;
    std::uint32_t x = 12345;
    for (int i = 0; i < n; ++i)
        s.push_back(x = x * 1103515245u + 777u);
    return s;
}

// The draw as the bank's cursor would do it: every draw walks from the first
// record to its offset, and a repeated question text is drawn again.
std::vector<QString> walkDraw(Bank& bank, const QGenRequest& rq, SeedSource& seeds) {
    bank.Open();
    bank.Count();
    std::vector<QString> drawn;
    while (static_cast<int>(drawn.size()) < rq.questionCount) {
        Lcg lcg(seeds.Seed());
        const std::uint32_t r = lcg.Below(static_cast<std::uint32_t>(rq.rangeTo - rq.rangeFrom));
        bank.First();
        bank.MoveBy(static_cast<int>(r) + rq.rangeFrom);
        const QString q = bank.FieldText(FieldQuestion);
        if (std::find(drawn.begin(), drawn.end(), q) == drawn.end())
            drawn.push_back(q);
    }
    bank.Close();
    return drawn;
}

QSet<QString> questionsOf(const TestSet& set) {
    QSet<QString> s;
    for (size_t i = 1; i < set.size(); ++i)
        s.insert(set[i].Question);
    return s;
}

} // namespace

TEST(QGenDraw, SameSeedsGiveTheSameSetAsTheRecordByRecordWalk) {
    for (const QGenRequest rq :
         {QGenRequest{60, 0, 200}, QGenRequest{10, 30, 55}, QGenRequest{5, 190, 260}}) {
        MemoryBankSource source(historyBank(200));
        Bank bank(source);
        ScriptedSeeds walkSeeds(someSeeds(97));
        const std::vector<QString> expected = walkDraw(bank, rq, walkSeeds);

        ScriptedSeeds seeds(someSeeds(97));
        TestSet set;
        QGen(bank, rq, seeds, set);
        ASSERT_EQ(set.size(), static_cast<size_t>(rq.questionCount) + 1);
        for (int i = 1; i <= rq.questionCount; ++i)
            EXPECT_EQ(set[static_cast<size_t>(i)].Question, expected[static_cast<size_t>(i - 1)])
                << "slot " << i;
    }
}

TEST(QGenDraw, FillsItemsFromTheRecordAndLeavesEverySlotPending) {
    MemoryBankSource source(historyBank(10));
    Bank bank(source);
    ScriptedSeeds seeds(someSeeds(13));
    TestSet set(11);
    for (auto& item : set)
        item.State = Wrong;
    const QGenResult res = QGen(bank, {10, 0, 10}, seeds, set);
    EXPECT_EQ(res.bankSize, 10);
    EXPECT_EQ(res.subjectName, QStringLiteral("История"));
    EXPECT_FALSE(bank.IsOpen());
    // A range exactly as wide as the test holds every record of it.
    EXPECT_EQ(questionsOf(set).size(), 10);
    for (size_t i = 1; i < set.size(); ++i) {
        EXPECT_EQ(set[i].State, Pending);
        const int n = set[i].Question.mid(7).toInt();
        EXPECT_EQ(set[i].RightAnswer, n % 5 + 1);
        EXPECT_EQ(set[i].Answers[3], set[i].Question + QStringLiteral(" ответ 3"));
    }
}

TEST(QGenDraw, RepeatedTextsAndEmptyRightAnswersAreNeverDrawn) {
    BankTable t = historyBank(6);
    t.push_back(questionRecord(QStringLiteral("Вопрос 2"))); // the same text again
    t.push_back(questionRecord(QStringLiteral("Без ответа"), QString()));
    MemoryBankSource source(t);
    Bank bank(source);
    for (int round = 0; round < 20; ++round) {
        ScriptedSeeds seeds(someSeeds(31 + round));
        TestSet set;
        QGen(bank, {6, 0, 8}, seeds, set);
        const QSet<QString> q = questionsOf(set);
        EXPECT_EQ(q.size(), 6);
        EXPECT_FALSE(q.contains(QStringLiteral("Без ответа")));
    }
}

TEST(QGenDraw, OffsetsBeyondTheLastRecordReadTheLastRecord) {
    MemoryBankSource source(historyBank(10));
    Bank bank(source);
    ScriptedSeeds seeds(someSeeds(50));
    TestSet set;
    QGen(bank, {2, 8, 40}, seeds, set);
    EXPECT_EQ(questionsOf(set),
              (QSet<QString>{QStringLiteral("Вопрос 9"), QStringLiteral("Вопрос 10")}));
}

TEST(QGenDraw, SingleQuestionDrawStandsAndAStuckClockCannotHang) {
    MemoryBankSource source(historyBank(30));
    Bank bank(source);
    ScriptedSeeds constant({42});
    TestSet set;
    QGen(bank, {1, 0, 30}, constant, set);
    EXPECT_EQ(set.size(), 2u);
    // With one seed forever every slot after the first draws the same record;
    // the draw still completes with distinct questions.
    QGen(bank, {30, 0, 30}, constant, set);
    EXPECT_EQ(questionsOf(set).size(), 30);
}

TEST(QGenFailure, TooFewDistinctQuestionsIsReportedAndLeavesTheSetAlone) {
    BankTable t = historyBank(8);
    t.push_back(questionRecord(QStringLiteral("Вопрос 1")));
    MemoryBankSource source(t);
    Bank bank(source);
    ScriptedSeeds seeds(someSeeds(5));
    TestSet set(3);
    set[1].Question = QStringLiteral("прежний");
    try {
        QGen(bank, {60, 0, 9}, seeds, set);
        FAIL() << "a range of 8 distinct questions cannot give 60";
    } catch (const BankOpenError&) {
        FAIL() << "not an open error";
    } catch (const KtError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("от 1 до 9"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral(": 8,"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral(": 60"))) << e.what();
    }
    EXPECT_EQ(set.size(), 3u);
    EXPECT_EQ(set[1].Question, QStringLiteral("прежний"));
    EXPECT_FALSE(bank.IsOpen());
}

TEST(QGenFailure, EmptyBankCountsZeroAndGivesTheSameMessage) {
    MemoryBankSource source({});
    Bank bank(source);
    ScriptedSeeds seeds({1});
    TestSet set;
    struct Listener : QGenListener {
        int size = -1;
        void BankCounted(int s) override { size = s; }
    } listener;
    EXPECT_THROW(QGen(bank, {60, 0, 0}, seeds, set, &listener), KtError);
    EXPECT_EQ(listener.size, 0);
}

TEST(QGenFailure, BankThatCannotOpenThrowsTheOpenError) {
    MemoryBankSource source(historyBank(100));
    source.setFailure(QStringLiteral("Field 'Метка' not found"));
    Bank bank(source);
    ScriptedSeeds seeds({1});
    TestSet set;
    EXPECT_THROW(QGen(bank, {60, 0, 100}, seeds, set), BankOpenError);
}

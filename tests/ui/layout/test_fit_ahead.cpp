// SPDX-License-Identifier: GPL-3.0-or-later
// The fit measured on a second thread gives what the fit measured in turn
// gives, text by text and in the whole check of a bank.
#include "bank/check/BankCheck.h"
#include "ui/layout/FitAheadCheck.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace kt;

namespace {

// Words of every length, near and past the edges of both boxes, with signs
// the estimates cannot judge and letters outside the code page.
QString text(quint32& seed, int length) {
    static const QString letters =
        QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюяШЩЖМWmil.,;:!?()«»-—&☺");
    QString out;
    while (out.size() < length) {
        seed = seed * 1103515245u + 12345u;
        const int word = 1 + static_cast<int>((seed >> 16) % 14);
        for (int i = 0; i < word; ++i)
            out += letters[static_cast<int>((seed >> (i % 16)) % letters.size())];
        out += u' ';
    }
    return out.trimmed();
}

BankTable bank(int records) {
    quint32 seed = 777;
    BankTable table;
    for (int r = 0; r < records; ++r) {
        BankRecord rec;
        rec.text[FieldQuestion] = text(seed, 30 + r % 190);
        for (int k = FieldAnswer1; k <= FieldAnswer5; ++k)
            rec.text[static_cast<size_t>(k)] =
                (r + k) % 7 == 0 ? QString() : text(seed, 3 + (r * k) % 120);
        rec.text[FieldRightAnswer] = QString::number(1 + r % 4);
        rec.text[FieldCounter] = QString::number(r % 50 == 0 ? 1 : r + 1); // some shared
        rec.text[FieldSubject] = QStringLiteral("История");
        table.push_back(rec);
    }
    return table;
}

TEST(FitAhead, TheThreadAnswersAsTheFitInTurn) {
    const BankTable table = bank(300);
    auto texts = std::make_shared<FitTexts>();
    for (const BankRecord& r : table) {
        texts->questions.push_back(r.text[FieldQuestion]);
        texts->answers.push_back(r.text[FieldAnswer1]);
    }
    QuestionFit fit;
    const FitAnswers inTurn = measureFits(fit, *texts);
    FitThread thread;
    const FitAnswers ahead = thread.measure(texts).get();
    EXPECT_EQ(ahead.questions, inTurn.questions);
    EXPECT_EQ(ahead.answers, inTurn.answers);
    // Both sides of the edges are reached.
    EXPECT_NE(std::count(inTurn.questions.begin(), inTurn.questions.end(), 0), 0);
    EXPECT_NE(std::count(inTurn.questions.begin(), inTurn.questions.end(), 1), 0);
}

TEST(FitAhead, TheCheckReportsWhatTheCheckInTurnReports) {
    const BankTable table = bank(1000);
    QuestionFit fit;
    BankCheckOptions inTurn;
    inTurn.questionFits = [&fit](QStringView t) { return fit.questionFits(t); };
    inTurn.answerFits = [&fit](QStringView t) { return fit.answerFits(t); };
    const BankCheckReport expected = checkBank(table, inTurn);
    ASSERT_GT(expected.problems.size(), 10);
    for (qsizetype batch : {1, 37, 5000}) {
        FitAheadCheck ahead(BankCheckOptions{}, batch);
        for (const BankRecord& r : table) {
            const BankTable one{r};
            ahead.take(TableTexts(one));
        }
        const BankCheckReport got = ahead.finish();
        EXPECT_EQ(formatBankCheck(got), formatBankCheck(expected)) << batch;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

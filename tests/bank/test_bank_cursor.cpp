// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Bank.h"
#include "bank/KtError.h"
#include "tests/support/Banks.h"
#include "tests/support/MemoryBankSource.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

TEST(BankCursor, CountGivesTheLastRecordNumberAndMovesStopAtTheLast) {
    MemoryBankSource source(
        {questionRecord("q1", "1"), questionRecord("q2", "2"), questionRecord("q3", "3")});
    Bank bank(source);
    bank.Open();
    EXPECT_EQ(bank.Count(), 3);
    EXPECT_EQ(bank.FieldText(FieldQuestion), QStringLiteral("q3"));
    bank.First();
    EXPECT_EQ(bank.FieldText(FieldQuestion), QStringLiteral("q1"));
    bank.MoveBy(1);
    EXPECT_EQ(bank.FieldInteger(FieldRightAnswer), 2);
    bank.MoveBy(50);
    EXPECT_EQ(bank.FieldText(FieldQuestion), QStringLiteral("q3"));
    bank.Close();
    EXPECT_FALSE(bank.IsOpen());
    EXPECT_TRUE(bank.records().empty());
}

TEST(BankCursor, EmptyTableCountsZeroAndReadsNothing) {
    MemoryBankSource source({});
    Bank bank(source);
    bank.Open();
    EXPECT_EQ(bank.Count(), 0);
    bank.First();
    bank.MoveBy(3);
    EXPECT_EQ(bank.FieldText(FieldQuestion), QString());
}

TEST(BankCursor, NullFieldReadsEmptyAndFailsAsInteger) {
    MemoryBankSource source({questionRecord("q", "")});
    Bank bank(source);
    bank.Open();
    bank.First();
    EXPECT_EQ(bank.FieldText(FieldRightAnswer), QString());
    try {
        bank.FieldInteger(FieldRightAnswer);
        FAIL() << "a null must not convert";
    } catch (const KtError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Could not convert variant of type (Null) into type (Integer)"));
    }
}

TEST(BankCursor, SourceFailureBecomesAnOpenError) {
    MemoryBankSource source({});
    source.setFailure(QStringLiteral("Field 'Метка' not found"));
    Bank bank(source);
    EXPECT_THROW(bank.Open(), BankOpenError);
    EXPECT_FALSE(bank.IsOpen());
}

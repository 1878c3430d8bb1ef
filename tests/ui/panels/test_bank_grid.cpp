// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Banks.h"
#include "tests/support/Widgets.h"
#include "ui/BankGrid.h"
#include "ui/BankGridModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <gtest/gtest.h>

namespace kt {
namespace {

using test::makeBank;

// The tester runs its checks on a reset before it takes the reset as over,
// and those checks fetch: the first chunk a reset makes room for would look
// like rows inserted inside the reset. It is therefore attached once the
// table is set.
constexpr auto kFatal = QAbstractItemModelTester::FailureReportingMode::Fatal;

SharedBankTable shared(BankTable records) {
    return std::make_shared<const BankTable>(std::move(records));
}

QString cell(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column)).toString();
}

TEST(BankGridModelTest, HandsOutRowsInChunksUntilTheTableEnds) {
    const BankTable bank = makeBank(250);
    BankGridModel model(nullptr, 100);
    model.setTable(shared(bank));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 2);

    const int expected[] = {100, 200, 250};
    for (int rows : expected) {
        ASSERT_TRUE(model.canFetchMore(QModelIndex()));
        model.fetchMore(QModelIndex());
        EXPECT_EQ(model.rowCount(), rows);
    }
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
    model.fetchMore(QModelIndex());
    EXPECT_EQ(model.rowCount(), 250);
}

TEST(BankGridModelTest, ListsCounterThenQuestion) {
    BankTable bank = makeBank(3);
    bank[1].text[FieldCounter] = QStringLiteral("17");
    bank[1].text[FieldQuestion] = QStringLiteral("Сколько будет 2 + 2?");
    bank[2].isNull[FieldQuestion] = true;
    bank[2].text[FieldQuestion] = QStringLiteral("leftover");
    BankGridModel model;
    model.setTable(shared(bank));
    const QAbstractItemModelTester tester(&model, kFatal);
    model.fetchMore(QModelIndex());
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(model, 0, BankGridModel::CounterColumn), QStringLiteral("1"));
    EXPECT_EQ(cell(model, 0, BankGridModel::QuestionColumn), QStringLiteral("Вопрос 1"));
    EXPECT_EQ(cell(model, 1, BankGridModel::CounterColumn), QStringLiteral("17"));
    EXPECT_EQ(cell(model, 1, BankGridModel::QuestionColumn),
              QStringLiteral("Сколько будет 2 + 2?"));
    // A null field shows as an empty cell, whatever text the record carries.
    EXPECT_EQ(cell(model, 2, BankGridModel::QuestionColumn), QString());
    // Rows not yet handed out have no data.
    EXPECT_FALSE(model.data(model.index(3, 0)).isValid());
}

TEST(BankGridModelTest, TitlesAndReadOnlyCells) {
    const BankTable bank = makeBank(1);
    BankGridModel model;
    model.setTable(shared(bank));
    const QAbstractItemModelTester tester(&model, kFatal);
    model.fetchMore(QModelIndex());
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Счетчик"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Вопросы"));
    for (int column = 0; column < 2; ++column) {
        const Qt::ItemFlags flags = model.flags(model.index(0, column));
        EXPECT_FALSE(flags.testFlag(Qt::ItemIsEditable));
        EXPECT_TRUE(flags.testFlag(Qt::ItemIsEnabled));
        EXPECT_FALSE(model.setData(model.index(0, column), QStringLiteral("x")));
    }
    EXPECT_EQ(cell(model, 0, 1), QStringLiteral("Вопрос 1"));
}

TEST(BankGridModelTest, NewTableStartsAgainAndNullEmpties) {
    const BankTable first = makeBank(10);
    const BankTable second = makeBank(5);
    BankGridModel model;
    model.setTable(shared(first));
    model.fetchMore(QModelIndex());
    ASSERT_EQ(model.rowCount(), 10);
    model.setTable(shared(second));
    EXPECT_EQ(model.rowCount(), 0);
    model.fetchMore(QModelIndex());
    EXPECT_EQ(model.rowCount(), 5);
    model.setTable(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
}

TEST(BankGridModelTest, KeepsItsShareWhenTheReaderLetsGo) {
    SharedBankTable bank = shared(makeBank(3));
    BankGridModel model;
    model.setTable(bank);
    const QAbstractItemModelTester tester(&model, kFatal);
    bank.reset();
    model.fetchMore(QModelIndex());
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(model, 2, BankGridModel::QuestionColumn), QStringLiteral("Вопрос 3"));
    EXPECT_EQ(cell(model, 2, BankGridModel::CounterColumn), QStringLiteral("3"));
}

TEST(BankGridTest, ColumnsFontsAndReadOnly) {
    const BankTable bank = makeBank(20);
    BankGrid grid;
    grid.resize(761, 120);
    grid.setBank(shared(bank));
    grid.show();
    QApplication::processEvents();
    EXPECT_EQ(grid.columnWidth(BankGridModel::CounterColumn), 47);
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid.font().pixelSize(), 8);
    EXPECT_EQ(grid.horizontalHeader()->font().pixelSize(), 11);
    EXPECT_FALSE(grid.verticalHeader()->isVisible());
    EXPECT_EQ(grid.model()->rowCount(), 20);
    grid.setBank(nullptr);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.columnWidth(BankGridModel::CounterColumn), 47);
}

TEST(BankGridTest, LargeBankLoadsOnlyWhatIsInView) {
    const BankTable bank = makeBank(100000);
    BankGrid grid;
    grid.resize(761, 120);
    grid.setBank(shared(bank));
    grid.show();
    QApplication::processEvents();
    const int shown = grid.model()->rowCount();
    EXPECT_GE(shown, 1);
    EXPECT_LE(shown, 2 * BankGridModel::kDefaultChunk);
    EXPECT_EQ(cell(*grid.model(), 0, 0), QStringLiteral("1"));
}

} // namespace
} // namespace kt

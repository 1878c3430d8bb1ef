// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's question view on answers files written at test time: the
// table sorts and filters, exports, and a double click opens the record in
// the editor of the teacher's window; a test of the results journal opens
// its questions.

#include "teacher/core/BankFile.h"
#include "teacher/gui/QuestionsPart.h"
#include "teacher/gui/TeacherWindow.h"
#include "teacher/journal/ItemAnalysisPage.h"
#include "teacher/journal/JournalPage.h"
#include "tests/support/Banks.h"
#include "tests/support/Reports.h"
#include "tests/teacher/analysis/AnswersFixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kt;
using kt::test::FixtureTest;

namespace {

// Twelve tests of «География» on records 1…3 and one of «История» on record
// 4. Record 2 is never answered right, record 1 always.
void writeClass(const QString& folder) {
    std::vector<FixtureTest> tests;
    for (int i = 0; i < 12; ++i)
        tests.push_back({QString::number(i), {{1, 1, 1}, {2, 4, 2}, {3, 1 + i % 2, 1}}});
    FixtureTest history{QStringLiteral("h"), {{4, 4, 4}}};
    history.title = QStringLiteral("История");
    tests.push_back(history);
    kt::test::writeFile(QDir(folder).filePath(QStringLiteral("Answers-PC1.csv")),
                        kt::test::answersFileBytes(tests));
}

void load(ItemAnalysisPage& page, const QString& folder) {
    QSignalSpy loaded(&page, &ItemAnalysisPage::loaded);
    page.openFiles({folder});
    ASSERT_TRUE(loaded.wait(10000));
}

QStringList column(const QAbstractItemModel& model, int column) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.index(row, column).data().toString());
    return values;
}

} // namespace

TEST(ItemAnalysisPage, SortsFiltersAndExportsTheTable) {
    QTemporaryDir dir;
    writeClass(dir.path());
    ItemAnalysisPage page;
    constexpr auto fatal = QAbstractItemModelTester::FailureReportingMode::Fatal;
    const QAbstractItemModelTester modelTester(page.proxy()->sourceModel(), fatal);
    const QAbstractItemModelTester proxyTester(page.proxy(), fatal);
    page.show();
    load(page, dir.path());
    QSortFilterProxyModel& table = *page.proxy();
    EXPECT_EQ(column(table, ItemAnalysisModel::Counter), QStringList({"1", "2", "3", "4"}));
    page.table()->sortByColumn(ItemAnalysisModel::Facility, Qt::AscendingOrder);
    EXPECT_EQ(column(table, ItemAnalysisModel::Counter), QStringList({"2", "3", "1", "4"}));
    const QVariantList bar =
        table.index(0, ItemAnalysisModel::Bars).data(ItemAnalysisModel::ChoicesRole).toList();
    ASSERT_EQ(bar.size(), 6);
    EXPECT_DOUBLE_EQ(bar[3].toDouble(), 1.0); // everyone chose D on record 2
    EXPECT_TRUE(
        table.index(0, ItemAnalysisModel::Flags).data().toString().contains("слишком трудный"));

    auto* title = page.findChild<QComboBox*>(QStringLiteral("titleFilter"));
    title->setCurrentText(QStringLiteral("История"));
    EXPECT_EQ(column(table, ItemAnalysisModel::Counter), QStringList({"4"}));

    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_TRUE(page.exportCsv(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count('\n'), 2); // the header and record 4
}

TEST(ItemAnalysisPage, ADoubleClickOpensTheRecordInTheEditor) {
    QApplication::setOrganizationName(QStringLiteral("knowtest-test"));
    QTemporaryDir dir;
    QApplication::setApplicationName(dir.path());
    writeClass(dir.path());
    // The bank lies beside the answers under another case of its name.
    saveBankFile(dir.filePath(QStringLiteral("db1.mdb")), kt::test::makeBank(5));
    TeacherWindow window;
    window.start(QString());
    window.show();
    auto* page = window.findChild<ItemAnalysisPage*>();
    ASSERT_NE(page, nullptr);
    window.parts()->setCurrentWidget(page);
    load(*page, dir.path());
    QTableView* view = page->table();
    const QModelIndex third = view->model()->index(2, ItemAnalysisModel::Question);
    view->scrollTo(third);
    QApplication::processEvents(); // the table's layout after the load
    // The click first: the view takes a double click only on the row it
    // saw pressed.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(third).center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(third).center());
    EXPECT_EQ(window.parts()->currentWidget(), window.questions());
    EXPECT_EQ(QFileInfo(window.questions()->document().path()).fileName(), "db1.mdb");
    EXPECT_EQ(window.questions()->currentRow(), 2); // record 3 is the third row
}

TEST(ItemAnalysisPage, AResultOfTheJournalOpensItsQuestions) {
    QTemporaryDir dir;
    kt::test::BlockFields block{QStringLiteral("Ученик 3")};
    kt::test::writeFile(dir.filePath(QStringLiteral("TestData.dat")),
                        kt::test::reportBytes({block}));
    kt::test::writeFile(dir.filePath(QStringLiteral("Answers.csv")),
                        kt::test::answersFileBytes({{"3", {{5, 2, 2}, {6, 1, 4}, {7, 0, 1}}}}));
    JournalPage journal;
    journal.show();
    QSignalSpy loaded(&journal, &JournalPage::loaded);
    journal.openFiles({dir.filePath(QStringLiteral("TestData.dat"))});
    ASSERT_TRUE(loaded.wait(10000));
    auto* view = journal.findChild<QTableView*>(QStringLiteral("journalTable"));
    const QRect cell = view->visualRect(view->model()->index(0, 0));
    QStringList seen;
    // The dialog is modal: it is read and closed from the event loop it runs.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&seen, &poll] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        poll.stop();
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("answersTable"));
        for (int row = 0; table && row < table->rowCount(); ++row)
            seen.append(table->item(row, 3)->text() + table->item(row, 4)->text());
        dialog->close();
    });
    poll.start(10);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(seen, QStringList({"BB", "AD", "—A"})); // chosen against right
}

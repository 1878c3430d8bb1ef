// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's «Класс» view on a class folder that PCs write into while it
// is open.
#include "report/AnswersWriter.h"
#include "report/ClassFiles.h"
#include "report/ReportFile.h"
#include "report/StatusFile.h"
#include "teacher/journal/ClassPage.h"
#include "tests/support/Reports.h"

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

PcStatus statusOf(const QString& pc, const QString& title, const QString& state, int answered) {
    PcStatus s;
    s.pc = pc;
    s.student = QStringLiteral("Ученик ") + pc;
    s.title = title;
    s.state = state;
    s.answered = answered;
    s.total = 20;
    s.timeLeft = QStringLiteral("0:12:00");
    s.written = QDateTime::currentDateTimeUtc().addSecs(-5);
    return s;
}

QString cell(const QAbstractItemModel& m, int row, int column) {
    return m.index(row, column).data().toString();
}

} // namespace

TEST(ClassPage, ShowsEveryPcAndTheResultsAsTheyArrive) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    QDir().mkpath(classStatusFolder(folder));
    const QString bio = QStringLiteral("Биология, 9Б");
    ASSERT_TRUE(
        writeStatusFile(classStatusPath(folder, "pc1"), statusOf("pc1", bio, "testing", 3)));
    ASSERT_TRUE(writeStatusFile(classStatusPath(folder, "pc2"),
                                statusOf("pc2", QStringLiteral("История, 10А"), "start", 0)));
    appendToReportFile(classReportPath(folder, "pc1"), reportBytes({BlockFields{}}));

    ClassPage page;
    page.openFolder(folder);
    EXPECT_TRUE(page.pollTimer()->isActive());
    EXPECT_EQ(page.pollTimer()->interval(), 2000);
    const ClassStatusModel& s = *page.statusModel();
    ASSERT_EQ(s.rowCount(), 2);
    EXPECT_EQ(cell(s, 0, ClassStatusModel::State), QStringLiteral("идёт тест"));
    EXPECT_EQ(cell(s, 0, ClassStatusModel::Answered), QStringLiteral("3 из 20"));
    const int age = cell(s, 0, ClassStatusModel::Age).section(u' ', 0, 0).toInt();
    EXPECT_TRUE(age >= 5 && age < 60) << age;
    EXPECT_EQ(page.results()->rowCount(), 1);

    // pc2 finishes: a block of its own, and the same block copied into pc1's
    // file by hand is shown once.
    ASSERT_TRUE(writeStatusFile(classStatusPath(folder, "pc2"),
                                statusOf("pc2", QStringLiteral("История, 10А"), "result", 20)));
    BlockFields other;
    other.name = QStringLiteral("Ученик pc2");
    appendToReportFile(classReportPath(folder, "pc2"), reportBytes({other}));
    appendToReportFile(classReportPath(folder, "pc1"), reportBytes({other}));
    // pc1's answers, written after its first block, name that test.
    const BlockFields first;
    writeFile(classAnswersPath(folder, "pc1"),
              answersHeaderLine() + answersRowsBytes({"t1", first.date, first.time, "pc1",
                                                      first.name, bio, "DB1.MDB"},
                                                     {{QStringLiteral("Вопрос"), 1, 1, 1, true}}));
    page.refresh();
    EXPECT_EQ(cell(s, 1, ClassStatusModel::State), QStringLiteral("тест завершён"));
    EXPECT_EQ(page.results()->rowCount(), 2);
    EXPECT_EQ(page.results()->data().repeats(), 1);

    auto* titles = page.findChild<QComboBox*>(QStringLiteral("classTitles"));
    ASSERT_NE(titles, nullptr);
    titles->setCurrentText(bio);
    ASSERT_EQ(s.rowCount(), 1);
    EXPECT_EQ(cell(s, 0, ClassStatusModel::Pc), QStringLiteral("pc1"));
    const JournalProxy& shown = *page.shownResults();
    ASSERT_EQ(shown.rowCount(), 1); // the merged results of that test only
    EXPECT_EQ(cell(shown, 0, JournalModel::Name), first.name);
    EXPECT_EQ(cell(shown, 0, JournalModel::Pc), QStringLiteral("pc1"));
    page.refresh(); // a poll keeps the chosen title
    EXPECT_EQ(s.rowCount(), 1);
    EXPECT_EQ(shown.rowCount(), 1);
}

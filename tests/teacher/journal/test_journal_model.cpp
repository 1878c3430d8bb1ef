// SPDX-License-Identifier: GPL-3.0-or-later
// The journal without widgets: marks and their settings, blocks merged from
// several files, filters, sorting, the summary and the spreadsheet table.

#include "bank/Cp1251.h"
#include "report/AnswersWriter.h"
#include "teacher/journal/JournalModel.h"
#include "tests/support/Reports.h"

#include <QAbstractItemModelTester>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using kt::test::BlockFields;
using kt::test::reportBytes;

namespace {

ParsedReport report(const std::vector<BlockFields>& specs) {
    return parseReport(reportBytes(specs));
}

BlockFields fields(const QString& name, int percent, const QString& date = "07.12.2026") {
    BlockFields s;
    s.name = name;
    s.percent = percent;
    s.date = date;
    return s;
}

JournalFilter filter(const QString& name, QDate from = {}, QDate to = {}, int bankSize = -1,
                     int count = -1) {
    JournalFilter f;
    f.name = name;
    f.from = from;
    f.to = to;
    f.bankSize = bankSize;
    f.count = count;
    return f;
}

AnswersTest answersTest(const QString& student, const QString& time, const QString& title) {
    return {student + time, QStringLiteral("07.12.2026"), time, QStringLiteral("PC1"), student,
            title,          QStringLiteral("DB1.MDB")};
}

} // namespace

TEST(Marks, ThresholdsGiveMarksAndAreKept) {
    const MarkThresholds d;
    const std::vector<std::pair<int, int>> cases = {{100, 5}, {85, 5}, {84, 4}, {70, 4},
                                                    {69, 3},  {50, 3}, {49, 2}, {0, 2}};
    for (auto [percent, mark] : cases)
        EXPECT_EQ(markFor(percent, d), mark) << percent;
    EXPECT_TRUE(isValid(d));
    EXPECT_FALSE(isValid({101, 70, 50}));
    EXPECT_FALSE(isValid({85, 85, 50}));
    EXPECT_FALSE(isValid({85, 40, 50}));
    EXPECT_FALSE(isValid({85, 70, 0}));

    QTemporaryDir dir;
    QSettings settings(dir.filePath("t.ini"), QSettings::IniFormat);
    EXPECT_EQ(loadThresholds(settings), d);
    saveThresholds(settings, {90, 75, 40});
    EXPECT_EQ(loadThresholds(settings), (MarkThresholds{90, 75, 40}));
    settings.setValue("journal/markFour", 95); // edited by hand into disorder
    EXPECT_EQ(loadThresholds(settings), d);
}

TEST(JournalData, SameBlocksFromAnotherFileAreShownOnce) {
    JournalData data;
    const BlockFields a = fields("Аня", 90), b = fields("Боря", 60), c = fields("Вера", 40);
    // The same test twice in one file stays two tests.
    EXPECT_TRUE(data.addReport("pc1.dat", report({a, b, b})));
    EXPECT_EQ(data.rows().size(), 3u);
    // A later copy of the same report adds only its new test.
    EXPECT_TRUE(data.addReport("copy.dat", report({a, b, b, c})));
    EXPECT_EQ(data.rows().size(), 4u);
    EXPECT_EQ(data.repeats(), 3);
    ASSERT_EQ(data.sources(data.rows()[0]).size(), 2u);
    EXPECT_EQ(data.sources(data.rows()[0])[1].file, 1);
    EXPECT_EQ(data.nameOf(data.rows()[3]), QStringLiteral("Вера"));
    EXPECT_EQ(data.rows()[3].first.block, 4);
    // Another PC's file with one of them once.
    EXPECT_TRUE(data.addReport("pc2.dat", report({b})));
    EXPECT_EQ(data.rows().size(), 4u);
    EXPECT_EQ(data.sourceCount(data.rows()[1]), 3);
    EXPECT_EQ(data.sourceCount(data.rows()[2]), 2);
    EXPECT_FALSE(data.addReport("pc1.dat", report({c})));
    EXPECT_EQ(data.files().size(), 3);

    ParsedReport damaged = report({a});
    damaged.damage.push_back({11, 14, QStringLiteral("причина")});
    data.addReport("bad.dat", damaged);
    EXPECT_EQ(data.warnings(), QStringList{damageText("bad.dat", damaged.damage[0])});
}

// A report file cut inside a block, glued to the next one, then a run of
// junk lines: the journal lists every whole block and warns once per run.
TEST(JournalData, ACutFileListsEveryWholeBlockAndOneWarningPerDamagedRun) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    const QByteArray one = reportBytes({fields("Первый", 80)});
    const QByteArray cut = one.left(one.indexOf(encodeCp1251(QStringLiteral("Время"))) + 8);
    kt::test::writeFile(path, one + cut + reportBytes({fields("Второй", 60)}) +
                                  QByteArray(" \r\n").repeated(500) +
                                  reportBytes({fields("Третий", 40)}));
    JournalData data;
    ASSERT_TRUE(data.addReport(path, readReportFile(path)));
    ASSERT_EQ(data.rows().size(), 3u);
    EXPECT_EQ(data.nameOf(data.rows()[1]), QStringLiteral("Второй"));
    EXPECT_EQ(data.nameOf(data.rows()[2]), QStringLiteral("Третий"));
    ASSERT_EQ(data.warnings().size(), 2);
    EXPECT_TRUE(data.warnings()[1].contains(QStringLiteral(":25–524:")))
        << data.warnings()[1].toStdString();
}

TEST(JournalData, FilterByNameDatesAndSizes) {
    BlockFields other = fields("Петров", 70, "10.12.2026");
    other.bankSize = 200;
    other.count = 30;
    JournalData data;
    data.addReport("f", report({fields("Иванов", 80, "01.12.2026"), fields("Иванова", 50), other}));
    const auto shown = [&](const JournalFilter& f) {
        QStringList names;
        for (const JournalRow& r : data.rows())
            if (f.accepts(data, r))
                names << data.nameOf(r).toString();
        return names.join(',');
    };
    EXPECT_EQ(shown(JournalFilter()), "Иванов,Иванова,Петров");
    EXPECT_EQ(shown(filter(QStringLiteral("иван"))), "Иванов,Иванова");
    EXPECT_EQ(shown(filter(QString(), QDate(2026, 12, 7))), "Иванова,Петров");
    EXPECT_EQ(shown(filter(QString(), QDate(2026, 12, 1), QDate(2026, 12, 7))), "Иванов,Иванова");
    EXPECT_EQ(shown(filter(QString(), {}, {}, 200)), "Петров");
    EXPECT_EQ(shown(filter(QString(), {}, {}, -1, 20)), "Иванов,Иванова");
}

TEST(JournalModel, SortsSummarisesAndExportsTheShownRows) {
    JournalModel model;
    JournalProxy proxy(&model);
    constexpr auto fatal = QAbstractItemModelTester::FailureReportingMode::Fatal;
    const QAbstractItemModelTester modelTester(&model, fatal);
    const QAbstractItemModelTester proxyTester(&proxy, fatal);
    BlockFields late = fields("Яна", 100, "07.12.2026");
    late.time = "10:00:00";
    model.addReport("/r/a.dat",
                    report({fields("Оля", 9), late, fields("Дима", 72), fields("=Вредный", 49)}));
    proxy.sort(JournalModel::Percent, Qt::DescendingOrder);
    QStringList order;
    for (int i = 0; i < proxy.rowCount(); ++i)
        order << proxy.index(i, JournalModel::Percent).data().toString();
    EXPECT_EQ(order.join(' '), "100 72 49 9"); // as numbers, not as texts

    MarkSummary s = proxy.summary();
    EXPECT_EQ(s.tests, 4);
    EXPECT_DOUBLE_EQ(s.averagePercent, (9 + 100 + 72 + 49) / 4.0);
    EXPECT_EQ(s.marks, (std::array<int, 4>{2, 0, 1, 1}));

    model.setThresholds({95, 60, 45});
    s = proxy.summary();
    EXPECT_EQ(s.marks, (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_EQ(proxy.index(2, JournalModel::Mark).data().toString(), "3");

    proxy.setFilter(filter(QStringLiteral("а")));
    const QList<QStringList> table = proxy.table();
    ASSERT_EQ(table.size(), 3); // Яна, Дима; header first
    EXPECT_EQ(table[0].join(','),
              "Файл,Блок,Ученик,Процент,Оценка,Дата,Время,Остаток времени,"
              "Вопросов в базе,Вопросов в тесте,От,До,Минут на вопрос,Название,ПК");
    EXPECT_EQ(table[1].join(','),
              "/r/a.dat,2,Яна,100,5,07.12.2026,10:00:00,0:12:41,100,20,1,100,2,,");
    EXPECT_EQ(proxy.index(0, JournalModel::File).data().toString(), "a.dat");
}

// The answers file beside a report names its tests' title and PC; the table,
// its export, the title filter and the printout's heading follow them.
TEST(JournalModel, TitleAndPcComeFromTheAnswersBesideTheReport) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData-PC1.dat"));
    BlockFields ann = fields("Аня", 90), bob = fields("Боря", 60), cut = fields("Вера", 40);
    bob.time = "10:00:00";
    kt::test::writeFile(path, reportBytes({ann, bob, cut}));
    const std::vector<AnswerRow> one{{QStringLiteral("Вопрос"), 7, 1, 1, true}};
    const QString geo = QStringLiteral("География, 9Б"), bio = QStringLiteral("Биология");
    // Two questions of Аня's test: her test is named once. Вера's answers
    // were never written: her row has empty cells.
    kt::test::writeFile(dir.filePath(QStringLiteral("Answers-PC1.csv")),
                        answersHeaderLine() +
                            answersRowsBytes(answersTest("Аня", ann.time, geo), {one[0], one[0]}) +
                            answersRowsBytes(answersTest("Боря", bob.time, bio), one));
    JournalModel model;
    JournalProxy proxy(&model);
    model.addReport(path, readReportFile(path), TestLabels::besideReport(path));
    const auto cells = [&](int column) {
        QStringList out;
        for (int i = 0; i < proxy.rowCount(); ++i)
            out << proxy.index(i, column).data().toString();
        return out.join('|');
    };
    EXPECT_EQ(cells(JournalModel::Title), geo + "|" + bio + "|");
    EXPECT_EQ(cells(JournalModel::Pc), "PC1|PC1|");
    const QList<QStringList> table = proxy.table();
    EXPECT_EQ(table[0].mid(JournalModel::Title), QStringList({"Название", "ПК"}));
    EXPECT_EQ(table[1].mid(JournalModel::Minutes), QStringList({"2", geo, "PC1"}));
    EXPECT_EQ(table[3].mid(JournalModel::Title), QStringList({"", ""}));

    const QStringList files{path};
    EXPECT_TRUE(proxy.shownTitle().isEmpty()); // two titles and none
    EXPECT_EQ(journalPrintTitle(files, proxy.shownTitle()),
              QStringLiteral("Журнал результатов: TestData-PC1.dat"));
    proxy.setFilter(filter(QStringLiteral("аня"))); // her test alone
    EXPECT_EQ(journalPrintTitle(files, proxy.shownTitle()), geo);
    JournalFilter byTitle;
    byTitle.title = bio;
    proxy.setFilter(byTitle);
    EXPECT_EQ(cells(JournalModel::Name), "Боря");
    EXPECT_EQ(proxy.shownTitle(), bio);
}

// Rows keep numbers, not texts: a block whose texts its numbers would not
// give back ("007", "09:05:03") shows them as written, and is another test
// than the block written plainly.
TEST(JournalModel, ValuesShowAsTheBlockWroteThem) {
    BlockFields odd = fields("Оля", 85), plain = odd, early = odd;
    odd.from = "007";
    plain.from = "7";
    early.time = "09:05:03";
    JournalModel model;
    model.addReport("a.dat", report({odd, early}));
    model.addReport("b.dat", report({plain, odd, early}));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data().repeats(), 2);
    EXPECT_EQ(model.exportRow(0).mid(JournalModel::Date, 6),
              QStringList({"07.12.2026", "9:05:03", "0:12:41", "100", "20", "007"}));
    EXPECT_EQ(model.index(1, JournalModel::Time).data().toString(), "09:05:03");
    EXPECT_EQ(model.index(2, JournalModel::From).data().toString(), "7");
    EXPECT_EQ(model.index(0, JournalModel::File).data().toString(), "a.dat (+1)");
}

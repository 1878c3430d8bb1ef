// SPDX-License-Identifier: GPL-3.0-or-later
// One PC of a class: what it writes into the class folder, and what it does
// when the folder is missing or goes away.
#include "bank/Cp1251.h"
#include "csv/CsvTable.h"
#include "report/ReportParser.h"
#include "report/StatusFile.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kt;
using namespace kt::test;

namespace {

class NamedHost : public HostName {
public:
    explicit NamedHost(QString name) : m_name(std::move(name)) {}
    QString Name() override { return m_name; }

private:
    QString m_name;
};

class ThreeQuestions : public TestSettingsSource {
public:
    SettingsFileContent Read() override {
        SettingsFileContent c;
        c.present = true;
        c.count = 3;
        return c;
    }
    QString Name() const override { return QStringLiteral("DB1.ini"); }
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct ClassPc : Harness {
    explicit ClassPc(bool withFolder = true, const QStringList& names = {}, bool listOnly = false,
                     const QString& where = QString())
        : Harness(makeBank(40)), host(QStringLiteral("pc-07.school")) {
        folder = where.isEmpty() ? dir.filePath(QStringLiteral("class")) : where;
        QDir().mkpath(folder);
        settings.present = true;
        settings.folder = withFolder ? folder : QString();
        settings.title = QStringLiteral("Физика, 9Б, контрольная №3");
        settings.bankName = QStringLiteral("DB1.MDB");
        settings.names = names;
        settings.listOnly = listOnly;
        UseClass(settings, host, &three);
    }
    QString inFolder(const QString& name) const { return QDir(folder).filePath(name); }
    std::optional<PcStatus> status() const {
        return parseStatusJson(fileBytes(inFolder(QStringLiteral("status/pc-07_school.json"))));
    }
    // Right, wrong, then the test aborted on its last question.
    void rightWrongAbort(const QString& name) {
        e().StartTest(name);
        answerForward(true);
        answerForward(false);
        e().Abort();
    }

    ClassSettings settings;
    NamedHost host;
    ThreeQuestions three;
    QString folder;
};

QStringList answerLines(const QString& path) {
    return QString::fromUtf8(fileBytes(path)).split(u'\n', Qt::SkipEmptyParts);
}

QStringList cells(const QString& line) {
    const std::vector<CsvRecord> records = parseCsv(line);
    QStringList out;
    for (const CsvCell& c : records.at(0).cells)
        out << c.text;
    return out;
}

} // namespace

TEST(ClassFolder, BlockAnswersAndStatusOfATestGoToThePcsFiles) {
    ClassPc pc;
    ASSERT_TRUE(pc.e().FormCreate());
    EXPECT_TRUE(pc.dialogs.errors.isEmpty()) << pc.dialogs.errors.join(u'\n').toStdString();
    pc.rightWrongAbort(QStringLiteral("Сидорова"));

    EXPECT_EQ(fileBytes(pc.reportPath), QByteArray()); // created, as always, and left empty
    const ParsedReport report =
        readReportFile(pc.inFolder(QStringLiteral("TestData-pc-07_school.dat")));
    ASSERT_EQ(report.entries.size(), 1u);
    EXPECT_EQ(report.entries[0].studentName, QStringLiteral("Сидорова"));
    EXPECT_EQ(report.entries[0].percent, QStringLiteral("33"));

    const QStringList rows = answerLines(pc.inFolder(QStringLiteral("Answers-pc-07_school.csv")));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QStringLiteral("Тест,Дата,Время,ПК,Ученик,Название,База,Номер,Счетчик,"
                                      "Вопрос,Выбран,Верный,Итог"));
    const QStringList first = cells(rows[1]);
    ASSERT_EQ(first.size(), 13);
    EXPECT_EQ(first.mid(0, 8),
              (QStringList{QStringLiteral("pc-07_school-07.12.2026-9:05:03-1"),
                           QStringLiteral("07.12.2026"), QStringLiteral("9:05:03"),
                           QStringLiteral("pc-07_school"), QStringLiteral("Сидорова"),
                           QStringLiteral("Физика, 9Б, контрольная №3"), QStringLiteral("DB1.MDB"),
                           QStringLiteral("1")}));
    EXPECT_EQ(first[9], QStringLiteral("Вопрос ") + first[8]); // the record's own counter
    EXPECT_EQ(first[11].toInt(), fixtureRightAnswer(first[9]));
    EXPECT_EQ(first.mid(10), (QStringList{first[11], first[11], QStringLiteral("верно")}));
    const QStringList second = cells(rows[2]);
    EXPECT_NE(second[10], second[11]);
    EXPECT_EQ(second[12], QStringLiteral("неверно"));
    const QStringList third = cells(rows[3]);
    EXPECT_EQ(third[7], QStringLiteral("3"));
    EXPECT_EQ(third.mid(10),
              (QStringList{QStringLiteral("0"), QString::number(fixtureRightAnswer(third[9])),
                           QStringLiteral("нет ответа")}));

    const std::optional<PcStatus> s = pc.status();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->state, QStringLiteral("result"));
    EXPECT_EQ(s->student, QStringLiteral("Сидорова"));
    EXPECT_EQ(std::make_tuple(s->answered, s->total, s->right, s->wrong),
              std::make_tuple(2, 3, 1, 1));
}

TEST(ClassFolder, StatusFollowsTheScreenTheMovesAndEveryTenSeconds) {
    ClassPc pc;
    ASSERT_TRUE(pc.e().FormCreate());
    ASSERT_TRUE(pc.status());
    EXPECT_EQ(pc.status()->state, QStringLiteral("start"));
    EXPECT_EQ(pc.status()->total, 3); // the settings file's count, not the built-in 60
    pc.e().StartTest(QStringLiteral("Петров"));
    EXPECT_EQ(pc.status()->state, QStringLiteral("testing"));
    EXPECT_EQ(pc.status()->timeLeft, QStringLiteral("00:00:00")); // no tick yet
    pc.answerForward(true);
    EXPECT_EQ(pc.status()->answered, 1);
    pc.ticks(9);
    EXPECT_EQ(pc.status()->timeLeft, QStringLiteral("00:00:00"));
    pc.ticks(1);
    EXPECT_EQ(pc.status()->timeLeft, QStringLiteral("0:05:50"));
    pc.answerForward(false);
    pc.answerForward(false);
    EXPECT_EQ(pc.status()->state, QStringLiteral("result"));
    EXPECT_EQ(pc.status()->wrong, 2);
    pc.e().BackToStart();
    EXPECT_EQ(pc.status()->state, QStringLiteral("start"));
    EXPECT_TRUE(pc.status()->student.isEmpty());
}

TEST(ClassFolder, FilesAreGroupWritableForTheNextStudentAccount) {
    const mode_t old = ::umask(022);
    ClassPc pc;
    ASSERT_TRUE(pc.e().FormCreate());
    pc.rightWrongAbort(QString());
    ::umask(old);
    for (const QString& name :
         {QStringLiteral("TestData-pc-07_school.dat"), QStringLiteral("Answers-pc-07_school.csv"),
          QStringLiteral("status/pc-07_school.json")}) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(pc.inFolder(name)).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0664u) << name.toStdString();
    }
}

TEST(ClassFolder, WithoutAFolderTheAnswersLieBesideTheReport) {
    ClassPc pc(false);
    ASSERT_TRUE(pc.e().FormCreate());
    pc.rightWrongAbort(QStringLiteral("Орлова"));
    EXPECT_EQ(readReportFile(pc.reportPath).entries.size(), 1u);
    EXPECT_EQ(answerLines(pc.dir.filePath(QStringLiteral("Answers.csv"))).size(), 4);
    EXPECT_FALSE(QFileInfo::exists(pc.inFolder(QStringLiteral("status"))));
}

TEST(ClassFolder, AMissingFolderIsToldAtStartupAndNoTestStartsUntilItIsBack) {
    ClassPc pc;
    QDir(pc.folder).removeRecursively();
    ASSERT_TRUE(pc.e().FormCreate());
    ASSERT_EQ(pc.dialogs.errors.size(), 1);
    EXPECT_TRUE(pc.dialogs.errors[0].startsWith(QStringLiteral("Папка класса")))
        << pc.dialogs.errors[0].toStdString();
    pc.e().StartTest(QStringLiteral("Ким"));
    EXPECT_EQ(pc.e().screen(), ScreenState::Start);
    EXPECT_EQ(pc.dialogs.errors.size(), 2);
    QDir().mkpath(pc.folder);
    pc.e().StartTest(QStringLiteral("Ким"));
    EXPECT_EQ(pc.e().screen(), ScreenState::Testing);
}

// The folder goes (the share is unmounted) while a test runs: the block and
// the rows are kept and go in, in order, when it is back.
TEST(ClassFolder, AFolderLostDuringATestLosesNothing) {
    ClassPc pc;
    ASSERT_TRUE(pc.e().FormCreate());
    pc.e().StartTest(QStringLiteral("Первый"));
    const QString away = pc.dir.filePath(QStringLiteral("away"));
    ASSERT_TRUE(QDir().rename(pc.folder, away));
    pc.answerForward(true);
    pc.e().Abort();
    ASSERT_EQ(pc.dialogs.errors.size(), 1);
    EXPECT_TRUE(pc.dialogs.errors[0].contains(QStringLiteral("не потерян")));
    ASSERT_TRUE(QDir().rename(away, pc.folder));
    pc.e().BackToStart();
    pc.rightWrongAbort(QStringLiteral("Второй"));
    const ParsedReport report =
        readReportFile(pc.inFolder(QStringLiteral("TestData-pc-07_school.dat")));
    ASSERT_EQ(report.entries.size(), 2u);
    EXPECT_EQ(report.entries[0].studentName, QStringLiteral("Первый"));
    const QStringList rows = answerLines(pc.inFolder(QStringLiteral("Answers-pc-07_school.csv")));
    ASSERT_EQ(rows.size(), 7); // one header, then both tests whole
    EXPECT_TRUE(rows[1].contains(QStringLiteral(",Первый,")));
    EXPECT_TRUE(rows[4].contains(QStringLiteral(",Второй,")));
}

TEST(ClassList, AListedNameIsKeptWholeAndTypedCaseIsMended) {
    const QString longName = QStringLiteral("Константинопольская Александра");
    ClassPc pc(true, {longName, QStringLiteral("Ли Мин")});
    ASSERT_TRUE(pc.e().FormCreate());
    pc.rightWrongAbort(QStringLiteral("константинопольская  александра"));
    EXPECT_EQ(pc.display.resultName, longName);
    pc.e().BackToStart();
    pc.rightWrongAbort(QStringLiteral("Неизвестный Ученик Класса"));
    EXPECT_EQ(pc.display.resultName, QStringLiteral("Неизвестный Уче")); // unlisted: 15, as always
}

TEST(ClassList, ListOnlyRefusesANameNotOnTheList) {
    ClassPc pc(true, {QStringLiteral("Ли Мин")}, true);
    ASSERT_TRUE(pc.e().FormCreate());
    pc.e().StartTest(QStringLiteral("Чужой"));
    EXPECT_EQ(pc.e().screen(), ScreenState::Start);
    ASSERT_EQ(pc.dialogs.errors.size(), 1);
    EXPECT_TRUE(pc.dialogs.errors[0].contains(QStringLiteral("нет в списке класса")));
    pc.e().StartTest(QStringLiteral("ли мин"));
    EXPECT_EQ(pc.e().screen(), ScreenState::Testing);
}

// The share on a real file system that goes away under a running test:
// unmounted, or turned read-only. The result and its rows are kept, and when
// the program closes with the folder still gone they go to the unsaved-results
// files, block and rows whole.
class ClassShare : public ::testing::TestWithParam<bool> {};

TEST_P(ClassShare, GoingAwayMidTestLosesNothing) {
    const bool unmount = GetParam();
    ScratchMount share(256);
    KT_REQUIRE_MOUNT(share);
    ClassPc pc(true, {}, false, share.filePath(QStringLiteral("9Б")));
    ASSERT_TRUE(pc.e().FormCreate());
    pc.rightWrongAbort(QStringLiteral("До"));
    pc.e().BackToStart();
    pc.e().StartTest(QStringLiteral("Во время"));
    pc.answerForward(true);
    ASSERT_TRUE(unmount ? share.Unmount() : share.RemountReadOnly());
    pc.answerForward(false);
    pc.e().Abort();
    ASSERT_EQ(pc.dialogs.errors.size(), 1);
    EXPECT_TRUE(pc.dialogs.errors[0].contains(QStringLiteral("не потерян")));
    pc.e().FormClose();
    const ParsedReport kept = readReportFile(pc.fallbackPath);
    ASSERT_EQ(kept.entries.size(), 1u);
    EXPECT_EQ(kept.entries[0].studentName, QStringLiteral("Во время"));
    const QStringList rows = answerLines(
        QFileInfo(pc.fallbackPath).dir().filePath(QStringLiteral("Answers-unsaved.csv")));
    ASSERT_EQ(rows.size(), 3); // the rows as they wait; the header is the answers file's
    EXPECT_EQ(cells(rows[0]).mid(4, 1), QStringList{QStringLiteral("Во время")});
    EXPECT_EQ(cells(rows[2]).at(12), QStringLiteral("нет ответа"));
}

INSTANTIATE_TEST_SUITE_P(UnmountedOrReadOnly, ClassShare, ::testing::Bool());

// The teacher's file as Windows Notepad may save it (UTF-16 with its mark),
// paths relative to the bank's folder, a class list in code page 1251.
TEST(ClassSettingsFile, ReadsTheSectionAndTheListBesideTheBank) {
    QTemporaryDir dir;
    const QString bank = dir.filePath(QStringLiteral("banks/DB1.MDB"));
    QDir().mkpath(dir.filePath(QStringLiteral("banks")));
    QFile ini(dir.filePath(QStringLiteral("banks/DB1.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    const QString text = QStringLiteral("[test]\r\ncount=10\r\n[Class]\r\nfolder = ../9Б\r\n"
                                        "title=Биология, 9Б\r\nlist=9Б.txt\r\nlist_only=yes\r\n");
    ini.write(QByteArray("\xFF\xFE") +
              QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    ini.close();
    QFile list(dir.filePath(QStringLiteral("banks/9Б.txt")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(encodeCp1251(QStringLiteral("Ким Лёша\r\n\r\n  Ли   Мин \r\n")));
    list.close();

    const ClassSettings s = readClassSettings(bankSettingsPath(bank), bank);
    EXPECT_TRUE(s.present);
    EXPECT_EQ(s.folder, QDir::cleanPath(dir.filePath(QStringLiteral("9Б"))));
    EXPECT_EQ(s.title, QStringLiteral("Биология, 9Б"));
    EXPECT_EQ(s.bankName, QStringLiteral("DB1.MDB"));
    EXPECT_EQ(s.names, (QStringList{QStringLiteral("Ким Лёша"), QStringLiteral("Ли Мин")}));
    EXPECT_TRUE(s.listOnly);
    EXPECT_TRUE(s.problems.isEmpty());

    const ClassSettings none = readClassSettings(dir.filePath(QStringLiteral("no.ini")), bank);
    EXPECT_FALSE(none.present);
}

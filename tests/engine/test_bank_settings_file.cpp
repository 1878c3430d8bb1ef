// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/KtError.h"
#include "engine/ClassSettings.h"
#include "tests/engine/EngineHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kt;
using namespace kt::test;

namespace {

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A harness whose engine reads the given settings file text at startup.
struct FileHarness {
    explicit FileHarness(BankTable bank, const QByteArray& text = QByteArray())
        : h(std::move(bank)), file(h.dir.filePath(QStringLiteral("DB1.ini"))) {
        if (!text.isNull())
            writeText(h.dir.filePath(QStringLiteral("DB1.ini")), text);
        EngineDeps deps{h.display, h.dialogs, h.source,     h.seeds,
                        h.clock,   h.ticker,  h.reportPath, &file};
        h.engine = std::make_unique<TestEngine>(deps);
    }
    Harness h;
    BankSettingsFile file;
};

} // namespace

TEST(BankSettingsFile, ReadsTheTestSectionOnly) {
    Harness h(makeBank(1));
    const QString path = h.dir.filePath(QStringLiteral("a.ini"));
    writeText(path, "\xEF\xBB\xBF; заметки учителя\r\n[other]\r\ncount=5\r\n[TEST]\r\n"
                    "count = 12\r\nminutes=x\r\nto=40\r\n");
    const SettingsFileContent c = readBankSettingsFile(path);
    EXPECT_TRUE(c.present);
    EXPECT_EQ(c.count, 12);
    EXPECT_FALSE(c.minutes);
    EXPECT_FALSE(c.from);
    EXPECT_EQ(c.to, 40);
    ASSERT_EQ(c.problems.size(), 1);
    EXPECT_TRUE(c.problems[0].contains(QStringLiteral("minutes=x")));
    EXPECT_FALSE(readBankSettingsFile(h.dir.filePath(QStringLiteral("none.ini"))).present);

    writeBankSettingsFile(path, TestSettings{10, 1, 3, 20});
    const SettingsFileContent back = readBankSettingsFile(path);
    EXPECT_EQ(back.count, 10);
    EXPECT_EQ(back.minutes, 1);
    EXPECT_EQ(back.from, 3);
    EXPECT_EQ(back.to, 20);
    EXPECT_EQ(bankSettingsPath(QStringLiteral("/x/y/DB1.MDB")), QStringLiteral("/x/y/DB1.ini"));
}

TEST(BankSettingsFile, AppliesTheSettingsScreenRules) {
    EXPECT_TRUE(testSettingsProblems(TestSettings{10, 1, 1, 20}, 20).isEmpty());
    EXPECT_EQ(testSettingsProblems(TestSettings{10, 1, 6, 20}, 20).size(), 1); // 20 < 6+10+5
    EXPECT_TRUE(testSettingsProblems(TestSettings{10, 1, 5, 20}, 20).isEmpty());
    EXPECT_EQ(testSettingsProblems(TestSettings{61, 4, 0, 21}, 20).size(), 4);

    SettingsFileContent narrow;
    narrow.present = true;
    narrow.count = 10;
    narrow.from = 8;
    QStringList problems;
    TestSettings s = resolveTestSettings(narrow, 20, &problems);
    EXPECT_EQ(s.count, 10); // the whole bank is wide enough for the count
    EXPECT_EQ(s.from, 1);
    EXPECT_EQ(s.to, 20);
    EXPECT_EQ(problems.size(), 1);

    SettingsFileContent big;
    big.present = true;
    big.count = 30;
    big.minutes = 9;
    s = resolveTestSettings(big, 20, &problems);
    EXPECT_EQ(s.count, 60);
    EXPECT_EQ(s.minutes, 2);
    EXPECT_EQ(problems.size(), 2);
}

TEST(BankSettingsFile, StartupTakesTheFileInsteadOfTheBuiltInSettings) {
    FileHarness f(makeBank(20), "[test]\ncount=10\nminutes=1\nfrom=1\nto=20\n");
    ASSERT_TRUE(f.h.e().FormCreate());
    const TestState& s = f.h.e().state();
    EXPECT_TRUE(f.h.dialogs.errors.isEmpty());
    EXPECT_TRUE(s.SetReady);
    EXPECT_EQ(s.QuestionCount, 10);
    EXPECT_EQ(s.MinutesPerQuestion, 1);
    EXPECT_EQ(s.RangeFrom, 0);
    EXPECT_EQ(s.RangeTo, 20);
    const SettingsModel& m = f.h.e().settings();
    EXPECT_EQ(m.count.text(), QStringLiteral("10"));
    EXPECT_EQ(m.time.text(), QStringLiteral("1"));
    EXPECT_EQ(m.to.text(), QStringLiteral("20"));
    EXPECT_EQ(f.h.display.scoreOpen, 10);

    f.h.e().StartTest(QStringLiteral("Ivanov"));
    f.h.e().Abort();
    const QByteArray report = f.h.reportBytes();
    EXPECT_TRUE(report.contains(" --- 10\r\n"));
    EXPECT_TRUE(report.contains(" --- 1  ") && report.contains(" --- 20\r\n"));
}

TEST(BankSettingsFile, BadValuesAreReportedAndTheBuiltInOnesUsed) {
    FileHarness f(makeBank(100), "[test]\ncount=70\nminutes=2\nfrom=50\nto=60\n");
    ASSERT_TRUE(f.h.e().FormCreate());
    ASSERT_EQ(f.h.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.h.dialogs.errors[0].contains(QStringLiteral("DB1.ini")));
    EXPECT_TRUE(f.h.dialogs.errors[0].contains(QStringLiteral("число вопросов 70")));
    const TestState& s = f.h.e().state();
    EXPECT_EQ(s.QuestionCount, 60);
    EXPECT_EQ(s.RangeFrom, 0); // 50..60 is too narrow for 60 questions
    EXPECT_EQ(s.RangeTo, 100);
    EXPECT_TRUE(s.SetReady);
}

TEST(BankSettingsFile, AMissingFileChangesNothing) {
    FileHarness f(makeBank(100));
    Harness plain(makeBank(100));
    ASSERT_TRUE(f.h.e().FormCreate());
    ASSERT_TRUE(plain.e().FormCreate());
    EXPECT_EQ(f.h.display.calls, plain.display.calls);
    EXPECT_TRUE(f.h.dialogs.errors.isEmpty());
}

// What a file that cannot be read whole gives: no values, one reason.
QString onlyProblem(const SettingsFileContent& c) {
    EXPECT_TRUE(c.present);
    EXPECT_FALSE(c.count || c.minutes || c.from || c.to);
    return c.problems.size() == 1 ? c.problems[0] : c.problems.join(QLatin1Char('|'));
}

TEST(BankSettingsFileReading, WhatIsNotAPlainSmallTextIsRefusedAtOnceInRussian) {
    Harness h(makeBank(1));
    const QString pipe = h.dir.filePath(QStringLiteral("pipe.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(onlyProblem(readBankSettingsFile(pipe)).contains(QStringLiteral("канал")));

    const QString folder = h.dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(onlyProblem(readBankSettingsFile(folder)).contains(QStringLiteral("папка")));

    const QString large = h.dir.filePath(QStringLiteral("large.ini"));
    writeText(large, "[test]\ncount=12\n;" + QByteArray(70 * 1024, 'x') + "\n");
    EXPECT_TRUE(onlyProblem(readBankSettingsFile(large)).contains(QStringLiteral("больше")));

    const QString latin = h.dir.filePath(QStringLiteral("cp1251.ini"));
    writeText(latin, "[test]\n; \xC7\xE0\xEC\xE5\xF2\xEA\xE8\ncount=12\n");
    EXPECT_TRUE(onlyProblem(readBankSettingsFile(latin)).contains(QStringLiteral("UTF-8")));
}

TEST(BankSettingsFileReading, Utf16WithAByteOrderMarkIsRead) {
    Harness h(makeBank(1));
    const QString text = QStringLiteral("; Заметки\r\n[test]\r\ncount=12\r\nto=40\r\n");
    const QString path = h.dir.filePath(QStringLiteral("u16.ini"));
    for (const QStringConverter::Encoding e :
         {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encoder(e, QStringConverter::Flag::WriteBom);
        writeText(path, encoder.encode(text));
        const SettingsFileContent c = readBankSettingsFile(path);
        EXPECT_TRUE(c.problems.isEmpty()) << c.problems.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(c.count, 12);
        EXPECT_EQ(c.to, 40);
    }
}

TEST(BankSettingsFileWriting, OnlyTheOwnedLinesChangeAndEverythingElseIsKept) {
    const TestSettings s{10, 1, 3, 20};
    // Unknown keys, other sections, comments and CR LF stay; "to" is added
    // after the section's last setting; a section the file lacks is added.
    EXPECT_EQ(withTestSettings(QStringLiteral("; учитель\r\n[Test]\r\n  COUNT = 5 \r\n"
                                              "note=x\r\nminutes=2\r\nfrom=1\r\n\r\n"
                                              "[class]\r\nfolder=\\\\srv\r\n"),
                               s),
              QStringLiteral("; учитель\r\n[Test]\r\ncount=10\r\nnote=x\r\nminutes=1\r\n"
                             "from=3\r\nto=20\r\n\r\n[class]\r\nfolder=\\\\srv\r\n"));
    EXPECT_EQ(withTestSettings(QStringLiteral("[exam]\nx=1"), s),
              QStringLiteral("[exam]\nx=1\n[test]\ncount=10\nminutes=1\nfrom=3\nto=20\n"));
    EXPECT_EQ(withTestSettings(QStringLiteral("[test]\ncount=5"), s),
              QStringLiteral("[test]\ncount=10\nminutes=1\nfrom=3\nto=20\n"));

    Harness h(makeBank(1));
    const QString path = h.dir.filePath(QStringLiteral("u16.ini"));
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    writeText(path, encoder.encode(QStringLiteral("[test]\r\ncount=5\r\n; «заметка»\r\n")));
    writeBankSettingsFile(path, s);
    QFile back(path);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    QStringEncoder again(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    EXPECT_EQ(back.readAll(), QByteArray(again.encode(QStringLiteral(
                                  "[test]\r\ncount=10\r\nminutes=1\r\nfrom=3\r\nto=20\r\n"
                                  "; «заметка»\r\n"))));

    const QString folder = h.dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_THROW(writeBankSettingsFile(folder, s), KtError);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// The editor's [class]: its four keys rewritten where the section's header
// stood, a key of a later version and the teacher's comments kept in place,
// the other sections untouched; switched off, the section goes whole.
TEST(BankSettingsFileWriting, TheClassSectionsOwnKeysAreRewrittenAndTheRestKept) {
    const QString file = QStringLiteral("[test]\r\ncount=5\r\n[Class]\r\n; 9Б\r\nFolder=/old\r\n"
                                        "pc_prefix=kab12\r\nlist_only=no\r\n[exam]\r\nx=1");
    const SettingsEntries entries{{"folder", "../9Б"}, {"list", "9Б.txt"}, {"list_only", "yes"}};
    EXPECT_EQ(withClassSection(file, entries),
              QStringLiteral("[test]\r\ncount=5\r\n[class]\r\nfolder=../9Б\r\nlist=9Б.txt\r\n"
                             "list_only=yes\r\n; 9Б\r\npc_prefix=kab12\r\n[exam]\r\nx=1"));
    EXPECT_EQ(withClassSection(file, std::nullopt),
              QStringLiteral("[test]\r\ncount=5\r\n; 9Б\r\n[exam]\r\nx=1"));
    EXPECT_EQ(withClassSection(QStringLiteral("[test]\ncount=5"), SettingsEntries{}),
              QStringLiteral("[test]\ncount=5\n[class]\n"));

    // All three sections in one write, each read back by its own reader.
    Harness h(makeBank(1));
    const QString path = h.dir.filePath(QStringLiteral("DB1.ini"));
    writeText(path, file.toUtf8());
    const SettingsEntries exam{{"attempts", "2"}};
    writeBankSettingsFile(path, TestSettings{10, 1, 3, 20}, exam, entries);
    const SettingsFileContent c = readBankSettingsFile(path);
    EXPECT_EQ(c.count, 10);
    EXPECT_EQ(c.exam, exam);
    EXPECT_EQ(c.classroom, (SettingsEntries{{"folder", "../9Б"},
                                            {"list", "9Б.txt"},
                                            {"list_only", "yes"},
                                            {"pc_prefix", "kab12"}}));
    const ClassSettings read = readClassSettings(path, h.dir.filePath(QStringLiteral("DB1.MDB")));
    EXPECT_EQ(read.folder, QDir::cleanPath(h.dir.filePath(QStringLiteral("../9Б"))));
    EXPECT_EQ(read.listPath, h.dir.filePath(QStringLiteral("9Б.txt")));
}

TEST(StartupMend, AFailedDrawStillShowsTheTitleAndTheSettingsFinishStartup) {
    Harness h(makeBank(30));
    ASSERT_TRUE(h.e().FormCreate());
    ASSERT_FALSE(h.e().state().SetReady);
    EXPECT_EQ(h.display.title, QStringLiteral("Физика"));
    ASSERT_TRUE(h.e().OpenSettings(true));
    h.clicks(&TestEngine::CountArrow, -1, 5); // 24 at the first click, then down to 20
    h.display.calls.clear();
    h.e().ApplySettings();
    ASSERT_TRUE(h.e().state().SetReady);
    EXPECT_EQ(h.display.callsNamed(QStringLiteral("ShowTitle")).size(), 1);
    EXPECT_EQ(h.display.callsNamed(QStringLiteral("ShowScore")),
              QStringList({"ShowScore(0,100,0)", "ShowScore(0,20,0)"}));
    EXPECT_EQ(h.display.item.Question, h.e().state().Set[1].Question);
    EXPECT_TRUE(h.display.settingsMenu);
    EXPECT_FALSE(h.display.settingsVisible);
}

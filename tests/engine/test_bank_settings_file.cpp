// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/EngineHarness.h"

#include <QFile>
#include <gtest/gtest.h>

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

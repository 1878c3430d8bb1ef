// SPDX-License-Identifier: GPL-3.0-or-later
// The [exam] section's rules in the engine: the settings' meaning, the
// variants' order, the attempts, the answer chosen at time-out, the review
// and the mark.
#include "engine/ExamAttempts.h"
#include "tests/engine/EngineHarness.h"

#include <QFile>
#include <gtest/gtest.h>
#include <set>

using namespace kt;
using namespace kt::test;

namespace {

// A hash is "hash:" and the password.
class FakePasswords : public PasswordCheck {
public:
    bool Readable(const QString& stored) override { return stored.startsWith("hash:"); }
    bool Matches(const QString& stored, const QString& typed) override {
        return stored == "hash:" + typed;
    }
};

class FixedSettings : public TestSettingsSource {
public:
    SettingsFileContent content;
    SettingsFileContent Read() override { return content; }
    QString Name() const override { return QStringLiteral("DB1.ini"); }
};

ExamSettings resolve(const SettingsEntries& entries, QStringList* problems) {
    FakePasswords check;
    return resolveExamSettings(
        entries, [&check](const QString& s) { return check.Readable(s); }, problems);
}

// The engine of `h` again, now with an [exam] section of these entries.
void withExam(Harness& h, FixedSettings& file, FakePasswords& passwords,
              const SettingsEntries& entries) {
    file.content.present = true;
    file.content.exam = entries;
    h.engine = std::make_unique<TestEngine>(EngineDeps{h.display, h.dialogs, h.source, h.seeds,
                                                       h.clock, h.ticker, h.reportPath, &file,
                                                       nullptr, nullptr, &passwords});
    ReportFileOptions options;
    options.writer = &h.faults;
    h.engine->UseReportOptions(h.fallbackPath, options);
    ASSERT_TRUE(h.e().FormCreate());
}

// The bank variant a shown answer text names: "Вопрос 7 ответ 3" -> 3.
int variantOf(const QString& answer) {
    return answer.right(1).toInt();
}

} // namespace

TEST(ExamSettingsFile, TheSectionIsReadBesideTheTestSection) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB1.ini"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[test]\ncount=10\n[Exam]\n; the teacher's note\nPassword = pbkdf2$1$YQ==$Yg==\n"
            "review=list\n[other]\nattempts=3\n");
    f.close();
    const SettingsFileContent c = readBankSettingsFile(path);
    EXPECT_EQ(c.count, 10);
    ASSERT_TRUE(c.exam.has_value());
    EXPECT_EQ(*c.exam, (SettingsEntries{{"password", "pbkdf2$1$YQ==$Yg=="}, {"review", "list"}}));
    EXPECT_FALSE(readBankSettingsFile(dir.filePath("none.ini")).exam.has_value());
}

TEST(ExamSettingsFile, TheEditorsSectionIsReadBackAsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB1.ini"));
    ExamSettings s;
    s.passwordHash = QStringLiteral("hash:x");
    s.attempts = 2;
    s.review = ExamReview::List;
    s.showMark = true;
    s.marks = {90, 60, 30};
    writeBankSettingsFile(path, TestSettings{10, 1, 1, 20}, examEntries(s));
    const SettingsFileContent c = readBankSettingsFile(path);
    EXPECT_EQ(c.count, 10);
    ASSERT_TRUE(c.exam.has_value());
    QStringList problems;
    const ExamSettings back = resolve(*c.exam, &problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    EXPECT_EQ(back.passwordHash, s.passwordHash);
    EXPECT_EQ(back.attempts, 2);
    EXPECT_EQ(back.review, ExamReview::List);
    EXPECT_EQ(back.marks, s.marks);
    EXPECT_FALSE(back.shuffleAnswers);
    // Saving [test] alone keeps the section; saving it without one takes it
    // out, and the teacher's comment in it stays.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("; экзамен 9 класса\n");
    f.close();
    writeBankSettingsFile(path, TestSettings{12, 1, 1, 20});
    EXPECT_EQ(readBankSettingsFile(path).exam, c.exam);
    writeBankSettingsFile(path, TestSettings{12, 1, 1, 20}, std::nullopt);
    const SettingsFileContent none = readBankSettingsFile(path);
    EXPECT_FALSE(none.exam.has_value());
    EXPECT_EQ(none.count, 12);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains("; экзамен 9 класса"));
}

TEST(ExamSettingsFile, BadValuesAreNamedAndTheSafeChoiceTaken) {
    QStringList problems;
    const ExamSettings s = resolve({{"shuffle_answers", "может быть"},
                                    {"attempts", "0"},
                                    {"fullscreen", "yes"},
                                    {"review", "всё"},
                                    {"show_mark", "yes"},
                                    {"marks", "70,85,50"},
                                    {"pasword", "hash:x"}},
                                   &problems);
    EXPECT_TRUE(s.shuffleAnswers);
    EXPECT_EQ(s.attempts, 1);
    EXPECT_TRUE(s.fullscreen);
    EXPECT_EQ(s.review, ExamReview::None);
    EXPECT_EQ(s.marks, (std::array<int, 3>{85, 70, 50}));
    EXPECT_FALSE(s.locked()); // the misspelt key sets nothing, but is named
    ASSERT_EQ(problems.size(), 5) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems.last().contains("«pasword»"));
}

TEST(ExamSettingsFile, AnUnreadablePasswordKeepsTheLocksShut) {
    for (const QString& value : {QString(), QStringLiteral("секрет")}) {
        QStringList problems;
        const ExamSettings s = resolve({{"password", value}}, &problems);
        EXPECT_TRUE(s.locked());
        EXPECT_TRUE(s.passwordUnreadable);
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].contains("замки экзамена включены"));
    }
    QStringList none;
    EXPECT_FALSE(resolve({{"password", "hash:a"}}, &none).passwordUnreadable);
    EXPECT_TRUE(none.isEmpty());
}

TEST(ExamSettingsFile, MarksFollowTheThresholds) {
    const std::array<int, 3> m{85, 70, 50};
    EXPECT_EQ(examMark(100, m), 5);
    EXPECT_EQ(examMark(85, m), 5);
    EXPECT_EQ(examMark(84, m), 4);
    EXPECT_EQ(examMark(50, m), 3);
    EXPECT_EQ(examMark(49, m), 2);
}

TEST(ExamShuffle, AnOrderIsAPermutationAndTheRightAnswerFollowsItsVariant) {
    SequenceSeeds seeds;
    std::set<VariantOrder> seen;
    for (int i = 0; i < 200; ++i) {
        const VariantOrder order = shuffledOrder(seeds);
        EXPECT_EQ(std::set<int>(order.begin() + 1, order.end()), (std::set<int>{1, 2, 3, 4, 5}));
        seen.insert(order);
        TestItem item;
        for (size_t k = 1; k <= 5; ++k)
            item.Answers[k] = QStringLiteral("ответ %1").arg(k);
        item.RightAnswer = 4;
        applyVariantOrder(item, order);
        EXPECT_EQ(item.Answers[static_cast<size_t>(item.RightAnswer)], "ответ 4");
        EXPECT_EQ(bankVariant(order, item.RightAnswer), 4);
    }
    EXPECT_GT(seen.size(), 60u); // of the 120 orders, not a handful
    TestItem broken;
    broken.RightAnswer = 7;
    applyVariantOrder(broken, shuffledOrder(seeds));
    EXPECT_EQ(broken.RightAnswer, 7); // still judged wrong whatever is chosen
}

TEST(ExamAttemptsCount, NamesAreComparedTrimmedAndWithoutCase) {
    ParsedReport report;
    for (const char* name : {"Иванов", " иванов ", "ИВАНОВ П", "Петров", "иВаНоВ"}) {
        ReportEntry e;
        e.studentName = QString::fromUtf8(name);
        report.entries.push_back(e);
    }
    EXPECT_EQ(countAttempts(report, QStringLiteral("  ИВАНОВ")), 3);
    EXPECT_EQ(countAttempts(report, QStringLiteral("Сидоров")), 0);
}

TEST(ExamEngine, ShuffledVariantsAreJudgedByTheirBankVariant) {
    Harness h(makeBank(100));
    FixedSettings file;
    FakePasswords passwords;
    withExam(h, file, passwords, {{"shuffle_answers", "yes"}});
    int moved = 0;
    h.e().StartTest(QStringLiteral("Иван"));
    for (int i = 0; i < 60; ++i) {
        const TestItem& item = h.e().state().Set[static_cast<size_t>(h.e().state().CurrentIndex)];
        const int right = fixtureRightAnswer(item.Question);
        int place = 1;
        while (variantOf(item.Answers[static_cast<size_t>(place)]) != right)
            ++place;
        moved += place != right;
        EXPECT_EQ(h.e().BankVariantAt(h.e().state().CurrentIndex, place), right);
        const int chosen = i < 45 ? place : place % 5 + 1;
        const auto slot = static_cast<size_t>(h.e().state().CurrentIndex);
        const int variant = variantOf(item.Answers[static_cast<size_t>(chosen)]);
        h.e().SelectAnswer(chosen);
        h.e().MoveForward();
        // The answers file takes the bank's variant, not the place.
        if (i < 59) {
            EXPECT_EQ(h.e().state().Set[slot].Chosen, variant);
        }
    }
    EXPECT_GT(moved, 20);
    EXPECT_EQ(h.display.resultPercent, "75 %");
}

TEST(ExamEngine, ASecondAttemptUnderTheSameNameIsRefused) {
    Harness h(makeBank(100));
    FixedSettings file;
    FakePasswords passwords;
    withExam(h, file, passwords, {{"attempts", "1"}});
    h.e().StartTest(QStringLiteral("Иванов"));
    h.e().Abort();
    h.e().BackToStart();
    h.e().StartTest(QStringLiteral(" иванов "));
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    ASSERT_EQ(h.dialogs.errors.size(), 1);
    EXPECT_TRUE(h.dialogs.errors[0].contains("попыток разрешено — 1"));
    h.e().StartTest(QStringLiteral("Петров"));
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
}

TEST(ExamEngine, AChosenAnswerCountsAtTimeOutOnlyWhenAskedFor) {
    for (const bool counted : {false, true}) {
        Harness h(makeBank(100));
        FixedSettings file;
        FakePasswords passwords;
        withExam(h, file, passwords,
                 {{"count_chosen_at_timeout", counted ? "yes" : "no"}, {"review", "answers"}});
        h.e().StartTest(QString());
        h.choose(true);
        h.ticks(7200);
        EXPECT_EQ(h.display.resultPercent, counted ? "1 %" : "0 %");
        // The review lists every question not answered right.
        EXPECT_EQ(h.e().review().size(), counted ? 59u : 60u);
    }
}

TEST(ExamEngine, TheReviewAndTheMarkDescribeTheFinishedTest) {
    Harness h(makeBank(100));
    FixedSettings file;
    FakePasswords passwords;
    withExam(h, file, passwords,
             {{"review", "answers"}, {"show_mark", "yes"}, {"marks", "80,60,40"}});
    h.e().StartTest(QString());
    for (int i = 0; i < 60; ++i)
        h.answerForward(i % 3 != 0); // 40 right, 20 wrong: 66 %
    EXPECT_EQ(h.e().mark(), 4);
    ASSERT_EQ(h.e().review().size(), 20u);
    for (const ExamReviewEntry& e : h.e().review()) {
        EXPECT_TRUE(e.answered);
        EXPECT_NE(e.chosen, e.right);
        EXPECT_EQ(e.right, fixtureRightAnswer(e.question));
        EXPECT_TRUE(e.chosenText.endsWith(QString::number(e.chosen)));
    }
}

TEST(ExamEngine, ThePasswordOpensOnlyWhenRight) {
    Harness h(makeBank(100));
    EXPECT_TRUE(h.e().TeacherPassword(QString())); // nothing locked without [exam]
    FixedSettings file;
    FakePasswords passwords;
    withExam(h, file, passwords, {{"password", "hash:учитель"}});
    EXPECT_TRUE(h.dialogs.errors.isEmpty());
    EXPECT_TRUE(h.e().exam().locked());
    EXPECT_FALSE(h.e().TeacherPassword(QStringLiteral("ученик")));
    EXPECT_TRUE(h.e().TeacherPassword(QStringLiteral("учитель")));
    Harness broken(makeBank(100));
    FixedSettings brokenFile;
    withExam(broken, brokenFile, passwords, {{"password", "учитель"}});
    ASSERT_EQ(broken.dialogs.errors.size(), 1);
    EXPECT_FALSE(broken.e().TeacherPassword(QStringLiteral("учитель")));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/MemoryBankSource.h"
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kt;
using namespace kt::test;

namespace {

const QByteArray crlf("\r\n");

QByteArray lines(const QStringList& texts) {
    QByteArray out;
    for (const QString& t : texts)
        out += encodeCp1251(t) + crlf;
    return out;
}

QStringList block(const QString& name, const QString& pct, const QString& time, const QString& left,
                  int bank, const QString& count, const QString& from, const QString& to,
                  const QString& minutes) {
    return {QStringLiteral(" "),
            QStringLiteral("Студент --- ") + name,
            QStringLiteral("Ответил правильно на --- ") + pct,
            QStringLiteral("Дата тестирования --- 07.12.2026"),
            QStringLiteral("Время завершения тестирования --- ") + time,
            QStringLiteral("Остаток времени после тестирования --- ") + left,
            QStringLiteral("Всего вопросов в базе - %1").arg(bank),
            QStringLiteral("Колличество вопросов в тесте --- ") + count,
            QStringLiteral("Отбор вопросов из диапазона от --- ") + from +
                QStringLiteral("  до  --- ") + to,
            QStringLiteral("Выделяемое время на один вопрос --- ") + minutes +
                QStringLiteral(" мин")};
}

struct Ready : Harness {
    explicit Ready(int records = 100) : Harness(makeBank(records)) {
        EXPECT_TRUE(e().FormCreate());
    }
};

} // namespace

// Sixty questions of a sixty-record bank: every record is drawn once. The first
// round answers the odd slots and passes the even ones, the second round
// comes back for the even ones; record numbers up to 43 are answered right.
TEST(WholeTest, SixtyQuestionsThroughTheEngine) {
    Ready t(60);
    t.e().StartTest(QStringLiteral("Сидорова"));
    t.ticks(125);
    QStringList counters;
    QSet<int> seen;
    while (t.e().screen() == ScreenState::Testing) {
        const int index = t.e().state().CurrentIndex;
        const bool firstRound = counters.size() < 60; // until the wrap back to slot 2
        const int record = fixtureNumber(t.display.item.Question);
        if (!firstRound || index % 2 == 1) {
            EXPECT_FALSE(seen.contains(record)) << "a judged question came back";
            seen.insert(record);
            t.choose(record <= 43);
        }
        t.display.calls.clear();
        t.e().MoveForward();
        counters << t.display.callsNamed("ShowCounter");
        ASSERT_LT(counters.size(), 200);
    }
    QStringList expected;
    for (int i = 2; i <= 60; ++i)
        expected << QStringLiteral("ShowCounter(%1)").arg(i);
    expected << "ShowCounter(2)";
    for (int i = 4; i <= 60; i += 2)
        expected << QStringLiteral("ShowCounter(%1)").arg(i);
    expected << "ShowCounter(1)"; // the fresh set after completion
    EXPECT_EQ(counters.join(" ").toStdString(), expected.join(" ").toStdString());
    EXPECT_EQ(seen.size(), 60);
    EXPECT_EQ(t.display.resultPercent, "71 %"); // 43 of 60

    const QByteArray expectedBytes = lines(
        block(QStringLiteral("Сидорова"), "71 %", "9:05:03", "1:57:55", 60, "60", "1", "60", "2"));
    EXPECT_EQ(t.reportBytes(), expectedBytes);
    // The code page's own bytes, not another encoding.
    EXPECT_TRUE(t.reportBytes().startsWith(" \r\n\xD1\xF2\xF3\xE4\xE5\xED\xF2 --- "));
}

TEST(WholeTest, FixedSeedsGiveTheSameSetsEveryRun) {
    Ready a(100);
    Ready b(100);
    for (size_t i = 1; i <= 60; ++i)
        EXPECT_EQ(a.e().state().Set[i].Question, b.e().state().Set[i].Question);
}

TEST(Report, TwentyNineOfFiftyIsFiftyEightPercent) {
    Ready t;
    ASSERT_TRUE(t.e().OpenSettings(true));
    t.clicks(&TestEngine::CountArrow, -1, 10);
    t.e().ApplySettings();
    ASSERT_EQ(t.e().state().QuestionCount, 50);
    t.e().StartTest(QStringLiteral("Иван"));
    for (int i = 0; i < 50; ++i)
        t.answerForward(i < 29);
    EXPECT_EQ(t.display.resultPercent, "58 %");
    EXPECT_TRUE(t.reportBytes().contains(
        encodeCp1251(QStringLiteral("Ответил правильно на --- 58 %\r\n"))));
    EXPECT_TRUE(t.reportBytes().contains(
        encodeCp1251(QStringLiteral("Колличество вопросов в тесте --- 50\r\n"))));
}

TEST(Report, AllRightAndNoneRight) {
    Ready t;
    t.e().StartTest(QString());
    for (int i = 0; i < 60; ++i)
        t.answerForward(true);
    EXPECT_EQ(t.display.resultPercent, "100 %");
    t.e().BackToStart();
    t.e().StartTest(QString());
    for (int i = 0; i < 60; ++i)
        t.answerForward(false);
    EXPECT_EQ(t.display.resultPercent, "0 %");
}

TEST(Report, AbortRightAfterStartShowsThePreviousTimeText) {
    Ready t;
    t.clock.time = QTime(14, 7, 9);
    t.e().StartTest(QStringLiteral("Первый"));
    t.ticks(3);
    t.e().Abort();
    t.e().BackToStart();
    t.clock.time = QTime(14, 8, 0);
    t.e().StartTest(QString());
    t.e().Abort();
    const QByteArray expected =
        lines(block(QStringLiteral("Первый"), "0 %", "14:07:09", "1:59:57", 100, "60", "1", "100",
                    "2")) +
        lines(block(QString(), "0 %", "14:08:00", "1:59:57", 100, "60", "1", "100", "2"));
    EXPECT_EQ(t.reportBytes(), expected);
}

TEST(Report, AbortOfANeverTickedFirstTestShowsTheStartupText) {
    Ready t;
    t.e().StartTest(QString());
    t.e().Abort();
    EXPECT_TRUE(t.reportBytes().contains(
        encodeCp1251(QStringLiteral("Остаток времени после тестирования --- 00:00:00\r\n"))));
}

TEST(Report, EmptyNameGivesNothingAfterTheLiteral) {
    Ready t;
    t.e().StartTest(QString());
    t.e().Abort();
    EXPECT_TRUE(
        t.reportBytes().contains(encodeCp1251(QStringLiteral("\r\nСтудент --- \r\nОтветил"))));
}

TEST(Report, ForeignCharactersOfTheNameAreWrittenAsQuestionMarks) {
    Ready t;
    t.e().StartTest(QStringLiteral("Zoë Łukasz Ли"));
    t.e().Abort();
    // Neither ë nor Ł has a byte in the code page; the Cyrillic letters do.
    EXPECT_TRUE(t.reportBytes().contains(QByteArray("Zo? ?ukasz \xCB\xE8\r\n")));
}

TEST(Abort, EnablesTheSettingsAndIsDisabledOnTheResult) {
    Ready t;
    t.e().StartTest(QString());
    EXPECT_TRUE(t.display.abortEnabled);
    t.e().Abort();
    EXPECT_FALSE(t.display.abortEnabled);
    EXPECT_TRUE(t.display.settingsMenu);
    EXPECT_TRUE(t.display.optionsButton);
    const QByteArray once = t.reportBytes();
    t.e().Abort(); // on the result panel: the unstarted next test gets no block
    EXPECT_EQ(t.reportBytes(), once);
}

TEST(Completion, RunsItsStepsInOrder) {
    Ready t;
    t.e().StartTest(QString());
    t.display.calls.clear();
    t.e().Abort();
    const QStringList expected = {
        "ShowResultPercent(0 %)",
        "SetTestElementsVisible(0)",
        "SetResultPanelVisible(1)",
        "SetAbortEnabled(0)",
        "ClearAnswerBackgrounds()",
        "ClearAnswerBorders()",
        "ShowCounter(1)",
        "ShowSettings()",
        "ShowItem(" + t.e().state().Set[1].Question + ")",
        "ShowScore(0,60,0)",
        "SetSettingsMenuEnabled(1)",
        "SetOptionsButtonEnabled(1)",
    };
    EXPECT_EQ(t.display.calls, expected);
    EXPECT_FALSE(t.ticker.active);
}

TEST(ReportFile, TwoTestsAppendTwoBlocksToWhatWasThere) {
    Ready t;
    QFile f(t.reportPath);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("earlier\r\n");
    f.close();
    for (int i = 0; i < 2; ++i) {
        t.e().StartTest(QString());
        t.e().Abort();
        t.e().BackToStart();
    }
    const QByteArray bytes = t.reportBytes();
    EXPECT_TRUE(bytes.startsWith("earlier\r\n \r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 21);
    EXPECT_EQ(bytes.count("\r\n \r\n"), 2);
}

TEST(ReportFile, RemovedBetweenTestsIsCreatedAgain) {
    Ready t;
    t.e().StartTest(QStringLiteral("Первый"));
    t.e().Abort();
    t.e().BackToStart();
    ASSERT_TRUE(QFile::remove(t.reportPath));
    t.e().StartTest(QStringLiteral("Второй"));
    t.e().Abort();
    EXPECT_TRUE(t.dialogs.errors.isEmpty());
    const QByteArray bytes = t.reportBytes();
    EXPECT_EQ(bytes.count("\r\n"), 10);
    EXPECT_TRUE(bytes.contains(encodeCp1251(QStringLiteral("Студент --- Второй\r\n"))));
}

// A folder put where the file was while the test ran cannot be appended to,
// even by root, for whom a read-only mode is no obstacle.
TEST(ReportFile, AFailedWriteIsShownAndTheNextTestIsStillPrepared) {
    Ready t;
    t.e().StartTest(QStringLiteral("Первый"));
    ASSERT_TRUE(QFile::remove(t.reportPath));
    ASSERT_TRUE(QDir().mkdir(t.reportPath));
    t.answerForward(true);
    t.e().Abort();
    ASSERT_EQ(t.dialogs.errors.size(), 1);
    EXPECT_TRUE(t.dialogs.errors[0].contains(QStringLiteral("TestData.dat")));
    EXPECT_TRUE(t.dialogs.errors[0].contains(QStringLiteral("папка, а не файл")));
    EXPECT_TRUE(t.dialogs.errors[0].contains(QStringLiteral("Результат теста не потерян")))
        << t.dialogs.errors[0].toStdString();
    EXPECT_TRUE(t.dialogs.errors[0].endsWith('.'));
    EXPECT_EQ(t.e().screen(), ScreenState::Result);
    EXPECT_TRUE(t.e().state().SetReady);
    EXPECT_EQ(t.e().state().CurrentIndex, 1);
    EXPECT_EQ(t.e().state().RightCount, 0);
    EXPECT_EQ(t.display.scoreOpen, 60);
    // The abort route still runs to its end.
    EXPECT_TRUE(t.display.settingsMenu);
    EXPECT_TRUE(t.display.optionsButton);
    t.e().BackToStart();
    // While the folder is there no test starts; once it is gone the kept
    // block is the first thing in the file.
    t.e().StartTest(QString());
    EXPECT_EQ(t.e().screen(), ScreenState::Start);
    ASSERT_EQ(t.dialogs.errors.size(), 2);
    EXPECT_TRUE(t.dialogs.errors[1].contains(QStringLiteral("Тест не начнется")));
    ASSERT_TRUE(QDir().rmdir(t.reportPath));
    t.e().StartTest(QString());
    EXPECT_EQ(t.e().screen(), ScreenState::Testing);
    EXPECT_EQ(t.reportBytes(), lines(block(QStringLiteral("Первый"), "1 %", "9:05:03", "00:00:00",
                                           100, "60", "1", "100", "2")));
}

TEST(ReportFile, AFailedWriteOnTheMoveRouteStillEndsTheMove) {
    Ready t;
    ASSERT_TRUE(t.e().OpenSettings(true));
    t.clicks(&TestEngine::CountArrow, -1, 59);
    t.e().ApplySettings();
    t.e().StartTest(QString());
    ASSERT_TRUE(QFile::remove(t.reportPath));
    ASSERT_TRUE(QDir().mkdir(t.reportPath));
    t.display.calls.clear();
    t.answerForward(true);
    EXPECT_EQ(t.dialogs.errors.size(), 1);
    EXPECT_EQ(t.display.calls.last(), "ClearAnswerBorders()");
    EXPECT_EQ(t.display.resultPercent, "100 %");
}

TEST(ReportFile, TwoProgramsAppendingToOneFileKeepWholeBlocks) {
    Ready a;
    Harness b(makeBank(100), a.reportPath);
    ASSERT_TRUE(b.e().FormCreate());
    for (int i = 0; i < 5; ++i) {
        Harness& h = i % 2 ? static_cast<Harness&>(b) : static_cast<Harness&>(a);
        h.e().StartTest(i % 2 ? QStringLiteral("Б") : QStringLiteral("А"));
        h.e().Abort();
        h.e().BackToStart();
    }
    const QString text = decodeCp1251(a.reportBytes());
    const QStringList all = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(all.size(), 51); // five blocks and the empty rest after the last CR LF
    for (int blockNo = 0; blockNo < 5; ++blockNo) {
        EXPECT_EQ(all[blockNo * 10], " ");
        EXPECT_EQ(all[blockNo * 10 + 1],
                  QStringLiteral("Студент --- ") + (blockNo % 2 ? "Б" : "А"));
    }
}

TEST(ReportViewer, ReadsTheWholeFileAndCreatesAMissingOne) {
    Ready t;
    ASSERT_TRUE(QFile::remove(t.reportPath));
    EXPECT_EQ(t.e().ReadReport(), QString());
    EXPECT_TRUE(QFile::exists(t.reportPath));
    for (int i = 0; i < 2; ++i) {
        t.e().StartTest(QStringLiteral("Иван"));
        t.e().Abort();
        t.e().BackToStart();
    }
    const QStringList shown = t.e().ReadReport().split('\n');
    ASSERT_EQ(shown.size(), 21);
    EXPECT_EQ(shown[0], " ");
    EXPECT_EQ(shown[10], " ");
    EXPECT_EQ(shown[1], QStringLiteral("Студент --- Иван"));
    EXPECT_TRUE(t.dialogs.errors.isEmpty());
}

TEST(ReportViewer, AnUnreadableFileGivesAnErrorAndAnEmptyText) {
    Ready t;
    ASSERT_TRUE(QFile::remove(t.reportPath));
    ASSERT_TRUE(QDir().mkdir(t.reportPath));
    EXPECT_EQ(t.e().ReadReport(), QString());
    EXPECT_EQ(t.dialogs.errors.size(), 1);
}

TEST(LostBank, CompletionWritesTheBlockThenEnds) {
    Ready t;
    t.e().StartTest(QStringLiteral("Иван"));
    t.source.setFailure(QStringLiteral("Disk error"));
    t.e().Abort();
    EXPECT_EQ(t.reportBytes().count("\r\n"), 10);
    ASSERT_EQ(t.dialogs.connectionErrors.size(), 1);
    EXPECT_EQ(t.dialogs.connectionErrors[0],
              QStringLiteral("Ошибка соединения с базой данных  Disk error"));
    EXPECT_TRUE(t.display.terminated);
    EXPECT_EQ(t.display.calls.last(), "Terminate()");
    const int calls = t.display.calls.size();
    t.e().BackToStart();
    t.e().StartTest(QString());
    EXPECT_EQ(t.display.calls.size(), calls);
}

// The bank is read again for the next test only after the block is in the
// file: a power cut during a long read must not cost the finished result.
TEST(ReportFaults, TheBlockIsInTheFileBeforeTheBankIsReadAgain) {
    struct WatchingSource : MemoryBankSource {
        using MemoryBankSource::MemoryBankSource;
        QString path;
        QList<qint64> sizesAtLoad;
        BankTable Load() override {
            sizesAtLoad << QFileInfo(path).size();
            return MemoryBankSource::Load();
        }
    };
    Harness h(makeBank(100));
    WatchingSource source(makeBank(100));
    source.path = h.reportPath;
    TestEngine engine(
        EngineDeps{h.display, h.dialogs, source, h.seeds, h.clock, h.ticker, h.reportPath});
    ASSERT_TRUE(engine.FormCreate());
    engine.StartTest(QStringLiteral("Иван"));
    engine.Abort();
    ASSERT_FALSE(source.sizesAtLoad.isEmpty());
    EXPECT_EQ(source.sizesAtLoad.last(), h.reportBytes().size());
    EXPECT_GT(h.reportBytes().size(), 0);
}

TEST(ReportFaults, AFullDiskKeepsTheBlockUntilTheNextTest) {
    Ready t;
    t.e().StartTest(QStringLiteral("Первый"));
    t.faults.bytesBeforeFull = 60; // the disk fills in the block's second line
    t.e().Abort();
    ASSERT_EQ(t.dialogs.errors.size(), 1);
    const QString told = t.dialogs.errors[0];
    EXPECT_TRUE(told.contains(QStringLiteral("на диске нет свободного места")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QDir::toNativeSeparators(t.fallbackPath))) << told.toStdString();
    EXPECT_FALSE(told.contains(QStringLiteral("Unknown")));
    EXPECT_EQ(t.reportBytes(), QByteArray()); // no half block
    t.e().BackToStart();
    t.faults.bytesBeforeFull = -1;
    t.e().StartTest(QStringLiteral("Второй"));
    t.e().Abort();
    EXPECT_EQ(t.dialogs.errors.size(), 1);
    EXPECT_EQ(t.reportBytes(), lines(block(QStringLiteral("Первый"), "0 %", "9:05:03", "00:00:00",
                                           100, "60", "1", "100", "2")) +
                                   lines(block(QStringLiteral("Второй"), "0 %", "9:05:03",
                                               "00:00:00", 100, "60", "1", "100", "2")));
    EXPECT_FALSE(QFile::exists(t.fallbackPath));
}

TEST(ReportFaults, AFileThatNeverTakesTheBlockSendsItToTheFallbackFileAtClose) {
    Ready t;
    t.e().StartTest(QStringLiteral("Первый"));
    t.faults.bytesBeforeFull = 0;
    t.e().Abort();
    t.e().FormClose();
    ASSERT_EQ(t.dialogs.errors.size(), 2);
    EXPECT_TRUE(t.dialogs.errors[1].contains(QDir::toNativeSeparators(t.fallbackPath)));
    EXPECT_TRUE(t.dialogs.errors[1].contains(QStringLiteral("сохранены")));
    EXPECT_EQ(t.reportBytes(), QByteArray());
    QFile saved(t.fallbackPath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), lines(block(QStringLiteral("Первый"), "0 %", "9:05:03", "00:00:00",
                                           100, "60", "1", "100", "2")));
}

// When even the fallback file cannot be written, the block is on the screen.
TEST(ReportFaults, WithNoFileLeftTheBlockIsShownToBeCopied) {
    Ready t;
    ASSERT_TRUE(QDir().mkpath(t.fallbackPath)); // a folder where the file should be
    t.e().StartTest(QStringLiteral("Первый"));
    t.faults.bytesBeforeFull = 0;
    t.e().Abort();
    t.e().FormClose();
    ASSERT_EQ(t.dialogs.errors.size(), 2);
    EXPECT_TRUE(t.dialogs.errors[1].contains(QStringLiteral("Студент --- Первый\n")));
}

// A real disk that fills part-way through the block; the block goes in once
// there is room again, at the latest when the program closes.
TEST(ReportFaults, AFillingDiskLeavesWholeBlocksAndTheBlockGoesInAtClose) {
    ScratchMount disk(8);
    KT_REQUIRE_MOUNT(disk);
    const QString path = disk.filePath(QStringLiteral("TestData.dat"));
    const QByteArray earlier = QByteArray("earlier\r\n").repeated(440); // 3960 of 4096 bytes
    QFile report(path);
    ASSERT_TRUE(report.open(QIODevice::WriteOnly) && report.write(earlier) == earlier.size());
    report.close();
    QFile filler(disk.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.write(QByteArray(4096, 'x')) == 4096);
    filler.close();
    Harness t(makeBank(100), path);
    ASSERT_TRUE(t.e().FormCreate());
    t.e().StartTest(QStringLiteral("Первый"));
    t.e().Abort();
    ASSERT_EQ(t.dialogs.errors.size(), 1);
    EXPECT_TRUE(t.dialogs.errors[0].contains(QStringLiteral("нет свободного места")));
    EXPECT_EQ(t.reportBytes(), earlier);
    ASSERT_TRUE(filler.remove());
    t.e().FormClose();
    EXPECT_EQ(t.dialogs.errors.size(), 1);
    EXPECT_EQ(t.reportBytes(), earlier + lines(block(QStringLiteral("Первый"), "0 %", "9:05:03",
                                                     "00:00:00", 100, "60", "1", "100", "2")));
}

// Root writes to a read-only file, so root gets a read-only file system.
TEST(ReportFaults, AReadOnlyFileStopsTheStartBeforeAnyAnswer) {
    const bool root = ::geteuid() == 0;
    ScratchMount disk(64);
    if (root)
        KT_REQUIRE_MOUNT(disk);
    QTemporaryDir dir;
    const QString name = QStringLiteral("TestData.dat");
    const QString path = root ? disk.filePath(name) : dir.filePath(name);
    Harness t(makeBank(100), path);
    ASSERT_TRUE(t.e().FormCreate());
    if (root)
        ASSERT_TRUE(disk.RemountReadOnly());
    else
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    t.e().StartTest(QStringLiteral("Иван"));
    EXPECT_EQ(t.e().screen(), ScreenState::Start);
    EXPECT_FALSE(t.ticker.active);
    EXPECT_TRUE(t.display.startPanel);
    ASSERT_EQ(t.dialogs.errors.size(), 1);
    const QString told = t.dialogs.errors[0];
    EXPECT_TRUE(told.contains(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    EXPECT_TRUE(told.contains(root ? QStringLiteral("только для чтения")
                                   : QStringLiteral("нет прав на запись")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("Тест не начнется")));
}

TEST(ReportFaults, ANamedPipeAtStartupDoesNotHangAndNoTestStarts) {
    Harness t(makeBank(100));
    ASSERT_EQ(::mkfifo(QFile::encodeName(t.reportPath).constData(), 0666), 0);
    EXPECT_TRUE(t.e().FormCreate());
    ASSERT_EQ(t.dialogs.errors.size(), 1);
    EXPECT_TRUE(t.dialogs.errors[0].contains(QStringLiteral("именованный канал")));
    EXPECT_TRUE(t.dialogs.errors[0].endsWith(QStringLiteral("запустите программу заново.")));
    t.e().StartTest(QStringLiteral("Иван"));
    EXPECT_EQ(t.e().screen(), ScreenState::Start);
}

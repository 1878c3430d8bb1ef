// SPDX-License-Identifier: GPL-3.0-or-later
// The client's guard against a reader that misbehaves, its time limit that
// follows progress, and the records it keeps while the file is unchanged:
// stand-in readers are small shell scripts, so these cases run where a POSIX
// shell is.
#include "bank/BankReadError.h"
#include "bank/KtError.h"
#include "bank/LibmdbEnvironment.h"
#include "bank/MdbBankSource.h"
#include "bank/ReadProgress.h"
#include "bank/ReaderProtocol.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kt;

namespace {

class FakeReader : public ::testing::Test {
protected:
    // Writes an executable script whose body is `body`, returning its path.
    QString script(const QString& name, const QByteArray& body) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    // A printf command that writes these bytes.
    static QByteArray printfOf(const QByteArray& bytes) {
        QByteArray cmd = "printf '";
        for (char c : bytes)
            cmd += "\\" + QByteArray::number(static_cast<unsigned char>(c), 8);
        return cmd + "'";
    }
    // Writes bytes to a file in the test's folder, returning its path.
    QString bytesFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // A reader that sends the columns, then one record every `pauseSeconds`
    // for `records` records, then the end.
    QString tricklingReader(int records, const char* pauseSeconds) {
        BankRecord r;
        r.text[FieldQuestion] = QStringLiteral("Вопрос");
        r.text[FieldRightAnswer] = QStringLiteral("1");
        const QString head = bytesFile("head.bin", encodeColumnsFrame(records));
        const QString rec = bytesFile("rec.bin", encodeRecordFrame(r));
        const QString end = bytesFile("end.bin", encodeEndFrame(static_cast<quint32>(records)));
        return script("trickle", "cat '" + head.toUtf8() + "'\nfor i in $(seq " +
                                     QByteArray::number(records) + "); do sleep " + pauseSeconds +
                                     "; cat '" + rec.toUtf8() + "'; done\ncat '" + end.toUtf8() +
                                     "'");
    }
    // A reader named `name` that answers with one record, "Вопрос".
    QString oneQuestionReader(const QString& name) {
        BankRecord r;
        r.text[FieldQuestion] = QStringLiteral("Вопрос");
        const QString answer =
            bytesFile(name + QStringLiteral(".bin"),
                      encodeColumnsFrame(1) + encodeRecordFrame(r) + encodeEndFrame(1));
        return script(name, "cat '" + answer.toUtf8() + "'");
    }
    QString loadError(MdbBankSource& source) {
        try {
            source.Load();
        } catch (const KtError& e) {
            return e.message();
        }
        return QStringLiteral("<no error>");
    }

    QTemporaryDir m_dir;
    const QString m_bank = QStringLiteral("/nowhere/DB1.MDB");
};

} // namespace

TEST_F(FakeReader, AnswerOfTheReaderIsTakenWhole) {
    BankRecord r;
    r.text[FieldQuestion] = QString(300, QChar(u'ё')) + QStringLiteral("€\u263A");
    r.text[FieldRightAnswer] = QStringLiteral("3");
    const QByteArray answer =
        encodeColumnsFrame() + encodeRecordFrame(r) + encodeRecordFrame(r) + encodeEndFrame(2);
    MdbBankSource source(m_bank, script("ok", printfOf(answer)));
    const BankTable raw = source.LoadRaw();
    ASSERT_EQ(raw.size(), 2u);
    EXPECT_EQ(raw[0].text[FieldQuestion], r.text[FieldQuestion]);
    const BankTable cut = source.Load();
    ASSERT_EQ(cut.size(), 2u);
    // Cut at 255 by the code page rules: the cut comes before the foreign characters.
    EXPECT_EQ(cut[1].text[FieldQuestion], QString(255, QChar(u'ё')));
    EXPECT_EQ(cut[1].text[FieldRightAnswer], QStringLiteral("3"));
}

TEST_F(FakeReader, ReaderErrorsBecomeTheirMessages) {
    const ReaderError e{ReaderFailure::FieldMissing, {QStringLiteral("Метка")}};
    MdbBankSource source(m_bank, script("err", printfOf(encodeErrorFrame(e))));
    EXPECT_EQ(loadError(source), QStringLiteral("Field 'Метка' not found"));
    try {
        source.LoadRaw();
        ADD_FAILURE() << "the reader's error was not thrown";
    } catch (const BankReadError& thrown) {
        EXPECT_EQ(thrown.failure(), BankFailure::FieldMissing);
    }
}

TEST_F(FakeReader, CrashHangGarbageAndFloodAllReadAsADamagedFile) {
    const QString damaged = damagedBankMessage(m_bank);
    const QByteArray half = encodeColumnsFrame() + encodeRecordFrame(BankRecord());
    const QList<QPair<const char*, QByteArray>> cases = {
        {"segv", printfOf(half) + "\nkill -SEGV $$"},
        {"exit1", printfOf(encodeColumnsFrame() + encodeEndFrame(0)) + "\nexit 1"},
        {"garbage", "echo 'Unable to read table MSysObjects'"},
        {"cut", printfOf(half)},
        {"hang", printfOf(half) + "\nexec sleep 60"},
        {"flood", "exec cat /dev/zero"},
    };
    for (const auto& c : cases) {
        MdbBankSource source(m_bank, script(c.first, c.second), ReaderLimits{2000, 1 << 20});
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(loadError(source), damaged) << c.first;
        // Well inside the time a stuck reader would have taken.
        EXPECT_LT(clock.elapsed(), 20000) << c.first;
    }
}

TEST_F(FakeReader, ReaderSeesNoneOfLibmdbsVariables) {
    const QByteArray empty = printfOf(encodeColumnsFrame() + encodeEndFrame(0));
    QByteArray names;
    for (const char* name : kLibmdbVariables) {
        names += QByteArray(" ") + name;
        qputenv(name, "1");
    }
    const QString path = script("env", "for v in" + names +
                                           "; do\n"
                                           "  if env | grep -q \"^$v=\"; then exit 1; fi\n"
                                           "done\n" +
                                           empty);
    MdbBankSource source(m_bank, path);
    EXPECT_TRUE(source.Load().empty());
    for (const char* name : kLibmdbVariables)
        qunsetenv(name);
}

TEST_F(FakeReader, MissingReaderIsAClearError) {
    MdbBankSource source(m_bank, m_dir.filePath(QStringLiteral("no-such-reader")));
    const QString message = loadError(source);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Не удаётся запустить программу чтения")))
        << message.toStdString();
}

TEST(ReaderLocation, DefaultReaderLiesNextToTheProgramAndTheBankPathIsBuiltIn) {
    MdbBankSource source(QStringLiteral("x.mdb"));
    EXPECT_TRUE(source.readerPath().endsWith(QStringLiteral("/knowtest-reader")));
    EXPECT_TRUE(QFile::exists(source.readerPath())) << source.readerPath().toStdString();
#ifdef Q_OS_WIN
    EXPECT_EQ(builtInBankPath(), QStringLiteral("C:\\QBANK\\DB1.MDB"));
#endif
    EXPECT_FALSE(builtInBankPath().isEmpty());
}

// The limit follows progress: a reader that keeps sending is never cut off,
// however long it takes in all; one that falls silent is, after the limit.
TEST_F(FakeReader, SlowButSteadyReaderIsNeverCutOffAndASilentOneIs) {
    MdbBankSource steady(m_bank, tricklingReader(12, "0.2"), ReaderLimits{1000});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(steady.Load().size(), 12u);
    EXPECT_GT(clock.elapsed(), 2000); // twice the limit in all, never silent for 1 s

    // Before its first record a reader on a large file only says it is alive.
    const QString alive = bytesFile("alive.bin", encodeAliveFrame());
    const QString empty = bytesFile("empty.bin", encodeColumnsFrame(0) + encodeEndFrame(0));
    MdbBankSource working(m_bank,
                          script("alive", "for i in 1 2 3 4 5 6 7 8; do sleep 0.3; cat '" +
                                              alive.toUtf8() + "'; done\ncat '" + empty.toUtf8() +
                                              "'"),
                          ReaderLimits{1000});
    EXPECT_TRUE(working.Load().empty());

    MdbBankSource stalled(m_bank, tricklingReader(3, "3"), ReaderLimits{1000});
    clock.restart();
    EXPECT_EQ(loadError(stalled), damagedBankMessage(m_bank));
    EXPECT_LT(clock.elapsed(), 2900); // killed in the first silence, not after it
}

// Counts what the progress observer is told.
class CountingProgress : public ReadProgress {
public:
    void ReadStarted() override { ++started; }
    void RecordsRead(qint64 records) override { seen = std::max(seen, records); }
    void ReadFinished() override { ++finished; }
    int started = 0;
    int finished = 0;
    qint64 seen = 0;
};

TEST_F(FakeReader, ProgressIsToldTheRecordsAsTheyArriveAndTheEndOfEveryRead) {
    MdbBankSource source(m_bank, tricklingReader(4, "0.05"));
    CountingProgress progress;
    source.setProgress(&progress);
    EXPECT_EQ(source.LoadRaw().size(), 4u);
    EXPECT_EQ(progress.seen, 4);
    MdbBankSource broken(m_bank, script("fail", "exit 3"));
    broken.setProgress(&progress);
    EXPECT_EQ(loadError(broken), damagedBankMessage(m_bank));
    EXPECT_EQ(progress.started, 2);
    EXPECT_EQ(progress.finished, 2);
}

// The records are kept while the file is the same file with the same size
// and time; any of the three changing makes the next look read it again.
TEST_F(FakeReader, KeptRecordsAreUsedUntilTheFileChangesInSizeTimeOrIdentity) {
    const QString bank = bytesFile("DB1.MDB", "1234");
    MdbBankSource source(bank, oneQuestionReader(QStringLiteral("ok")));
    const auto first = source.LoadCompact();
    EXPECT_EQ(source.LoadCompact(), first);
    EXPECT_EQ(source.Load().size(), 1u);
    EXPECT_EQ(source.launches(), 1);

    QFile f(bank);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("5");
    f.close();
    source.LoadCompact();
    EXPECT_EQ(source.launches(), 2) << "size";

    const QDateTime later = QFileInfo(bank).lastModified().addSecs(5);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(later, QFileDevice::FileModificationTime));
    f.close();
    source.LoadCompact();
    EXPECT_EQ(source.launches(), 3) << "time";

    // Another file of the same size and time put in its place.
    const QString other = bytesFile("other.mdb", "abcde");
    QFile o(other);
    ASSERT_TRUE(o.open(QIODevice::ReadWrite));
    ASSERT_TRUE(o.setFileTime(later, QFileDevice::FileModificationTime));
    o.close();
    ASSERT_TRUE(QFile::remove(bank));
    ASSERT_TRUE(QFile::rename(other, bank));
    source.LoadCompact();
    EXPECT_EQ(source.launches(), 4) << "identity";
    source.LoadCompact();
    EXPECT_EQ(source.launches(), 4);

    // The teacher's tools always read the file as it is now.
    source.LoadRaw();
    EXPECT_EQ(source.launches(), 5);
}

// A reader started before the window is built serves the first read when
// the file is still as it was, and is replaced when it is not.
TEST_F(FakeReader, EarlyReaderServesTheFirstReadOfAnUnchangedFile) {
    const QString bank = bytesFile("DB1.MDB", "1234");
    MdbBankSource source(bank, oneQuestionReader(QStringLiteral("ok")));
    source.StartEarly();
    EXPECT_EQ(source.LoadCompact()->text(0, FieldQuestion), QStringLiteral("Вопрос"));
    EXPECT_EQ(source.launches(), 1);

    MdbBankSource changed(bank, oneQuestionReader(QStringLiteral("ok2")));
    changed.StartEarly();
    QFile f(bank);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("5");
    f.close();
    EXPECT_EQ(changed.LoadCompact()->size(), 1);
    EXPECT_EQ(changed.launches(), 2);

    MdbBankSource missing(bank, m_dir.filePath(QStringLiteral("no-such-reader")));
    missing.StartEarly();
    EXPECT_TRUE(loadError(missing).startsWith(QStringLiteral("Не удаётся запустить")));
}

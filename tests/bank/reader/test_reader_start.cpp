// SPDX-License-Identifier: GPL-3.0-or-later
// A start reads the bank once: the count and the first draw, the settings
// screen and its OK and the next test's draw all use that read while the
// file is unchanged; a changed file is read again. A read that takes longer
// than half a second is shown in a progress window. The reader is a
// stand-in script, and its launches are counted by the bank source.
#include "app/BankReadProgress.h"
#include "app/MainWindow.h"
#include "bank/MdbBankSource.h"
#include "bank/ReaderProtocol.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kt;

namespace {

class NoDialogs : public Dialogs {
public:
    void ShowError(const QString& message) override { errors << message; }
    void ShowConnectionError(const QString& text) override { errors << text; }
    QStringList errors;
};

class FixedClock : public Clock {
public:
    QDate Today() override { return QDate(2026, 12, 8); }
    QTime Now() override { return QTime(10, 0, 0); }
};

class CountingSeeds : public SeedSource {
public:
    std::uint32_t Seed() override { return m_next += 2654435761u; }

private:
    std::uint32_t m_next = 7;
};

QByteArray answerOf(int records) {
    QByteArray out = encodeColumnsFrame(static_cast<quint32>(records));
    for (int i = 1; i <= records; ++i) {
        BankRecord r;
        r.text[FieldQuestion] = QStringLiteral("Вопрос %1").arg(i);
        for (int k = 1; k <= 5; ++k)
            r.text[static_cast<size_t>(k)] = QStringLiteral("Ответ %1").arg(k);
        r.text[FieldRightAnswer] = QStringLiteral("1");
        r.text[FieldMark] = QStringLiteral("0");
        r.text[FieldCounter] = QString::number(i);
        r.text[FieldSubject] = QStringLiteral("Физика");
        out += encodeRecordFrame(r);
    }
    return out + encodeEndFrame(static_cast<quint32>(records));
}

QApplication& application() {
    static int argc = 1;
    static char name[] = "test_reader_start";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

void writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode) {
    QFile f(path);
    ASSERT_TRUE(f.open(mode));
    f.write(bytes);
}

} // namespace

TEST(StartReadsOnce, CountDrawSettingsAndNextTestShareOneReaderLaunch) {
    application();
    QTemporaryDir dir;
    const QString answer = dir.filePath(QStringLiteral("answer.bin"));
    writeFile(answer, answerOf(80), QIODevice::WriteOnly);
    const QString reader = dir.filePath(QStringLiteral("reader"));
    writeFile(reader, "#!/bin/sh\nexec cat '" + answer.toUtf8() + "'\n", QIODevice::WriteOnly);
    QFile::setPermissions(reader, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString bank = dir.filePath(QStringLiteral("DB1.MDB"));
    writeFile(bank, "bank", QIODevice::WriteOnly);

    MdbBankSource source(bank, reader);
    CountingSeeds seeds;
    FixedClock clock;
    NoDialogs dialogs;
    TForm1 window(
        WindowDeps{source, seeds, clock, dialogs, dir.filePath(QStringLiteral("TestData.dat"))});
    ASSERT_TRUE(window.FormCreate());
    EXPECT_EQ(source.launches(), 1);
    EXPECT_EQ(window.engine().state().BankSize, 80);

    ASSERT_TRUE(window.engine().OpenSettings(true));
    window.engine().ApplySettings();
    window.engine().StartTest(QStringLiteral("Иванов"));
    window.engine().Abort(); // the next test's draw
    EXPECT_EQ(source.launches(), 1);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();

    writeFile(bank, "+", QIODevice::Append);
    window.engine().BackToStart();
    ASSERT_TRUE(window.engine().OpenSettings(false));
    EXPECT_EQ(source.launches(), 2);
    window.engine().ApplySettings();
    EXPECT_EQ(source.launches(), 2);
}

// Tells whether the progress window was up, with its count, at each report.
class WatchedProgress : public BankReadProgress {
public:
    using BankReadProgress::BankReadProgress;
    void RecordsRead(qint64 records) override {
        BankReadProgress::RecordsRead(records);
        if (QDialog* w = window(); w && w->isVisible())
            lines << countText();
    }
    QStringList lines;
};

TEST(ReadProgressWindow, ShownAfterHalfASecondWithTheRecordsReadAndGoneAtTheEnd) {
    application();
    QTemporaryDir dir;
    const QString head = dir.filePath(QStringLiteral("head.bin"));
    const QByteArray all = answerOf(3);
    const QByteArray columns = encodeColumnsFrame(3);
    const QByteArray records = all.mid(columns.size(), all.size() - columns.size() - 9);
    writeFile(head, columns + records, QIODevice::WriteOnly);
    const QString end = dir.filePath(QStringLiteral("end.bin"));
    writeFile(end, encodeEndFrame(3), QIODevice::WriteOnly);
    const QString reader = dir.filePath(QStringLiteral("slow"));
    writeFile(reader,
              "#!/bin/sh\ncat '" + head.toUtf8() + "'\nsleep 1\nexec cat '" + end.toUtf8() + "'\n",
              QIODevice::WriteOnly);
    QFile::setPermissions(reader, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    MdbBankSource source(dir.filePath(QStringLiteral("DB1.MDB")), reader);
    WatchedProgress progress;
    source.setProgress(&progress);
    EXPECT_EQ(source.Load().size(), 3u);
    EXPECT_TRUE(progress.shownDuringLastRead());
    ASSERT_FALSE(progress.lines.isEmpty());
    EXPECT_EQ(progress.lines.last(), QStringLiteral("Прочитано записей: 3"));
    EXPECT_EQ(progress.window(), nullptr);

    // A quick read never shows it.
    const QString quick = dir.filePath(QStringLiteral("quick"));
    writeFile(quick, "#!/bin/sh\nexec cat '" + head.toUtf8() + "' '" + end.toUtf8() + "'\n",
              QIODevice::WriteOnly);
    QFile::setPermissions(quick, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    MdbBankSource fast(dir.filePath(QStringLiteral("DB2.MDB")), quick);
    fast.setProgress(&progress);
    EXPECT_EQ(fast.Load().size(), 3u);
    EXPECT_FALSE(progress.shownDuringLastRead());
}

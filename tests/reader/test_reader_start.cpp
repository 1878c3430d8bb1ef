// A start reads the bank once: the count and the first draw, the settings
// screen and its OK and the next test's draw all use that read while the
// file is unchanged; a changed file is read again. The reader is a stand-in
// script, and its launches are counted by the bank source.
#include "MainWindow.h"
#include "MdbBankSource.h"
#include "ReaderProtocol.h"

#include <QApplication>
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

void writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode) {
    QFile f(path);
    ASSERT_TRUE(f.open(mode));
    f.write(bytes);
}

} // namespace

TEST(StartReadsOnce, CountDrawSettingsAndNextTestShareOneReaderLaunch) {
    int argc = 1;
    char name[] = "test_reader_start";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
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

// SPDX-License-Identifier: GPL-3.0-or-later
// qbank import onto a bank that is already there, and on files no
// spreadsheet makes: a line of separators, a field megabytes long. The
// teacher's bank survives all of them, and memory stays within a limit the
// child process is held to.

#include "bank/BankRecord.h"
#include "bank/MdbBankSource.h"
#include "tests/support/JetTestSupport.h"
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

const QByteArray kHeader = "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет\n";

// Far above what a streamed import needs, far below what holding a hostile
// file's cells takes.
constexpr int kMemoryLimitKb = 250000;

ProcessResult runQbankWithin(int limitKb, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            QStringList{"-c", QStringLiteral("ulimit -v %1 && exec \"$0\" \"$@\"").arg(limitKb),
                        QStringLiteral(KT_QBANK)} +
                args);
    ProcessResult r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

class QbankImportSafety : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString questions(const QString& name, const QByteArray& question) {
        return write(name, kHeader + question + ",да,нет,3,4,5,1,0,Физика\n");
    }
    // The bank a teacher already has, made once.
    QString existingBank() {
        const QString bank = m_dir.filePath(QStringLiteral("DB1.MDB"));
        const ProcessResult r = runQbank({"import", questions("old.csv", "Старый вопрос"), bank});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        m_before = readBytes(bank);
        return bank;
    }
    QString backup() const { return m_dir.filePath(QStringLiteral("DB1.bak.MDB")); }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
    QByteArray m_before;
};

TEST_F(QbankImportSafety, AnExistingBankIsReplacedOnlyWithReplaceAndKeptAsBackup) {
    const QString bank = existingBank();
    const QString csv = questions("new.csv", "Новый вопрос");
    const ProcessResult refused = runQbank({"import", csv, bank});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--replace"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("DB1.bak.MDB"))) << refused.err.toStdString();
    EXPECT_EQ(readBytes(bank), m_before);
    EXPECT_FALSE(QFile::exists(backup()));

    const ProcessResult replaced = runQbank({"import", "--replace", csv, bank});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(MdbBankSource(bank).LoadRaw().at(0).text[FieldQuestion],
              QStringLiteral("Новый вопрос"));
    EXPECT_EQ(readBytes(backup()), m_before);
}

TEST_F(QbankImportSafety, AFaultyFileWithReplaceLeavesBankAndBackupAlone) {
    const QString bank = existingBank();
    const QString old = write(QStringLiteral("DB1.bak.MDB"), "an older backup");
    const QString csv = write("bad.csv", kHeader + "Вопрос,1,2,3,4,5,7,0,Ф\n");
    const ProcessResult r = runQbank({"import", "--replace", csv, bank});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(readBytes(bank), m_before);
    EXPECT_EQ(readBytes(old), QByteArray("an older backup"));
}

// The previous backup goes only when a complete new one takes its place: on
// a disk with room for the new bank but not for the copy, both stay.
TEST(QbankImportBackup, AFullDiskKeepsTheOldBackupAndTheBankAndSaysWhy) {
    ScratchMount disk(256);
    KT_REQUIRE_MOUNT(disk);
    const QString bank = disk.filePath(QStringLiteral("DB1.MDB"));
    const QString backup = disk.filePath(QStringLiteral("DB1.bak.MDB"));
    QTemporaryDir csvDir;
    const QString csv = csvDir.filePath(QStringLiteral("new.csv"));
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::WriteOnly));
    csvFile.write(kHeader + "Новый вопрос,да,нет,3,4,5,1,0,Физика\n");
    csvFile.close();
    ASSERT_EQ(runQbank({"import", csv, bank}).exitCode, 0);
    QFile old(backup);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older backup");
    old.close();
    const QByteArray before = readBytes(bank);
    QFile filler(disk.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const qint64 room = QStorageInfo(QFileInfo(bank).absolutePath()).bytesAvailable();
    // Room for the new bank, not for a copy of the old one beside it.
    const qint64 keep = before.size() + before.size() / 4;
    ASSERT_GT(room, keep);
    filler.write(QByteArray(static_cast<int>(room - keep), 'x'));
    filler.close();

    const ProcessResult r = runQbank({"import", "--replace", csv, bank});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("нет свободного места"))) << r.err.toStdString();
    EXPECT_EQ(readBytes(backup), QByteArray("an older backup"));
    EXPECT_EQ(readBytes(bank), before);
}

// The writer's own failure on a full disk is told with the reasons table's
// words, not the system's English ones.
TEST(QbankImportBackup, ANewBankOnAFullDiskSaysWhyInRussian) {
    ScratchMount disk(128);
    KT_REQUIRE_MOUNT(disk);
    QTemporaryDir csvDir;
    const QString csv = csvDir.filePath(QStringLiteral("big.csv"));
    QByteArray rows = kHeader;
    for (int i = 0; i < 3000; ++i)
        rows += QStringLiteral("Вопрос номер %1 о физике,да,нет,3,4,5,1,0,Физика\n").arg(i).toUtf8();
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::WriteOnly));
    csvFile.write(rows);
    csvFile.close();

    const ProcessResult r = runQbank({"import", csv, disk.filePath(QStringLiteral("DB1.MDB"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("нет свободного места"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("No space"))) << r.err.toStdString();
}

TEST_F(QbankImportSafety, HostileLinesAreRefusedByTheirLimitWithinBoundedMemory) {
    const QString bank = existingBank();
    const QStringList before = files();
    struct Case {
        QString name;
        QByteArray csv;
        QString limit; // the message names the limit the file went beyond
    };
    const std::vector<Case> cases = {
        {"commas.csv", kHeader + "В,1,2,3,4,5,1,0,Ф\n" + QByteArray(5000000, ','),
         QStringLiteral("больше 1\u00A0000 полей")},
        {"field.csv", kHeader + QByteArray(30000000, 'x') + ",1,2,3,4,5,1,0,Ф\n",
         QStringLiteral("поле длиннее 100\u00A0000 символов")},
        {"record.csv", kHeader + "В," + (QByteArray(90000, 'y') + ",").repeated(100) + "\n",
         QStringLiteral("запись длиннее 1\u00A0000\u00A0000 символов")}};
    for (const Case& c : cases) {
        const QString csv = write(c.name, c.csv);
        const ProcessResult r = runQbankWithin(kMemoryLimitKb, {"import", "--replace", csv, bank});
        EXPECT_EQ(r.exitCode, 1) << c.name.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.limit)) << c.name.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("Строка "))) << r.err.toStdString();
        EXPECT_EQ(readBytes(bank), m_before) << c.name.toStdString();
        QFile::remove(csv);
    }
    EXPECT_EQ(files(), before); // no backup, no temporary file left behind
}

TEST_F(QbankImportSafety, AFileOfRealSizeImportsWithinTheSameLimit) {
    const QString bank = existingBank();
    QByteArray csv = kHeader;
    for (int i = 0; i < 20000; ++i)
        csv += "Вопрос " + QByteArray::number(i) + ",да,нет,3,4,5,1,0,Физика\n";
    const ProcessResult r =
        runQbankWithin(kMemoryLimitKb, {"import", "--replace", write("many.csv", csv), bank});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(MdbBankSource(bank).LoadRaw().size(), 20000u);
}

} // namespace

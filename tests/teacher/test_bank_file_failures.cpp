// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a bank where the disk is full, read-only or not the teacher's: the
// old file and its old backup survive, and the message names the reason.
#include "bank/BankPath.h"
#include "bank/KtError.h"
#include "teacher/core/BankFile.h"
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kt;
using kt::test::ScratchMount;

namespace {

BankTable bankOf(int questions, const QString& tag) {
    BankTable bank;
    for (int i = 1; i <= questions; ++i) {
        BankRecord r;
        r.text[FieldQuestion] =
            QStringLiteral("%1: вопрос номер %2 о том, что было").arg(tag).arg(i);
        for (int k = 1; k <= 5; ++k)
            r.text[static_cast<size_t>(k)] = QStringLiteral("вариант %1 вопроса %2").arg(k).arg(i);
        r.text[FieldRightAnswer] = QString::number(i % 5 + 1);
        r.text[FieldMark] = QStringLiteral("0");
        r.text[FieldCounter] = QString::number(i);
        r.text[FieldSubject] = QStringLiteral("История");
        bank.push_back(r);
    }
    return bank;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Takes all but `keep` bytes of the disk's free room.
void fillDisk(const QString& folder, qint64 keep) {
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const qint64 room = QStorageInfo(folder).bytesAvailable();
    ASSERT_GT(room, keep);
    const QByteArray chunk(4096, 'x');
    for (qint64 left = room - keep; left > 0; left -= chunk.size())
        if (filler.write(chunk.left(static_cast<int>(std::min<qint64>(left, chunk.size())))) < 0)
            break;
    filler.close();
}

QString failureOf(const QString& path, const BankTable& bank) {
    try {
        saveBankFile(path, bank);
    } catch (const KtError& e) {
        return e.message();
    }
    return QString();
}

// A bank saved twice, so that its folder holds the bank and a backup.
struct SavedTwice {
    explicit SavedTwice(const QString& bankPath) : path(bankPath) {
        saveBankFile(path, bankOf(120, QStringLiteral("первая")));
        saveBankFile(path, bankOf(120, QStringLiteral("вторая")));
        bank = contents(path);
        backup = contents(backupPathOf(path));
    }
    QString path;
    QByteArray bank;
    QByteArray backup;
};

// Root may write anywhere: while this lives, a root test runs as nobody.
class NotRoot {
public:
    NotRoot() : m_wasRoot(::geteuid() == 0) {
        if (m_wasRoot && ::seteuid(65534) != 0)
            ADD_FAILURE() << "could not become nobody";
    }
    ~NotRoot() {
        if (m_wasRoot && ::seteuid(0) != 0)
            ADD_FAILURE() << "could not become root again";
    }
    NotRoot(const NotRoot&) = delete;
    NotRoot& operator=(const NotRoot&) = delete;

private:
    bool m_wasRoot;
};

} // namespace

TEST(BankFileFailure, AFullDiskKeepsTheOldBackupAndTheBankAndSaysWhy) {
    ScratchMount disk(256);
    KT_REQUIRE_MOUNT(disk);
    const SavedTwice saved(disk.filePath(QStringLiteral("DB1.MDB")));
    ASSERT_FALSE(saved.backup.isEmpty());
    fillDisk(QFileInfo(saved.path).absolutePath(), saved.bank.size() / 2);

    const QString message = failureOf(saved.path, bankOf(120, QStringLiteral("третья")));
    EXPECT_TRUE(message.contains(QStringLiteral("нет свободного места"))) << message.toStdString();
    EXPECT_TRUE(contents(backupPathOf(saved.path)) == saved.backup) << "the old backup is lost";
    EXPECT_TRUE(contents(saved.path) == saved.bank) << "the bank is changed";
    // No half-written copy is left behind to fill the disk further.
    EXPECT_EQ(QDir(QFileInfo(saved.path).absolutePath()).entryList(QDir::Files).size(), 3);
}

TEST(BankFileFailure, ANewBankOnAFullDiskNamesTheReason) {
    ScratchMount disk(128);
    KT_REQUIRE_MOUNT(disk);
    fillDisk(disk.filePath(QString()), 4096);
    const QString path = disk.filePath(QStringLiteral("new.mdb"));
    const QString message = failureOf(path, bankOf(120, QStringLiteral("новая")));
    EXPECT_TRUE(message.contains(QStringLiteral("нет свободного места"))) << message.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(BankFileFailure, AReadOnlyDiskNamesTheReasonAndChangesNothing) {
    ScratchMount disk(512);
    KT_REQUIRE_MOUNT(disk);
    const SavedTwice saved(disk.filePath(QStringLiteral("DB1.MDB")));
    ASSERT_TRUE(disk.RemountReadOnly());
    const QString message = failureOf(saved.path, bankOf(3, QStringLiteral("третья")));
    EXPECT_TRUE(message.contains(QStringLiteral("только для чтения"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("DB1.bak.MDB"))) << message.toStdString();
    EXPECT_TRUE(contents(saved.path) == saved.bank) << "the bank is changed";
    EXPECT_TRUE(contents(backupPathOf(saved.path)) == saved.backup) << "the old backup is lost";
}

// A bank in a folder of the administrator's, opened by a teacher's account.
TEST(BankFileFailure, AFolderTheUserMayNotWriteNamesTheReason) {
    QTemporaryDir dir;
    const SavedTwice saved(dir.filePath(QStringLiteral("DB1.MDB")));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    QString message;
    {
        const NotRoot user;
        message = failureOf(saved.path, bankOf(3, QStringLiteral("третья")));
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(message.contains(QStringLiteral("нет прав на запись"))) << message.toStdString();
    EXPECT_TRUE(contents(saved.path) == saved.bank) << "the bank is changed";
}

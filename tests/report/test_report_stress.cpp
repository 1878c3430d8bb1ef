// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "report/ReportFile.h"
#include "report/ReportReasons.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const int kPrograms = 8;
const int kBlocksEach = 100;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every block whole, in the order each program wrote its own; the blocks of
// different programs may follow each other in any order.
void expectWholeBlocks(const QByteArray& bytes) {
    const QStringList lines = kt::decodeCp1251(bytes).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), kPrograms * kBlocksEach * 10 + 1);
    EXPECT_TRUE(lines.last().isEmpty());
    std::vector<int> next(kPrograms, 0);
    for (int at = 0; at + 10 < lines.size(); at += 10) {
        ASSERT_EQ(lines[at], QStringLiteral(" ")) << "line " << at;
        const QString name = lines[at + 1].mid(QStringLiteral("Студент --- П").size());
        const int id = name.section('-', 0, 0).toInt();
        const int n = name.section('-', 1, 1).toInt();
        ASSERT_TRUE(id >= 0 && id < kPrograms) << name.toStdString();
        EXPECT_EQ(n, next[static_cast<size_t>(id)]++) << name.toStdString();
        EXPECT_EQ(lines[at + 2], QStringLiteral("Ответил правильно на --- %1 %").arg(n));
        EXPECT_EQ(lines[at + 9], QStringLiteral("Выделяемое время на один вопрос --- 2 мин"));
    }
    for (int id = 0; id < kPrograms; ++id)
        EXPECT_EQ(next[static_cast<size_t>(id)], kBlocksEach) << "program " << id;
}

} // namespace

TEST(ReportStress, EightProgramsAppendingAtOnceGiveEightHundredWholeBlocks) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    const QString go = dir.filePath(QStringLiteral("go"));
    std::vector<std::unique_ptr<QProcess>> programs;
    for (int id = 0; id < kPrograms; ++id) {
        programs.push_back(std::make_unique<QProcess>());
        programs.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        programs.back()->start(QStringLiteral(KT_REPORT_WORKER),
                               {QStringLiteral("append"), path, QString::number(id),
                                QString::number(kBlocksEach), go});
        ASSERT_TRUE(programs.back()->waitForStarted());
    }
    ASSERT_TRUE(QFile(go).open(QIODevice::WriteOnly)); // all start appending together
    for (auto& p : programs) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0);
    }
    expectWholeBlocks(bytesOf(path));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".fallback")));
}

// Another PC holds the lock: an append waits for it, and gives up with a
// clear reason, leaving the file alone, when the wait is over.
TEST(ReportStress, AnAppendWaitsForAnotherProgramsLockAndThenGivesUp) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    QProcess holder;
    holder.start(QStringLiteral(KT_REPORT_WORKER), {QStringLiteral("hold"), path, "1500"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
    kt::ReportFileOptions brief;
    brief.lockWaitMs = 200;
    QString reason;
    try {
        kt::appendToReportFile(path, "block\r\n", brief);
    } catch (const kt::KtError& e) {
        reason = e.message();
    }
    EXPECT_EQ(reason, kt::lockTimeoutText(200));
    EXPECT_EQ(bytesOf(path), QByteArray());
    kt::ReportFileOptions patient;
    patient.lockWaitMs = 20000;
    kt::appendToReportFile(path, "block\r\n", patient); // once the holder lets go
    EXPECT_EQ(bytesOf(path), QByteArray("block\r\n"));
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Blocks the report file would not take: on the disk at once in the fallback
// file, and in the report file once it takes them, also after the program
// was killed and started again.
#include "report/ReportQueue.h"
#include "report/ReportWriter.h"
#include "tests/support/FillingDisk.h"
#include "tests/support/Reports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray block(const QString& name) {
    return reportBlockBytes(reportBlock(BlockFields{name}));
}

struct Files {
    QTemporaryDir dir;
    QString report = dir.filePath(QStringLiteral("TestData.dat"));
    QString unsaved = dir.filePath(QStringLiteral("data/TestData-unsaved.dat"));
};

} // namespace

TEST(ReportQueueKept, ARefusedBlockIsInTheFallbackFileAtOnceAndMovesOnTheNextRun) {
    Files f;
    FillingDisk full;
    full.bytesBeforeFull = 0;
    ReportFileOptions options;
    options.writer = &full;
    {
        ReportQueue first(f.report, f.unsaved, options);
        EXPECT_FALSE(first.Append(block(QStringLiteral("Первый"))).isEmpty());
        EXPECT_FALSE(first.Append(block(QStringLiteral("Второй"))).isEmpty());
        // Killed here: neither Flush nor a destructor runs in a real kill.
        EXPECT_EQ(bytesOf(f.unsaved),
                  block(QStringLiteral("Первый")) + block(QStringLiteral("Второй")));
    }
    ReportQueue next(f.report, f.unsaved);
    next.Recover();
    EXPECT_EQ(bytesOf(f.report), block(QStringLiteral("Первый")) + block(QStringLiteral("Второй")));
    EXPECT_FALSE(QFile::exists(f.unsaved));
    EXPECT_EQ(next.keptCount(), 0);
}

TEST(ReportQueueKept, TheFallbackFileEmptiesOnlyOnceTheBlocksAreInTheReportFile) {
    Files f;
    FillingDisk faults;
    faults.bytesBeforeFull = 0;
    ReportFileOptions options;
    options.writer = &faults;
    ReportQueue queue(f.report, f.unsaved, options);
    const QString told = queue.Append(block(QStringLiteral("Первый")));
    EXPECT_TRUE(told.contains(QDir::toNativeSeparators(QFileInfo(f.unsaved).absoluteFilePath())));
    EXPECT_EQ(queue.Flush().contains(QStringLiteral("сохранены")), true);
    EXPECT_EQ(bytesOf(f.unsaved), block(QStringLiteral("Первый")));

    // The next run cannot write either: the block stays where it is, once.
    ReportQueue second(f.report, f.unsaved, options);
    second.Recover();
    EXPECT_FALSE(second.Append(block(QStringLiteral("Второй"))).isEmpty());
    EXPECT_EQ(bytesOf(f.unsaved),
              block(QStringLiteral("Первый")) + block(QStringLiteral("Второй")));
    faults.bytesBeforeFull = -1;
    EXPECT_TRUE(second.Append(block(QStringLiteral("Третий"))).isEmpty());
    EXPECT_EQ(bytesOf(f.report), block(QStringLiteral("Первый")) + block(QStringLiteral("Второй")) +
                                     block(QStringLiteral("Третий")));
    EXPECT_FALSE(QFile::exists(f.unsaved));
}

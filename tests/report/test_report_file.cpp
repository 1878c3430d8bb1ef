// SPDX-License-Identifier: GPL-3.0-or-later
// The report file on its own: what a full disk, a read-only file, a named
// pipe or a folder do to an append, and that the file then holds only whole
// blocks.
#include "bank/KtError.h"
#include "report/ReportFile.h"
#include "report/ReportParser.h"
#include "report/ReportReasons.h"
#include "report/ReportWriter.h"
#include "tests/support/FillingDisk.h"
#include "tests/support/Reports.h"
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kt;
using namespace kt::test;

namespace {

// An ordinary block through the program's own writer.
QByteArray sampleBlock() {
    return reportBlockBytes(reportBlock(BlockFields{}));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The reason of the failure, or "<no error>" when the call went through.
template <typename F> QString reasonOf(F call) {
    try {
        call();
    } catch (const KtError& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(ReportFileAppend, AShortWriteIsCutBackAndTheNextAppendIsWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    writeFile(path, "earlier\r\n");
    FillingDisk faults;
    faults.bytesBeforeFull = 52; // the disk fills inside the block's second line
    ReportFileOptions options;
    options.writer = &faults;
    EXPECT_EQ(reasonOf([&] { appendToReportFile(path, sampleBlock(), options); }),
              QStringLiteral("на диске нет свободного места"));
    EXPECT_EQ(bytesOf(path), QByteArray("earlier\r\n"));
    faults.bytesBeforeFull = -1;
    appendToReportFile(path, sampleBlock(), options);
    EXPECT_EQ(bytesOf(path), "earlier\r\n" + sampleBlock());
}

// A file cut inside a line: the next block starts on a line of its own, so
// only the cut block is lost and the one after it is read whole.
TEST(ReportFileAppend, AFileCutInsideALineGetsALineEndBeforeTheNextBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    const QByteArray whole = sampleBlock();
    const QByteArray cut = whole + whole.left(whole.size() / 2 - 1);
    writeFile(path, cut);
    appendToReportFile(path, whole);
    EXPECT_EQ(bytesOf(path), cut + "\r\n" + whole);
    const ParsedReport r = parseReport(bytesOf(path));
    EXPECT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.damage.size(), 1u);

    // A file that ends in a line end, with LF alone too, takes the block as it is.
    writeFile(path, "earlier\n");
    appendToReportFile(path, whole);
    EXPECT_EQ(bytesOf(path), "earlier\n" + whole);
}

// A real file system that runs out of room in the middle of a block: the
// system takes part of it and then refuses the rest.
TEST(ReportFileAppend, AFillingFileSystemKeepsOnlyWholeBlocks) {
    ScratchMount disk(8);
    KT_REQUIRE_MOUNT(disk);
    const QString path = disk.filePath(QStringLiteral("TestData.dat"));
    const QByteArray block = sampleBlock();
    ASSERT_NE(8192 % block.size(), 0) << "the last block must fit only in part";
    const QString none = reasonOf([] {});
    int appended = 0;
    QString reason = none;
    while (appended < 100 && reason == none) {
        reason = reasonOf([&] { appendToReportFile(path, block); });
        appended += reason == none ? 1 : 0;
    }
    EXPECT_EQ(reason, QStringLiteral("на диске нет свободного места"));
    ASSERT_GT(appended, 5);
    EXPECT_EQ(bytesOf(path), block.repeated(appended));
}

TEST(ReportFileCheck, ARegularOrMissingFileIsFineAndAMissingOneIsCreatedEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    checkReportFile(path);
    EXPECT_EQ(bytesOf(path), QByteArray());
    writeFile(path, "old\r\n");
    checkReportFile(path);
    EXPECT_EQ(bytesOf(path), QByteArray("old\r\n"));
    EXPECT_EQ(reasonOf([&] { checkReportFile(dir.filePath(QStringLiteral("no/TestData.dat"))); }),
              QStringLiteral("папка, в которой должен лежать файл, не найдена"));
}

// As root a file's read-only mode does not stop writes, so root gets a file
// system that is read-only as a whole.
TEST(ReportFileCheck, AReadOnlyFileIsRefusedAndKeptAsItWas) {
    const bool root = ::geteuid() == 0;
    QTemporaryDir dir;
    ScratchMount disk(64);
    if (root)
        KT_REQUIRE_MOUNT(disk);
    const QString path =
        root ? disk.filePath(QStringLiteral("TestData.dat")) : dir.filePath("TestData.dat");
    writeFile(path, "old\r\n");
    if (root)
        ASSERT_TRUE(disk.RemountReadOnly());
    else
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    const QString expected = root ? QStringLiteral("диск или папка доступны только для чтения")
                                  : QStringLiteral("нет прав на запись в этот файл или его папку");
    EXPECT_EQ(reasonOf([&] { checkReportFile(path); }), expected);
    EXPECT_EQ(reasonOf([&] { appendToReportFile(path, sampleBlock()); }), expected);
    EXPECT_EQ(bytesOf(path), QByteArray("old\r\n"));
}

// A pipe must neither hang the program (nobody reads it) nor swallow the
// block (somebody does).
TEST(ReportFileCheck, ANamedPipeIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
    const QString expected = notRegularText(NotRegular::Pipe);
    EXPECT_EQ(reasonOf([&] { checkReportFile(path); }), expected);
    const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(reasonOf([&] { checkReportFile(path); }), expected);
    EXPECT_EQ(reasonOf([&] { appendToReportFile(path, sampleBlock()); }), expected);
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0); // nothing went into the pipe
    ::close(reader);
}

TEST(ReportFileCheck, AFolderIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    ASSERT_TRUE(QDir().mkdir(path));
    EXPECT_EQ(reasonOf([&] { checkReportFile(path); }), notRegularText(NotRegular::Folder));
    EXPECT_EQ(reasonOf([&] { appendToReportFile(path, sampleBlock()); }),
              notRegularText(NotRegular::Folder));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/ReaderLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kt {
namespace {

// Makes an (empty) file, executable or not.
void touch(const QString& path, bool executable) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        perms |= QFile::ExeOwner;
    ASSERT_TRUE(file.setPermissions(perms));
}

TEST(ReaderLookup, InstalledLayoutIsPreferredOverTheProgramsFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath("usr/bin");
    touch(root.filePath("usr/libexec/knowtest/knowtest-reader"), true);
    touch(bin + "/knowtest-reader", true);
    EXPECT_EQ(locateReader(bin, "knowtest-reader"),
              QDir::cleanPath(root.filePath("usr/libexec/knowtest/knowtest-reader")));
}

TEST(ReaderLookup, BuildTreeUsesTheReaderNextToTheProgram) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(locateReader(bin, "knowtest-reader"), bin + "/knowtest-reader");
    // A file in the private folder that cannot be run is not a reader.
    touch(root.filePath("libexec/knowtest/knowtest-reader"), false);
    EXPECT_EQ(locateReader(bin, "knowtest-reader"), bin + "/knowtest-reader");
}

TEST(ReaderLookup, UnknownProgramFolderLeavesTheBareName) {
    EXPECT_EQ(locateReader(QString(), "knowtest-reader"), QString("knowtest-reader"));
}

} // namespace
} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
// Every qbank command on a file it cannot read — missing, a folder, or
// without the right to read it — says why in Russian: no system text in
// English may reach a teacher inside a Russian message.

#include "tests/support/JetTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kt;
using namespace kt::test;

namespace {

// Root reads every file: the unreadable case then runs qbank as nobody.
ProcessResult runQbankAsReader(const QStringList& args) {
    if (::geteuid() != 0)
        return runQbank(args);
    QProcess p;
    p.start(QStringLiteral("setpriv"),
            QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", KT_QBANK} + args);
    ProcessResult r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The Latin words of a message once the path it names is taken out; the
// program's own words for formats and options may stay.
QStringList latinWords(QString message, const QString& path) {
    message.remove(path);
    message.remove(QDir::toNativeSeparators(path));
    static const QStringList own = {"CSV",     "csv",   "MDB",   "mdb",
                                    "Answers", "qbank", "class", "replace"};
    QStringList words;
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (auto it = word.globalMatch(message); it.hasNext();)
        if (const QString w = it.next().captured(); !own.contains(w))
            words.append(w);
    return words;
}

class QbankUnreadable : public ::testing::Test {
protected:
    QbankUnreadable() {
        // Nobody has to reach the files to find one it may not read.
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString unreadable(const QString& name) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Вопросы\n");
        f.close();
        EXPECT_TRUE(f.setPermissions({}));
        return f.fileName();
    }
    QString folder(const QString& name) {
        EXPECT_TRUE(QDir(m_dir.path()).mkdir(name));
        return path(name);
    }
    // The arguments that make `command` read `file`.
    QStringList argsFor(const QString& command, const QString& file) const {
        if (command == QLatin1String("import"))
            return {command, file, path(QStringLiteral("out.MDB"))};
        return {command, file};
    }

    QTemporaryDir m_dir;
};

const QStringList kCommands = {"import", "check", "export", "results", "analysis", "class"};

} // namespace

TEST_F(QbankUnreadable, AMissingFileIsNamedInRussian) {
    const QString missing = path(QStringLiteral("нет.csv"));
    for (const QString& command : kCommands) {
        const ProcessResult r = runQbank(argsFor(command, missing));
        EXPECT_NE(r.exitCode, 0) << command.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << command.toStdString();
        EXPECT_EQ(latinWords(r.err, missing), QStringList()) << r.err.toStdString();
    }
}

TEST_F(QbankUnreadable, AFileWithoutTheRightToReadItIsNamedInRussian) {
    const QString file = unreadable(QStringLiteral("закрыт.csv"));
    for (const QString& command : kCommands) {
        const ProcessResult r = runQbankAsReader(argsFor(command, file));
        EXPECT_NE(r.exitCode, 0) << command.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << command.toStdString();
        EXPECT_EQ(latinWords(r.err, file), QStringList()) << r.err.toStdString();
    }
}

TEST_F(QbankUnreadable, AFolderIsNamedInRussian) {
    const QString dir = folder(QStringLiteral("папка"));
    for (const QString& command : kCommands) {
        const ProcessResult r = runQbank(argsFor(command, dir));
        // A folder is a class's files for results, analysis and class: an
        // empty class here.
        if (command == QLatin1String("import") || command == QLatin1String("check") ||
            command == QLatin1String("export")) {
            EXPECT_NE(r.exitCode, 0) << command.toStdString();
        }
        EXPECT_EQ(latinWords(r.err, dir), QStringList()) << r.err.toStdString();
    }
}

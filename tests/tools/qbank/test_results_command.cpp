// SPDX-License-Identifier: GPL-3.0-or-later
// qbank results as a script sees it: the exact table on standard output,
// damaged blocks and unreadable files on standard error, the exit status.

#include "bank/Cp1251.h"
#include "tests/support/Reports.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using kt::test::BlockFields;
using kt::test::reportBytes;
using kt::test::writeFile;

namespace {

struct QbankRun {
    int status = -1;
    QByteArray out;
    QString err;
};

QbankRun qbank(const QStringList& args, const QString& folder) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(KT_QBANK), QStringList{"results"} + args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

const QByteArray kHeader =
    QStringLiteral("Файл,Блок,Ученик,Процент,Дата,Время,Остаток времени,"
                   "Вопросов в базе,Вопросов в тесте,От,До,Минут на вопрос\n")
        .toUtf8();

class ResultsCommand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ResultsCommand, WritesTheExactTable) {
    BlockFields quoted{QStringLiteral("Ким, \"Лёша\" --- 7А")};
    quoted.to = QStringLiteral("1\u00A0200");
    writeFile(path("TestData.dat"), reportBytes({BlockFields{QString()}, quoted}));
    writeFile(path("two.dat"), reportBytes({BlockFields{QStringLiteral("Tom & Jerry")}}));
    const QbankRun r = qbank({"TestData.dat", path("two.dat")}, m_dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const QByteArray expected =
        kHeader +
        QStringLiteral("TestData.dat,1,,85,07.12.2026,9:05:03,0:12:41,100,20,1,100,2\n"
                       "TestData.dat,2,\"Ким, \"\"Лёша\"\" --- 7А\",85,07.12.2026,9:05:03,"
                       "0:12:41,100,20,1,1200,2\n")
            .toUtf8() +
        (path("two.dat") + ",1,Tom & Jerry,85,07.12.2026,9:05:03,0:12:41,100,20,1,100,2\n")
            .toUtf8();
    EXPECT_EQ(r.out, expected);
}

TEST_F(ResultsCommand, DamageAndUnreadableFilesGoToStandardError) {
    QByteArray bytes = reportBytes({BlockFields{"Один"}, BlockFields{"Два"}, BlockFields{"Три"}});
    bytes.replace(encodeCp1251(QStringLiteral("Два\r\nОтветил")),
                  encodeCp1251(QStringLiteral("Два\r\nОтвечал")));
    writeFile(path("r.dat"), bytes + bytes.left(40));
    QbankRun r = qbank({"r.dat"}, m_dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.count('\n'), 3); // header, Один, Три
    EXPECT_TRUE(r.out.contains(QStringLiteral("r.dat,2,Три").toUtf8()));
    EXPECT_TRUE(r.err.contains(QStringLiteral("r.dat:11: блок отчета поврежден и пропущен")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("r.dat:31:")));

    r = qbank({"missing.dat", "r.dat"}, m_dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("«missing.dat» не найден")));
    EXPECT_EQ(r.out.count('\n'), 3); // the readable file is still listed

    EXPECT_EQ(qbank({}, m_dir.path()).status, 2);
    EXPECT_EQ(qbank({"--csv", "r.dat"}, m_dir.path()).status, 2);
    r = qbank({"--", "--odd.dat"}, m_dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kHeader);
}

TEST_F(ResultsCommand, ExcelTableIsForASpreadsheet) {
    writeFile(path("r.dat"), reportBytes({BlockFields{QStringLiteral("=СУММ(1;2)")}}));
    QbankRun r = qbank({"--excel", "r.dat"}, m_dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        decodeCp1251(r.out),
        QStringLiteral("Файл;Блок;Ученик;Процент;Дата;Время;Остаток времени;Вопросов в базе;"
                       "Вопросов в тесте;От;До;Минут на вопрос\r\n"
                       "r.dat;1;\"'=СУММ(1;2)\";85;07.12.2026;9:05:03;0:12:41;100;20;1;100;2\r\n"));
    // A file name outside the code page makes the whole table UTF-8.
    const QString wide = QStringLiteral("класс✓.dat");
    writeFile(path(wide), reportBytes({BlockFields{}}));
    r = qbank({"--excel", wide}, m_dir.path());
    EXPECT_TRUE(r.out.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(QString::fromUtf8(r.out).contains(wide + ";1;"));
}

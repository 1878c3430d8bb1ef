// SPDX-License-Identifier: GPL-3.0-or-later
// The qbank tool as a teacher runs it: exit codes, messages, files.

#include "bank/BankRecord.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "tests/support/JetTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

const QString kHeader =
    QStringLiteral("Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет\n");

class Qbank : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // Imports CSV text into a new bank; returns the bank's path.
    QString import(const QString& csv, const QStringList& options = {}) {
        const QString in = file(QStringLiteral("in%1.csv").arg(++m_count));
        const QString out = file(QStringLiteral("bank%1.mdb").arg(m_count));
        writeUtf8(in, csv);
        const ProcessResult r = runQbank(QStringList{"import"} + options + QStringList{in, out});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return out;
    }
    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(Qbank, UsageAndHelp) {
    for (const QStringList& args : {QStringList{}, QStringList{"build"}, QStringList{"check"},
                                    QStringList{"import", "a.csv"}, QStringList{"export", "a", "b"},
                                    QStringList{"import", "--tabel", "T", "a.csv", "b.mdb"}}) {
        const ProcessResult r = runQbank(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("Использование:"))) << r.err.toStdString();
    }
    const ProcessResult help = runQbank({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("«ВернОтв:Long»")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--table")));
}

TEST_F(Qbank, ImportErrorsNameLineAndColumnAndLeaveNoFile) {
    struct Case {
        QString first;
        QString second;
        QStringList options;
    };
    const std::vector<Case> cases = {
        {kHeader + "В,1,2,3,4,5,3,0,Ф\nВ2,1,2,3,4,5,300,0,Ф\n", "Строка 3, столбец «ВернОтв»:", {}},
        {kHeader + "В,1,2,3,4,5,3,x,Ф\n", "Строка 2, столбец «Метка»: «x» — не целое число", {}},
        {kHeader + QString(256, QChar(u'я')) + ",1,2,3,4,5,3,0,Ф\n",
         "Строка 2, столбец «Вопросы»:",
         {}},
        {kHeader + "В,1,2,3,4,5,3,0\n", "Строка 2: полей 8, а в заголовке столбцов 9", {}},
        {kHeader + "В,\"1,2,3,4,5,3,0,Ф\n", "Строка 2, поле 2: не закрыта кавычка", {}},
        {"Вопросы,ВернОтв:Целое\n", "Строка 1, поле 2: неизвестный тип", {"--fixture"}}};
    for (const auto& c : cases) {
        const QString in = file(QStringLiteral("bad.csv"));
        const QString out = file(QStringLiteral("bad.mdb"));
        writeUtf8(in, c.first);
        const ProcessResult r = runQbank(QStringList{"import"} + c.options + QStringList{in, out});
        EXPECT_EQ(r.exitCode, 1) << c.second.toStdString();
        EXPECT_TRUE(r.err.startsWith(c.second)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << c.second.toStdString();
    }
    const ProcessResult missing = runQbank({"import", file("нет.csv"), file("x.mdb")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("Не удалось открыть файл")))
        << missing.err.toStdString();
}

TEST_F(Qbank, FixtureHeadersShapeTheTable) {
    const QString path = import(QStringLiteral("Метка:Text,Вопросы,ВернОтв:Long,Заметка\n"
                                               "м,Вопрос,70000,\n"),
                                {"--fixture"});
    const NodeTable t = readWithNode(path, bankTableName());
    ASSERT_EQ(t.columns.size(), 5u);
    const QStringList names = {"Метка", "Вопросы", "ВернОтв", "Заметка", "Счетчик"};
    const QStringList types = {"text", "text", "long", "text", "long"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t.columns[i].name, names[i]);
        EXPECT_EQ(t.columns[i].type, types[i]);
    }
    EXPECT_EQ(t.rows.at(0), (Values{"м", "Вопрос", "70000", std::nullopt, "1"}));
    const QString other = import(kHeader, {"--fixture", "--table", "Вопросы"});
    EXPECT_EQ(readWithNode(other, "Вопросы").tables, QStringList{"Вопросы"});
    const QString bare = import(QStringLiteral("Вопросы\nВ\n"), {"--fixture", "--no-counter"});
    EXPECT_EQ(readWithNode(bare, bankTableName()).columns.size(), 1u);
}

TEST_F(Qbank, CheckReportsProblemsWithExitCodes) {
    const ProcessResult good = runQbank({"check", import(kHeader + "В,1,2,3,4,5,3,0,Физика\n")});
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    EXPECT_TRUE(good.out.startsWith(QStringLiteral("Записей: 1\nПредмет: «Физика»\n")))
        << good.out.toStdString();

    const QString bad = import(kHeader + "В,1,2,3,4,5,,0,Физика\nВ,1,2,3,4,5,7,0,\n"
                                         "Другой,1,2,3,4,5,2,0,\n",
                               {"--fixture"});
    const ProcessResult r = runQbank({"check", bad});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Записей: 3")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Запись 1 (Счетчик 1): поле «ВернОтв» пустое")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Запись 2 (Счетчик 2): «ВернОтв» = 7")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Записи 1, 2: одинаковый текст вопроса «В»")));
}

TEST_F(Qbank, CheckFollowsTheSettingsFileBesideTheBank) {
    QString csv = kHeader;
    for (int i = 1; i <= 12; ++i)
        csv += QStringLiteral("Вопрос %1,1,2,3,4,5,3,0,Физика\n").arg(i);
    const QString bank = import(csv);
    EXPECT_TRUE(runQbank({"check", bank}).out.contains(QStringLiteral("по умолчанию")));
    const QString ini = bank.chopped(4) + QStringLiteral(".ini");
    writeUtf8(ini, QStringLiteral("[test]\ncount=10\nfrom=1\nto=10\n"));
    const ProcessResult r = runQbank({"check", bank});
    EXPECT_FALSE(r.out.contains(QStringLiteral("меньше, чем"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("записи 11–12 в тест не попадут никогда")))
        << r.out.toStdString();
}

TEST_F(Qbank, UnopenableBanksGetTheProgramsMessage) {
    const QString noMark =
        import(QStringLiteral("Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Предмет\n"),
               {"--fixture"});
    const ProcessResult r = runQbank({"check", noMark});
    EXPECT_EQ(r.exitCode, 2);
    QString expected;
    try {
        MdbBankSource(noMark).LoadRaw();
    } catch (const KtError& e) {
        expected = e.message();
    }
    EXPECT_TRUE(expected.contains(QStringLiteral("Метка"))) << expected.toStdString();
    const QStringList lines = r.err.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
    EXPECT_EQ(lines[0], expected);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Что делать: в таблице нет этого столбца")))
        << lines[1].toStdString();
    const QString otherTable = import(kHeader, {"--fixture", "--table", "Другая"});
    EXPECT_EQ(runQbank({"check", otherTable}).exitCode, 2);
    EXPECT_EQ(runQbank({"export", otherTable}).exitCode, 2);
    const ProcessResult missing = runQbank({"check", file("нет.mdb")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(missing.err.isEmpty());
}

TEST_F(Qbank, ExportThenImportGivesTheSameTable) {
    QString csv = kHeader;
    for (int i = 0; i < 300; ++i)
        csv += QStringLiteral(
                   "\"Вопрос %1, \"\"в кавычках\"\"\nи вторая строка\",%2,,б,в,г,%3,%4,%5\n")
                   .arg(i)
                   .arg(cyrillicText(i % 7 == 0 ? 255 : 10, i))
                   .arg(i % 11 == 0 ? QString() : QString::number(i % 5 + 1))
                   .arg(i % 2 ? QStringLiteral("-32768") : QString())
                   .arg(i == 0 ? cyrillicText(50, 1) : QStringLiteral("Физика"));
    const QString first = import(csv);
    const ProcessResult exported = runQbank({"export", first});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QString second = import(exported.out);
    const ProcessResult again = runQbank({"export", second});
    EXPECT_EQ(again.out, exported.out);
    const BankTable a = MdbBankSource(first).LoadRaw(), b = MdbBankSource(second).LoadRaw();
    ASSERT_EQ(a.size(), 300u);
    ASSERT_EQ(b.size(), a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].text, b[i].text) << i;
        EXPECT_EQ(a[i].isNull, b[i].isNull) << i;
    }
    const NodeTable na = readWithNode(first, bankTableName()),
                    nb = readWithNode(second, bankTableName());
    EXPECT_EQ(na.rows, nb.rows);
    EXPECT_EQ(na.rows.at(5).at(7), std::optional<QString>("-32768"));
    EXPECT_EQ(na.rows.at(0).at(6), std::nullopt);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// A bank's CSV form: header, types, values, and the messages for bad input.

#include "bank/import/BankCsv.h"
#include "tests/support/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {

const QString kHeader =
    QStringLiteral("Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет\n");

TEST(BankCsv, StandardHeaderGivesTheStandardTableWithTheCounterBeforeTheSubject) {
    const BankCsvTable t = bankTableFromCsv(kHeader + QStringLiteral("В,1,2,3,4,5,3,0,Физика\n"));
    const std::vector<JetColumn> want = standardBankColumns();
    ASSERT_EQ(t.columns.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(t.columns[i].name, want[i].name);
        EXPECT_EQ(t.columns[i].type, want[i].type) << i;
        EXPECT_EQ(t.columns[i].maxLength, want[i].maxLength) << i;
    }
    ASSERT_EQ(t.rows.size(), 1u);
    const test::Values row(t.rows[0].begin(), t.rows[0].end());
    EXPECT_EQ(row, (test::Values{"В", "1", "2", "3", "4", "5", "3", "0", std::nullopt, "Физика"}));
}

TEST(BankCsv, AnyOrderMissingAndExtraColumnsAndForcedTypes) {
    const BankCsvTable t = bankTableFromCsv(
        QStringLiteral("Предмет,ВернОтв:Long,Вопросы:Text(20),Заметка,Метка:Text,Флаг:boolean\n"
                       "Физика,70000,В,,\"\",1\n"));
    const std::vector<std::pair<QString, JetType>> want = {
        {"Счетчик", JetType::AutoLong}, {"Предмет", JetType::Text}, {"ВернОтв", JetType::Long},
        {"Вопросы", JetType::Text},     {"Заметка", JetType::Text}, {"Метка", JetType::Text},
        {"Флаг", JetType::Boolean}};
    ASSERT_EQ(t.columns.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(t.columns[i].name, want[i].first) << i;
        EXPECT_EQ(t.columns[i].type, want[i].second) << i;
    }
    EXPECT_EQ(t.columns[1].maxLength, 50);
    EXPECT_EQ(t.columns[3].maxLength, 20);
    EXPECT_EQ(t.columns[4].maxLength, 255);
    const test::Values row(t.rows[0].begin(), t.rows[0].end());
    EXPECT_EQ(row, (test::Values{std::nullopt, "Физика", "70000", "В", std::nullopt, "", "1"}));
}

TEST(BankCsv, CounterCanBeLeftOut) {
    const BankCsvTable t = bankTableFromCsv(QStringLiteral("Вопросы\nВ\n"), false);
    ASSERT_EQ(t.columns.size(), 1u);
    EXPECT_EQ(t.rows[0].size(), 1u);
}

TEST(BankCsv, BadInputNamesLineAndColumn) {
    struct Case {
        QString body;
        QString message;
    };
    const QString long256(256, QChar(u'ж'));
    const std::vector<Case> cases = {
        {"В,1,2,3,4,5,3,0,Ф\nВ,1,2,3,4,5,256,0,Ф\n",
         "Строка 3, столбец «ВернОтв»: число 256 вне допустимого диапазона от 0 до 255"},
        {"В,1,2,3,4,5,-1,0,Ф\n", "Строка 2, столбец «ВернОтв»: число -1 вне допустимого диапазона"},
        {"В,1,2,3,4,5,3,пять,Ф\n", "Строка 2, столбец «Метка»: «пять» — не целое число"},
        {"В,1,2,3,4,5,3,2.5,Ф\n", "Строка 2, столбец «Метка»: «2.5» — не целое число"},
        {"В,1,2,3,4,5,3,32768,Ф\n",
         "Строка 2, столбец «Метка»: число 32768 вне допустимого диапазона"},
        {long256 + ",1,2,3,4,5,3,0,Ф\n",
         "Строка 2, столбец «Вопросы»: текст длиннее 255 символов (256)"},
        {"В,1,2,3,4,5,3,0," + QString(51, QChar(u'ф')) + "\n",
         "Строка 2, столбец «Предмет»: текст длиннее 50 символов (51)"},
        {"\"две\nстроки\",1,2,3,4,5,3,0,Ф\nВ,1,2,3,4,5\n",
         "Строка 3: полей 6, а в заголовке столбцов 9"}, // the row, as spreadsheets number it
        {"В,1,2,3,4,5,3,0,Ф,лишнее\n", "Строка 2: полей 10, а в заголовке столбцов 9"},
        {"В,\"1,2,3,4,5,3,0,Ф\n", "Строка 2, поле 2: не закрыта кавычка"},
        {"В,1\",2,3,4,5,3,0,Ф\n", "Строка 2, поле 2: кавычка внутри поля"}};
    for (const Case& c : cases) {
        try {
            bankTableFromCsv(kHeader + c.body);
            ADD_FAILURE() << "accepted " << c.body.toStdString();
        } catch (const KtError& e) {
            EXPECT_TRUE(e.message().startsWith(c.message)) << e.what();
        }
    }
}

TEST(BankCsv, BadHeaders) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"", "Файл CSV пуст"},
        {"Вопросы,ВернОтв:Целое\n",
         "Строка 1, поле 2: неизвестный тип «Целое» у столбца «ВернОтв»"},
        {"Вопросы,Вопросы\n", "Строка 1, поле 2: столбец «Вопросы» указан дважды"},
        {"Вопросы,,Метка\n", "Строка 1, поле 2: пустое имя столбца"},
        {"Вопросы:Text(300)\n", "Строка 1, поле 1: неизвестный тип «Text(300)»"}};
    for (const auto& c : cases) {
        try {
            bankTableFromCsv(c.first);
            ADD_FAILURE() << "accepted " << c.first.toStdString();
        } catch (const KtError& e) {
            EXPECT_TRUE(e.message().startsWith(c.second)) << e.what();
        }
    }
}

TEST(BankCsv, ExportLinesFollowTheImportHeader) {
    EXPECT_EQ(bankCsvHeader(), kHeader.trimmed() + QStringLiteral("\r\n"));
    BankRecord r;
    const QStringList values = {"В, с запятой", "1", "", "3", "4", "5", "2", "", "17", "Ф"};
    for (int f = 0; f < FieldCountTotal; ++f)
        r.text[f] = values[f];
    r.isNull[FieldMark] = true;
    EXPECT_EQ(bankCsvRecord(r), QStringLiteral("\"В, с запятой\",1,,3,4,5,2,,Ф\r\n"));
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher's CSV file as spreadsheets save it: encodings, separators,
// header names, letters for the right answer, and every problem at once.

#include "bank/Cp1251.h"
#include "bank/import/BankImport.h"
#include "tests/support/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {

const QString kHeader =
    QStringLiteral("Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет");

// The rows of the table as one list each, for comparing.
std::vector<test::Values> rowsOf(const ImportResult& r) {
    std::vector<test::Values> out;
    for (const JetRow& row : r.table.rows)
        out.emplace_back(row.begin(), row.end());
    return out;
}

QString problemsOf(const ImportResult& r) {
    return formatImportProblems(r.problems) + r.warnings.join(u'\n');
}

TEST(BankImport, SpreadsheetDialectsGiveTheSameTable) {
    const QString plain =
        kHeader + QStringLiteral("\nЧто такое «ток»?,Поток зарядов,Вода,"
                                 "\"Да, нет\",4,5,1,0,Физика\nВ2,а,б,в,г,д,2,,Ф\n");
    QString semicolons = plain;
    semicolons.replace(u',', u';')
        .replace(QStringLiteral("\"Да; нет\""), QStringLiteral("Да, нет"));
    QString tabs = plain;
    tabs.replace(u',', u'\t').replace(QStringLiteral("\"Да\t нет\""), QStringLiteral("Да, нет"));
    struct Case {
        QByteArray bytes;
        CsvEncoding encoding;
        QChar separator;
    };
    const std::vector<Case> cases = {
        {plain.toUtf8(), CsvEncoding::Utf8, u','},
        {"\xEF\xBB\xBF" + QString(semicolons).replace(u'\n', QStringLiteral("\r\n")).toUtf8(),
         CsvEncoding::Utf8, u';'},
        {encodeCp1251(QString(semicolons).replace(u'\n', QStringLiteral("\r\n"))),
         CsvEncoding::Cp1251, u';'},
        {tabs.chopped(1).toUtf8(), CsvEncoding::Utf8, u'\t'}, // no final line end
        {(plain + QStringLiteral(",,,,,,,,\n\n")).toUtf8(), CsvEncoding::Utf8, u','},
        // Excel's «Текст Юникод»: UTF-16 with its byte-order mark, tabs.
        {QByteArray("\xFF\xFE", 2) +
             QByteArray(reinterpret_cast<const char*>(tabs.utf16()), tabs.size() * 2),
         CsvEncoding::Utf16, u'\t'}};
    const ImportResult first = importBankCsv(cases[0].bytes);
    ASSERT_TRUE(first.ok()) << problemsOf(first).toStdString();
    ASSERT_EQ(first.table.rows.size(), 2u);
    EXPECT_EQ(rowsOf(first)[0],
              (test::Values{"Что такое «ток»?", "Поток зарядов", "Вода", "Да, нет", "4", "5", "1",
                            "0", std::nullopt, "Физика"}));
    EXPECT_EQ(rowsOf(first)[1][7], std::nullopt); // an empty "Метка" stays empty
    for (size_t i = 0; i < cases.size(); ++i) {
        const ImportResult r = importBankCsv(cases[i].bytes);
        EXPECT_TRUE(r.ok()) << i << problemsOf(r).toStdString();
        EXPECT_EQ(r.encoding, cases[i].encoding) << i;
        EXPECT_EQ(r.separator, cases[i].separator) << i;
        EXPECT_EQ(rowsOf(r), rowsOf(first)) << i;
        EXPECT_TRUE(r.warnings.isEmpty()) << i << r.warnings.join(u'\n').toStdString();
    }
    ImportOptions forced;
    forced.encoding = CsvEncoding::Utf8;
    const ImportResult refused = importBankCsv(cases[2].bytes, forced);
    ASSERT_EQ(refused.problems.size(), 1u);
    EXPECT_TRUE(refused.problems[0].text.contains(QStringLiteral("--encoding cp1251")));
}

TEST(BankImport, HeaderNamesAreMatchedLooselyAndOptionalColumnsFilledIn) {
    const QString csv =
        QStringLiteral(" вопросы ;ОТВЕТ1;Ответ2;ответ3;Ответ4;Ответ5; вернотв;Заметка\n"
                       "В;1;2;3;4;5;в;к\n");
    ImportOptions withSubject;
    withSubject.subject = QStringLiteral("История");
    const ImportResult r = importBankCsv(csv.toUtf8(), withSubject);
    ASSERT_TRUE(r.ok()) << problemsOf(r).toStdString();
    EXPECT_EQ(rowsOf(r)[0],
              (test::Values{"В", "1", "2", "3", "4", "5", "3", "0", std::nullopt, "История"}));
    ASSERT_EQ(r.warnings.size(), 1);
    EXPECT_TRUE(r.warnings[0].contains(QStringLiteral("«Заметка»")));
    ASSERT_EQ(r.table.columns.size(), size_t(FieldCountTotal));

    const ImportResult noSubject = importBankCsv(csv.toUtf8());
    ASSERT_EQ(noSubject.problems.size(), 1u);
    EXPECT_EQ(formatImportProblem(noSubject.problems[0]),
              QStringLiteral("Строка 1: в заголовке нет столбца «Предмет»: добавьте его или "
                             "задайте предмет для всех записей: --subject ТЕКСТ"));
}

TEST(BankImport, MissingColumnsNameWhatWasFoundAndAWrongSeparator) {
    ImportOptions comma;
    comma.separator = u',';
    const QString semicolons = QString(kHeader).replace(u',', u';') + "\nВ;1;2;3;4;5;1;0;Ф\n";
    const ImportResult r = importBankCsv(semicolons.toUtf8(), comma);
    ASSERT_FALSE(r.ok());
    const QString text = formatImportProblem(r.problems[0]);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Строка 1: в заголовке нет столбцов «Вопросы», "
                                               "«Ответ1»")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Найдены столбцы: «Вопросы;Ответ1;")));
    EXPECT_TRUE(text.contains(QStringLiteral("разделены знаком «;»"))) << text.toStdString();

    const ImportResult noRight = importBankCsv(
        QStringLiteral("Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,Предмет\n").toUtf8());
    ASSERT_EQ(noRight.problems.size(), 1u);
    EXPECT_EQ(noRight.problems[0].text,
              QStringLiteral("в заголовке нет столбца «ВернОтв». Найдены столбцы: «Вопросы», "
                             "«Ответ1», «Ответ2», «Ответ3», «Ответ4», «Ответ5», «Предмет»"));
}

TEST(BankImport, RightAnswerTakesNumbersAndLettersInEitherAlphabet) {
    // Each alphabet in a file of its own: one file may not mix them.
    const std::vector<QStringList> given = {{"1", "5", " 3 ", "А", "б", "Д", "в"},
                                            {"1", "a", "C", "e", "B"}};
    const std::vector<QStringList> want = {{"1", "5", "3", "1", "2", "5", "3"},
                                           {"1", "1", "3", "5", "2"}};
    for (size_t file = 0; file < given.size(); ++file) {
        QString csv = kHeader + u'\n';
        for (int i = 0; i < given[file].size(); ++i)
            csv += QStringLiteral("В%1,1,2,3,4,5,%2,0,Ф\n").arg(i).arg(given[file][i]);
        const ImportResult r = importBankCsv(csv.toUtf8());
        ASSERT_TRUE(r.ok()) << problemsOf(r).toStdString();
        for (int i = 0; i < want[file].size(); ++i)
            EXPECT_EQ(r.table.rows[i][FieldRightAnswer], want[file][i]) << file << i;
    }
    for (const QString bad : {"0", "6", "Е", "F", "1.0", "АБ"}) {
        const ImportResult b =
            importBankCsv((kHeader + "\nВ,1,2,3,4,5," + bad + ",0,Ф\n").toUtf8());
        ASSERT_EQ(b.problems.size(), 1u) << bad.toStdString();
        EXPECT_TRUE(
            formatImportProblem(b.problems[0])
                .startsWith(
                    QStringLiteral("Строка 2, столбец «ВернОтв»: «%1» — не номер").arg(bad)));
    }
}

TEST(BankImport, EveryProblemOfTheFileIsListedWithLineAndColumn) {
    QString csv = kHeader + u'\n';
    csv += QStringLiteral("В1,1,2,3,4,5,1,0,Ф\n");                                // line 2: fine
    csv += QStringLiteral("В2,1,2,3,4,5,9,x,Ф\n");                                // line 3: two
    csv += QString(256, QChar(u'ж')) + QStringLiteral(",1,2,3,4,5,1,0,Ф\n");      // line 4
    csv += QStringLiteral("В4,1,") + QChar(0) + QStringLiteral(",3,4,5,1,0,Ф\n"); // line 5
    csv += QStringLiteral("В5,1,2\n");                                            // line 6
    const ImportResult r = importBankCsv(csv.toUtf8());
    QStringList lines;
    for (const ImportProblem& p : r.problems)
        lines << formatImportProblem(p);
    ASSERT_EQ(lines.size(), 5) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Строка 3, столбец «ВернОтв»: «9»")));
    EXPECT_EQ(lines[1], QStringLiteral("Строка 3, столбец «Метка»: «x» — не целое число"));
    EXPECT_EQ(lines[2],
              QStringLiteral("Строка 4, столбец «Вопросы»: текст длиннее 255 символов (256)"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Строка 5, столбец «Ответ2»: в тексте есть "
                                                   "символ NUL")));
    EXPECT_EQ(lines[4], QStringLiteral("Строка 6: полей 3, а в заголовке столбцов 9"));

    std::vector<ImportProblem> many(130, ImportProblem{7, 0, QString(), QStringLiteral("плохо")});
    const QStringList printed = formatImportProblems(many).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), 101);
    EXPECT_TRUE(printed.back().startsWith(QStringLiteral("… и ещё 30")));
}

TEST(BankImport, AColumnMixingLookalikeAlphabetsIsRefusedNamingRowsAndReadings) {
    // Row 3 holds a cell with a line break: rows, not text lines, are named.
    QString csv = kHeader + u'\n';
    csv += QStringLiteral("В1,1,2,3,4,5,Б,0,Ф\n");
    csv += QStringLiteral("\"В2\nдве строки\",1,2,3,4,5,Г,0,Ф\n");
    csv += QStringLiteral("В3,1,2,3,4,5,B,0,Ф\n"); // Latin B, row 4
    csv += QStringLiteral("В4,1,2,3,4,5,Д,0,Ф\n");
    const ImportResult r = importBankCsv(csv.toUtf8());
    ASSERT_EQ(r.problems.size(), 1u) << problemsOf(r).toStdString();
    const QString text = formatImportProblem(r.problems[0]);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Строка 4, столбец «ВернОтв»: «B» — латинская "
                                               "буква, вариант 2, а похожая кириллическая В — "
                                               "вариант 3")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("(3) столбец написан кириллицей")));

    // A and digits read the same in both layouts and mix with either.
    const ImportResult fine = importBankCsv(
        (kHeader + "\nВ1,1,2,3,4,5,A,0,Ф\nВ2,1,2,3,4,5,В,0,Ф\nВ3,1,2,3,4,5,2,0,Ф\n").toUtf8());
    EXPECT_TRUE(fine.ok()) << problemsOf(fine).toStdString();
}

TEST(BankImport, RowsAreNumberedAsTheSpreadsheetShowsThem) {
    QString csv = kHeader + u'\n';
    csv += QStringLiteral("\"В1\r\nвторая\nтретья строка\",1,2,3,4,5,1,0,Ф\n");
    csv += QStringLiteral("\nВ2,1,2,3,4,5,9,0,Ф\n"); // a blank row, then row 4
    const ImportResult r = importBankCsv(csv.toUtf8());
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 4);
}

TEST(BankImport, FormulaGuardIsUndoneExactly) {
    const QStringList texts = {"=СУММ(A1:A3)", "+7",      "-5 °C", "@имя", "'=уже", "''+два", "'",
                               "'обычный",     "обычный", "\tтаб", "",     "a=b"};
    for (const QString& t : texts) {
        const QString guarded = neutraliseFormula(t);
        EXPECT_EQ(restoreFormula(guarded), t) << t.toStdString();
        const QChar first = guarded.isEmpty() ? QChar() : guarded.front();
        EXPECT_FALSE(first == u'=' || first == u'+' || first == u'-' || first == u'@' ||
                     first == u'\t')
            << t.toStdString();
    }
    EXPECT_EQ(neutraliseFormula("=1"), QStringLiteral("'=1"));
    EXPECT_EQ(neutraliseFormula("'x"), QStringLiteral("'x"));
    const ImportResult r = importBankCsv((kHeader + "\n'=1+1,'-2,3,4,5,6,1,-7,'@Ф\n").toUtf8());
    ASSERT_TRUE(r.ok()) << problemsOf(r).toStdString();
    EXPECT_EQ(rowsOf(r)[0],
              (test::Values{"=1+1", "-2", "3", "4", "5", "6", "1", "-7", std::nullopt, "@Ф"}));
}

TEST(BankImport, FixtureFilesKeepTheirOwnShape) {
    ImportOptions fixture;
    fixture.fixture = true;
    fixture.addCounter = false;
    const ImportResult r = importBankCsv(QByteArray("Метка:Text;Вопросы\nм;В\n"), fixture);
    ASSERT_TRUE(r.ok()) << problemsOf(r).toStdString();
    ASSERT_EQ(r.table.columns.size(), 2u);
    EXPECT_EQ(r.table.columns[0].type, JetType::Text);
    const ImportResult bad = importBankCsv(QByteArray("Вопросы\n\"В\n"), fixture);
    ASSERT_EQ(bad.problems.size(), 1u);
    EXPECT_EQ(formatImportProblem(bad.problems[0]),
              QStringLiteral("Строка 2, поле 1: не закрыта кавычка"));
    EXPECT_FALSE(importBankCsv(QByteArray(), {}).ok());
    EXPECT_FALSE(importBankCsv(kHeader.toUtf8(), {}).ok()); // a header and no record
}

} // namespace

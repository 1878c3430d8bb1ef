// SPDX-License-Identifier: GPL-3.0-or-later
// What `qbank check` finds in a bank's records.

#include "bank/check/BankCheck.h"
#include "bank/check/BankOpenAdvice.h"
#include "tests/support/Banks.h"
#include "tests/support/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

bool hasProblem(const BankCheckReport& r, const QString& start) {
    for (const QString& p : r.problems)
        if (p.startsWith(start))
            return true;
    return false;
}

TEST(BankCheck, CleanBankHasNoProblems) {
    const BankCheckReport r = checkBank(makeBank(60));
    EXPECT_EQ(r.recordCount, 60);
    EXPECT_EQ(r.subject, QStringLiteral("Физика"));
    EXPECT_TRUE(r.problems.isEmpty()) << r.problems.join('\n').toStdString();
    EXPECT_FALSE(r.fatal);
    EXPECT_EQ(formatBankCheck(r),
              QStringLiteral("Записей: 60\nПредмет: «Физика»\nПроблем не найдено.\n"));
}

TEST(BankCheck, RightAnswersThatSpoilARecordAreFatal) {
    const std::vector<QString> bad = {"", "0", "6", "abc", "2.5"};
    for (const QString& value : bad) {
        BankTable t = makeBank(60);
        t[4] = questionRecord(QStringLiteral("Особый"), value, QStringLiteral("Физика"), 9);
        const BankCheckReport r = checkBank(t);
        EXPECT_TRUE(r.fatal) << value.toStdString();
        EXPECT_TRUE(hasProblem(r, QStringLiteral("Запись 5 (Счетчик 9): ")))
            << value.toStdString() << r.problems.join('\n').toStdString();
        EXPECT_EQ(r.problems.size(), 1) << value.toStdString();
    }
    BankTable t = makeBank(60);
    t[0].isNull[FieldRightAnswer] = true;
    t[0].text[FieldRightAnswer].clear();
    EXPECT_TRUE(
        hasProblem(checkBank(t), QStringLiteral("Запись 1 (Счетчик 1): поле «ВернОтв» пустое")));
}

TEST(BankCheck, DuplicatesLongTextsAndForeignCharactersAreListedButNotFatal) {
    BankTable t = makeBank(62);
    t[7].text[FieldQuestion] = t[2].text[FieldQuestion];
    t[40].text[FieldQuestion] = t[2].text[FieldQuestion];
    t[10].text[3] = QString(256, QChar(u'ж'));
    t[11].text[1] = QStringLiteral("☺ и 中 и ☺, но € есть в 1251");
    t[12].text[FieldSubject] = QStringLiteral("中"); // only the first subject is ever shown
    const BankCheckReport r = checkBank(t);
    EXPECT_FALSE(r.fatal);
    EXPECT_TRUE(
        hasProblem(r, QStringLiteral("Записи 3, 8, 41: одинаковый текст вопроса «Вопрос 3»")));
    EXPECT_TRUE(hasProblem(
        r, QStringLiteral("Запись 11 (Счетчик 11): поле «Ответ3» длиннее 255 символов (256)")));
    EXPECT_TRUE(hasProblem(r, QStringLiteral("Запись 12 (Счетчик 12): в поле «Ответ1» есть символы "
                                             "вне кодовой страницы 1251 («☺中»)")));
    EXPECT_EQ(r.problems.size(), 3) << r.problems.join('\n').toStdString();
}

TEST(BankCheck, SmallOrEmptyBanks) {
    const BankCheckReport small = checkBank(makeBank(10));
    EXPECT_FALSE(small.fatal);
    EXPECT_TRUE(hasProblem(small, QStringLiteral("Различных вопросов 10 — меньше, чем 60")));
    const BankCheckReport empty = checkBank({});
    EXPECT_TRUE(empty.fatal);
    EXPECT_EQ(empty.recordCount, 0);
    EXPECT_EQ(empty.problems, QStringList{QStringLiteral("В базе нет ни одной записи")});
}

TEST(BankCheck, TheSavedTestReplacesTheBuiltInOneAndRecordsOutsideItsRangeAreNamed) {
    BankCheckOptions options;
    options.savedTest = SavedTest{10, 1, 0, QStringLiteral("DB1.ini")};
    const BankCheckReport fits = checkBank(makeBank(12), options);
    EXPECT_TRUE(fits.problems.isEmpty()) << fits.problems.join(u'\n').toStdString();

    options.savedTest = SavedTest{20, 3, 8, QStringLiteral("DB1.ini")};
    const BankCheckReport r = checkBank(makeBank(12), options);
    EXPECT_TRUE(hasProblem(r, QStringLiteral("Различных вопросов 12 — меньше, чем 20 вопросов "
                                             "теста в «DB1.ini»")));
    EXPECT_TRUE(hasProblem(r, QStringLiteral("В «DB1.ini» записи от 3 до 8, а в базе их 12: "
                                             "записи 1–2 и 9–12 в тест не попадут никогда")));
    options.savedTest = SavedTest{5, 1, 12, QStringLiteral("DB1.ini")};
    EXPECT_TRUE(checkBank(makeBank(12), options).problems.isEmpty());
}

} // namespace

namespace {

TEST(BankCheck, EmptyVariantsAndTextsThatDoNotFitNameTheRecord) {
    BankTable t = makeBank(60);
    t[3].text[2].clear();
    t[3].isNull[2] = true;
    t[5].text[4] = QStringLiteral("  ");
    t[5].text[FieldRightAnswer] = QStringLiteral("4");
    t[7].text[FieldQuestion] = QStringLiteral("длинный вопрос");
    t[8].text[3] = QStringLiteral("длинный ответ ☺");
    BankCheckOptions options;
    QStringList measured;
    const TextFits fits = [&measured](QStringView s) {
        measured << s.toString();
        return !s.startsWith(QStringLiteral("длин"));
    };
    options.questionFits = fits;
    options.answerFits = fits;
    const BankCheckReport r = checkBank(t, options);
    EXPECT_TRUE(r.fatal);
    const QStringList want = {
        "Запись 4 (Счетчик 4): вариант B («Ответ2») пустой",
        "Запись 6 (Счетчик 6): верный ответ — пустой вариант D («Ответ4»): верно ответить на "
        "вопрос нельзя",
        "Запись 8 (Счетчик 8): вопрос не помещается в своё поле на экране вопроса — ученик "
        "увидит его обрезанным",
        "Запись 9 (Счетчик 9): вариант C («Ответ3») не помещается в своё поле на экране вопроса "
        "— ученик увидит его обрезанным"};
    for (const QString& w : want)
        EXPECT_TRUE(r.problems.contains(w)) << w.toStdString() << "\n"
                                            << r.problems.join('\n').toStdString();
    EXPECT_TRUE(measured.contains(QStringLiteral("длинный ответ ?"))); // the screen's 1251 view
    ASSERT_EQ(r.details.size(), size_t(r.problems.size() + r.warnings.size()));
    const BankProblem& error = r.details[1];
    EXPECT_EQ(error.severity, CheckSeverity::Error);
    EXPECT_EQ(error.record, 6);
    EXPECT_EQ(error.counter, QStringLiteral("6"));
    EXPECT_EQ(error.field, QStringLiteral("Ответ4"));
    EXPECT_TRUE(formatBankCheck(r).contains(QStringLiteral("\n  ОШИБКА: Запись 6 (Счетчик 6)")));
}

TEST(BankCheck, CounterGapsAndRepeatsAreWarnings) {
    BankTable t = makeBank(70);
    t.erase(t.begin() + 10, t.begin() + 13); // 11-13 deleted
    t.erase(t.begin() + 20);                 // 24 deleted
    t[30].text[FieldCounter] = t[31].text[FieldCounter];
    const BankCheckReport r = checkBank(t);
    EXPECT_FALSE(r.fatal);
    EXPECT_TRUE(r.problems.isEmpty()) << r.problems.join('\n').toStdString();
    EXPECT_EQ(r.warnings,
              (QStringList{"Записи 31, 32: одинаковый «Счетчик» 36 — файл, вероятно, повреждён",
                           "«Счетчик»: нет номеров 11–13, 24, 35 — записи удалены или файл "
                           "повреждён"}));
    EXPECT_TRUE(formatBankCheck(r).endsWith(QStringLiteral("Предупреждения (2):\n  Записи 31, "
                                                           "32: одинаковый «Счетчик» 36 — файл, "
                                                           "вероятно, повреждён\n  «Счетчик»: нет "
                                                           "номеров 11–13, 24, 35 — записи удалены "
                                                           "или файл повреждён\n")));
}

TEST(BankCheck, AdviceForEachWayABankFailsToOpen) {
    const std::vector<std::pair<BankFailure, QString>> cases = {
        {BankFailure::FieldMissing, "в таблице нет этого столбца"},
        {BankFailure::TypeMismatch, "не тот тип"},
        {BankFailure::TableMissing, "должна называться «Таблица1»"},
        {BankFailure::FileMissing, "проверьте путь"},
        {BankFailure::NotJet, "соберите базу заново"},
        {BankFailure::Damaged, "восстановите файл"},
        {BankFailure::NotAFile, "укажите путь"},
        {BankFailure::FileUnreadable, "можно читать"},
        {BankFailure::ReaderMissing, "установите программу заново"}};
    for (const auto& c : cases) {
        const QString advice = bankOpenAdvice(c.first);
        EXPECT_TRUE(advice.startsWith(QStringLiteral("Что делать: "))) << advice.toStdString();
        EXPECT_TRUE(advice.contains(c.second)) << advice.toStdString();
    }
}

TEST(BankCheck, AdviceFollowsTheKindOfFailureWhateverTheMessageSays) {
    // A message reworded, even to the words of another failure, keeps its advice.
    const BankReadError reworded(BankFailure::TableMissing,
                                 QStringLiteral("Файл базы данных не найден"));
    EXPECT_EQ(bankOpenAdvice(reworded), bankOpenAdvice(BankFailure::TableMissing));
    const KtError untyped(QStringLiteral("В базе данных нет таблицы «Таблица1»"));
    EXPECT_NE(bankOpenAdvice(untyped), bankOpenAdvice(BankFailure::TableMissing));
    EXPECT_TRUE(bankOpenAdvice(untyped).contains(QStringLiteral("проверьте файл базы")));
}

} // namespace

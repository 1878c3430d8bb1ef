// What `qbank check` finds in a bank's records.

#include "BankCheck.h"
#include "Banks.h"
#include "JetTestSupport.h"

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

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The bank read from real database files, made by the Jet writer at test
// time, through the reader process.
#include "bank/Bank.h"
#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "tests/bank/reader/BankFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kt;
using namespace kt::testing;

namespace {

class BankFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString loadError(const QString& file) {
        MdbBankSource source(file);
        Bank bank(source);
        try {
            bank.Open();
        } catch (const BankOpenError& e) {
            return e.message();
        } catch (const KtError& e) {
            return QStringLiteral("<not a BankOpenError> ") + e.message();
        }
        return QStringLiteral("<opened>");
    }

    std::vector<Question> sampleQuestions() const {
        std::vector<Question> qs = {question(QStringLiteral("Когда основан Петербург?"), "3"),
                                    question(QStringLiteral("Кто написал «Войну и мир»?"), "1"),
                                    question(QStringLiteral("Столица Урарту?"), "5")};
        qs[1].mark = QStringLiteral("-12");
        return qs;
    }

    static void expectSameRecords(const BankTable& a, const BankTable& b) {
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].text, b[i].text) << "record " << i;
            EXPECT_EQ(a[i].isNull, b[i].isNull) << "record " << i;
        }
    }

    QTemporaryDir m_dir;
};

std::vector<JetColumn> withoutColumn(const QString& name) {
    std::vector<JetColumn> cols = standardBankColumns();
    cols.erase(std::remove_if(cols.begin(), cols.end(),
                              [&](const JetColumn& c) { return c.name == name; }),
               cols.end());
    return cols;
}

std::vector<JetColumn> withType(const QString& name, JetType type) {
    std::vector<JetColumn> cols = standardBankColumns();
    for (JetColumn& c : cols)
        if (c.name == name)
            c.type = type;
    return cols;
}

} // namespace

TEST_F(BankFile, RecordsComeInFileOrderWithEveryField) {
    const std::vector<Question> qs = sampleQuestions();
    MdbBankSource source(writeBank(path("b.mdb"), standardBankColumns(), qs));
    const BankTable t = source.Load();
    ASSERT_EQ(t.size(), 3u);
    for (size_t i = 0; i < qs.size(); ++i) {
        EXPECT_EQ(t[i].text[FieldQuestion], qs[i].text);
        for (size_t k = 0; k < 5; ++k)
            EXPECT_EQ(t[i].text[k + 1], qs[i].answers[k]);
        EXPECT_EQ(t[i].text[FieldRightAnswer], *qs[i].right);
        EXPECT_EQ(t[i].text[FieldMark], *qs[i].mark);
        EXPECT_EQ(t[i].text[FieldCounter], QString::number(i + 1));
        EXPECT_EQ(t[i].text[FieldSubject], QStringLiteral("История"));
        EXPECT_EQ(std::count(t[i].isNull.begin(), t[i].isNull.end(), true), 0);
    }
}

TEST_F(BankFile, ManyPagesOfRecordsKeepTheirOrder) {
    std::vector<Question> qs;
    for (int i = 0; i < 3000; ++i) // descending texts: an order by text would show
        qs.push_back(
            question(QStringLiteral("Вопрос %1").arg(9999 - i), QString::number(i % 5 + 1)));
    MdbBankSource source(writeBank(path("big.mdb"), standardBankColumns(), qs));
    Bank bank(source);
    bank.Open();
    ASSERT_EQ(bank.Count(), 3000);
    EXPECT_EQ(bank.FieldText(FieldQuestion), QStringLiteral("Вопрос 7000"));
    bank.First();
    bank.MoveBy(1234);
    EXPECT_EQ(bank.FieldText(FieldQuestion), QStringLiteral("Вопрос %1").arg(9999 - 1234));
    EXPECT_EQ(bank.FieldInteger(FieldRightAnswer), 1234 % 5 + 1);
    EXPECT_EQ(bank.FieldText(FieldCounter), QStringLiteral("1235"));
    bank.MoveBy(100000); // stops at the last record
    EXPECT_EQ(bank.FieldText(FieldCounter), QStringLiteral("3000"));
}

TEST_F(BankFile, ColumnOrderAndFurtherColumnsDoNotMatter) {
    const std::vector<Question> qs = sampleQuestions();
    const BankTable plain =
        MdbBankSource(writeBank(path("plain.mdb"), standardBankColumns(), qs)).Load();
    std::vector<JetColumn> cols = standardBankColumns();
    std::reverse(cols.begin(), cols.end());
    cols.insert(cols.begin() + 3, JetColumn{QStringLiteral("Заметки"), JetType::Memo});
    cols.insert(cols.begin(), JetColumn{QStringLiteral("Вес"), JetType::Double});
    cols.push_back(JetColumn{QStringLiteral("Лишний"), JetType::Text, 40});
    cols.push_back(JetColumn{QStringLiteral("Когда"), JetType::DateTime});
    const BankTable shuffled = MdbBankSource(writeBank(path("shuffled.mdb"), cols, qs)).Load();
    expectSameRecords(plain, shuffled);
    EXPECT_EQ(shuffled.size(), 3u);
}

TEST_F(BankFile, LaterFileVersionsThatLibmdbReadsAreAccepted) {
    const QString jet = writeBank(path("jet.mdb"), standardBankColumns(), sampleQuestions());
    QFile in(jet);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    // The signature and version byte of an Access 2007 file; the rest of a
    // Jet 4 file is laid out as such a file is.
    bytes.replace(4, 15, "Standard ACE DB");
    bytes[0x14] = 0x02;
    const QString ace = path("bank.accdb");
    QFile out(ace);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    const BankTable t = MdbBankSource(ace).Load();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[2].text[FieldQuestion], QStringLiteral("Столица Урарту?"));
    bytes[0x14] = 0x17; // a version no reader knows
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    EXPECT_EQ(loadError(ace),
              QStringLiteral("Файл базы данных «%1» повреждён и не может быть прочитан").arg(ace));
}

TEST_F(BankFile, MissingFieldsAreNamedInFieldOrder) {
    const std::vector<Question> qs = sampleQuestions();
    EXPECT_EQ(loadError(writeBank(path("m.mdb"), withoutColumn("Метка"), qs)),
              QStringLiteral("Field 'Метка' not found"));
    EXPECT_EQ(loadError(writeBank(path("s.mdb"), withoutColumn("Предмет"), qs)),
              QStringLiteral("Field 'Предмет' not found"));
    // The first field in the bank's order that fails is the one reported.
    std::vector<JetColumn> cols = withType("ВернОтв", JetType::Text);
    cols.erase(cols.begin());
    EXPECT_EQ(loadError(writeBank(path("q.mdb"), cols, qs)),
              QStringLiteral("Field 'Вопросы' not found"));
}

TEST_F(BankFile, FieldsBindOnlyToColumnsOfTheirType) {
    const std::vector<Question> qs = sampleQuestions();
    struct Case {
        const char* field;
        JetType type;
        const char* message;
    };
    const Case cases[] = {
        {"ВернОтв", JetType::Integer,
         "Type mismatch for field 'ВернОтв', expecting: Word actual: SmallInt"},
        {"ВернОтв", JetType::Text,
         "Type mismatch for field 'ВернОтв', expecting: Word actual: WideString"},
        {"Метка", JetType::Long,
         "Type mismatch for field 'Метка', expecting: SmallInt actual: Integer"},
        {"Счетчик", JetType::Long,
         "Type mismatch for field 'Счетчик', expecting: AutoInc actual: Integer"},
        {"Вопросы", JetType::Memo,
         "Type mismatch for field 'Вопросы', expecting: WideString actual: WideMemo"},
        {"Ответ3", JetType::Double,
         "Type mismatch for field 'Ответ3', expecting: WideString actual: Float"},
        {"Предмет", JetType::Boolean,
         "Type mismatch for field 'Предмет', expecting: WideString actual: Boolean"},
        {"Ответ1", JetType::Currency,
         "Type mismatch for field 'Ответ1', expecting: WideString actual: BCD"},
        {"Ответ2", JetType::DateTime,
         "Type mismatch for field 'Ответ2', expecting: WideString actual: DateTime"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString file = path(QStringLiteral("t%1.mdb").arg(n++));
        writeBank(file, withType(QString::fromUtf8(c.field), c.type), qs);
        EXPECT_EQ(loadError(file), QString::fromUtf8(c.message));
    }
}

TEST_F(BankFile, FileAndTableFailuresAreOwnRussianMessagesNamingThem) {
    const QString missing = path("нет.mdb");
    EXPECT_EQ(loadError(missing), QStringLiteral("Файл базы данных «%1» не найден").arg(missing));

    const QString other = writeBank(path("other.mdb"), standardBankColumns(), sampleQuestions(),
                                    QStringLiteral("Таблица2"));
    EXPECT_EQ(loadError(other),
              QStringLiteral("В базе данных «%1» нет таблицы «Таблица1»").arg(other));

    const QString text = path("text.mdb");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("Вопросы;Ответ1\n").repeated(1000));
    f.close();
    EXPECT_EQ(loadError(text), QStringLiteral("Файл «%1» не является базой данных Jet").arg(text));
    const QString empty = path("empty.mdb");
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_EQ(loadError(empty),
              QStringLiteral("Файл «%1» не является базой данных Jet").arg(empty));

    const QString folder = path("folder.mdb");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(loadError(folder),
              QStringLiteral("Файл базы данных «%1» не удаётся открыть для чтения").arg(folder));
}

TEST_F(BankFile, TextsFollowTheCodePageRules) {
    Question q = question(QStringLiteral("Q"), "2");
    q.text = QString(255, QChar(u'Щ'));
    q.answers[0] = QStringLiteral("Ω-функция и √2, цена 5 €");
    q.answers[1] = QStringLiteral("Straße ẞ ÿ");
    q.subject = QStringLiteral("Физика ℏ");
    MdbBankSource source(writeBank(path("cp.mdb"), standardBankColumns(), {q}));
    const BankTable raw = source.LoadRaw();
    const BankTable cut = source.Load();
    ASSERT_EQ(raw.size(), 1u);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(raw[0].text[FieldQuestion], q.text);
    EXPECT_EQ(cut[0].text[FieldQuestion], q.text);
    EXPECT_EQ(raw[0].text[1], q.answers[0]);
    EXPECT_EQ(cut[0].text[1], QStringLiteral("?-функция и ?2, цена 5 €"));
    EXPECT_EQ(cut[0].text[2], QStringLiteral("Stra?e ? ?"));
    EXPECT_EQ(raw[0].text[FieldSubject], q.subject);
    EXPECT_EQ(cut[0].text[FieldSubject], QStringLiteral("Физика ?"));
}

TEST_F(BankFile, LibmdbSettingsOfTheUserDoNotChangeTheTexts) {
    const QString file = writeBank(path("env.mdb"), standardBankColumns(), sampleQuestions());
    qputenv("MDBICONV", "KOI8-R");
    qputenv("MDBOPTS", "debug_all");
    const BankTable t = MdbBankSource(file).Load();
    qunsetenv("MDBICONV");
    qunsetenv("MDBOPTS");
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1].text[FieldQuestion], QStringLiteral("Кто написал «Войну и мир»?"));
}

TEST_F(BankFile, EmptyTableAndNullsAreReadAsSuch) {
    MdbBankSource none(writeBank(path("none.mdb"), standardBankColumns(), {}));
    Bank empty(none);
    empty.Open();
    EXPECT_EQ(empty.Count(), 0);

    Question q = question(QStringLiteral("Без ответа"), "1");
    q.right.reset();
    q.mark.reset();
    q.answers[4].clear();
    MdbBankSource source(writeBank(path("nulls.mdb"), standardBankColumns(), {q}));
    Bank bank(source);
    bank.Open();
    ASSERT_EQ(bank.Count(), 1);
    const BankRecord r = bank.records().record(0);
    EXPECT_TRUE(r.isNull[FieldRightAnswer]);
    EXPECT_TRUE(r.isNull[FieldMark]);
    EXPECT_FALSE(r.isNull[FieldQuestion]);
    EXPECT_EQ(r.text[5], QString());
    try {
        bank.FieldInteger(FieldRightAnswer);
        ADD_FAILURE() << "a null right answer must not convert";
    } catch (const KtError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Could not convert variant of type (Null) into type (Integer)"));
    }
}

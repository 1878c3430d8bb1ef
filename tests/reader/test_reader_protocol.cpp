#include "ReaderProtocol.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {

BankRecord sampleRecord(const QString& question) {
    BankRecord r;
    for (size_t i = 0; i < r.text.size(); ++i)
        r.text[i] = QStringLiteral("поле %1").arg(i);
    r.text[FieldQuestion] = question;
    r.text[FieldRightAnswer].clear();
    r.isNull[FieldRightAnswer] = true;
    return r;
}

QByteArray goodAnswer(const BankTable& table) {
    QByteArray out = encodeColumnsFrame();
    for (const BankRecord& r : table)
        out += encodeRecordFrame(r);
    return out + encodeEndFrame(static_cast<quint32>(table.size()));
}

} // namespace

TEST(ReaderProtocol, RecordsSurviveTheTripInOrderWithNullsAndAnyCharacters) {
    const BankTable sent = {sampleRecord(QStringLiteral("Вопрос ✓ \U0001F600")),
                            sampleRecord(QString(300, QChar(u'ж'))), sampleRecord(QString())};
    ReaderStreamParser parser(1 << 20);
    const QByteArray bytes = goodAnswer(sent);
    // Arrives one byte at a time: frames split anywhere must still be read.
    for (char c : bytes)
        ASSERT_TRUE(parser.Feed(QByteArray(1, c)));
    ASSERT_TRUE(parser.Finish());
    EXPECT_FALSE(parser.error().has_value());
    const BankTable got = parser.TakeTable();
    ASSERT_EQ(got.size(), sent.size());
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(got[i].text, sent[i].text);
        EXPECT_EQ(got[i].isNull, sent[i].isNull);
    }
}

TEST(ReaderProtocol, ErrorFrameCarriesItsArgumentsIntoTheMessages) {
    ReaderStreamParser parser(1 << 20);
    const ReaderError sent{
        ReaderFailure::TypeMismatch,
        {QStringLiteral("ВернОтв"), QStringLiteral("Word"), QStringLiteral("WideString")}};
    ASSERT_TRUE(parser.Feed(encodeErrorFrame(sent)));
    ASSERT_TRUE(parser.Finish());
    ASSERT_TRUE(parser.error().has_value());
    EXPECT_EQ(
        readerErrorMessage(*parser.error(), QStringLiteral("b.mdb")),
        QStringLiteral("Type mismatch for field 'ВернОтв', expecting: Word actual: WideString"));
    EXPECT_EQ(readerErrorMessage({ReaderFailure::FieldMissing, {QStringLiteral("Метка")}}, "x"),
              QStringLiteral("Field 'Метка' not found"));
    const QString missingTable = readerErrorMessage(
        {ReaderFailure::TableMissing, {QStringLiteral("Таблица1")}}, QStringLiteral("/d/b.mdb"));
    EXPECT_TRUE(missingTable.contains(QStringLiteral("Таблица1")));
    EXPECT_TRUE(missingTable.contains(QStringLiteral("/d/b.mdb")));
    for (ReaderFailure f : {ReaderFailure::FileMissing, ReaderFailure::FileUnreadable,
                            ReaderFailure::NotJet, ReaderFailure::Damaged})
        EXPECT_TRUE(readerErrorMessage({f, {}}, QStringLiteral("/d/b.mdb"))
                        .contains(QStringLiteral("«/d/b.mdb»")));
}

TEST(ReaderProtocol, EveryIncompleteOrMalformedAnswerIsRefused) {
    const BankTable one = {sampleRecord(QStringLiteral("q"))};
    const QByteArray good = goodAnswer(one);
    QByteArray wrongCount = encodeColumnsFrame() + encodeRecordFrame(one[0]) + encodeEndFrame(2);
    QByteArray recordsFirst = encodeRecordFrame(one[0]) + encodeEndFrame(1);
    QByteArray afterEnd = good + encodeRecordFrame(one[0]);
    QByteArray badKind = good;
    badKind[4] = 'X';
    QByteArray oddText = good;
    oddText[encodeColumnsFrame().size() + 6] = 3; // first text length made odd
    QByteArray hugeFrame("\xff\xff\xff\x7f"
                         "R",
                         5);
    QByteArray badError = encodeErrorFrame({ReaderFailure::FieldMissing, {}});
    const QList<QByteArray> cases = {good.left(good.size() - 1), // cut short
                                     encodeColumnsFrame(),       // no end
                                     wrongCount,
                                     recordsFirst,
                                     afterEnd,
                                     badKind,
                                     oddText,
                                     hugeFrame,
                                     badError,
                                     QByteArray()};
    for (qsizetype i = 0; i < cases.size(); ++i) {
        ReaderStreamParser parser(1 << 20);
        const bool fed = parser.Feed(cases[i]);
        EXPECT_FALSE(fed && parser.Finish()) << "case " << i;
        EXPECT_TRUE(parser.TakeTable().empty()) << "case " << i;
    }
}

TEST(ReaderProtocol, OutputBeyondTheLimitIsRefused) {
    const BankTable many(50, sampleRecord(QStringLiteral("q")));
    const QByteArray bytes = goodAnswer(many);
    ReaderStreamParser tight(bytes.size() - 1);
    EXPECT_FALSE(tight.Feed(bytes));
    ReaderStreamParser exact(bytes.size());
    EXPECT_TRUE(exact.Feed(bytes));
    EXPECT_TRUE(exact.Finish());
    EXPECT_EQ(exact.TakeTable().size(), 50u);
}

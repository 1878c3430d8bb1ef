// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"
#include "bank/ReaderProtocol.h"

#include <QRandomGenerator>

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
    QByteArray longText = good;
    longText[encodeColumnsFrame().size() + 6] = '\x7f'; // first text longer than its record
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
                                     longText,
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

namespace {

CompactBank compactOf(const QByteArray& answer) {
    ReaderStreamParser parser(1 << 24, RecordForm::Compact);
    EXPECT_TRUE(parser.Feed(answer));
    EXPECT_TRUE(parser.Finish());
    return parser.TakeCompact();
}

} // namespace

// The compact form maps the code page while it decodes a frame; what it
// keeps must be exactly what the code page rules make of the full text.
TEST(ReaderProtocol, CompactRecordsHoldTheCodePageFormOfEveryText) {
    BankRecord r = sampleRecord(QString(300, QChar(u'ё')) + QStringLiteral("€"));
    r.text[FieldAnswer1] = QStringLiteral("Ответ № 1 «€» \u263A \U0001F600!");
    r.text[2] = QString(254, QChar(u'a')) + QStringLiteral("\U0001F600z"); // a pair at the cut
    const CompactBank kept = compactOf(goodAnswer({r}));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept.text(0, FieldQuestion), QString(255, QChar(u'ё')));
    EXPECT_EQ(kept.text(0, FieldAnswer1), QStringLiteral("Ответ № 1 «€» ? ?!"));
    EXPECT_EQ(kept.bytes(0, FieldAnswer1).first(5), QByteArrayView("\xCE\xF2\xE2\xE5\xF2"));
    EXPECT_EQ(kept.text(0, 2), QString(254, QChar(u'a')) + QStringLiteral("?"));
    EXPECT_TRUE(kept.isNull(0, FieldRightAnswer));
    EXPECT_FALSE(kept.isNull(0, FieldMark));
    EXPECT_EQ(kept.text(0, FieldRightAnswer), QString());
}

TEST(ReaderProtocol, CompactAndFullTextsAgreeOnRandomAndMalformedTexts) {
    const QString pool = QStringLiteral("aZ09 ?Жжёё№€‰«»\u00A0\u263A\u4E2D\u00E9\U0001F600\uFFFD");
    QRandomGenerator rng(20261208);
    BankTable table;
    for (int n = 0; n < 300; ++n) {
        BankRecord r;
        for (QString& t : r.text)
            for (int len = rng.bounded(300); len > 0; --len) {
                const int at = rng.bounded(pool.size());
                t += pool.at(at).isSurrogate() ? pool.mid(at - (pool.at(at).isLowSurrogate()), 2)
                                               : QString(pool.at(at));
            }
        table.push_back(r);
    }
    // Bytes that are not UTF-8 go the way Qt reads them.
    RecordFields bad;
    const QByteArray junk("ok\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82 \xD0\x96", 17);
    for (QByteArrayView& v : bad.text)
        v = junk;
    QByteArray answer = encodeColumnsFrame(301);
    for (const BankRecord& r : table)
        answer += encodeRecordFrame(r);
    appendRecordFrame(answer, bad);
    answer += encodeEndFrame(301);

    ReaderStreamParser raw(1 << 24, RecordForm::Raw);
    ASSERT_TRUE(raw.Feed(answer) && raw.Finish());
    const BankTable full = raw.TakeTable();
    const CompactBank kept = compactOf(answer);
    ASSERT_EQ(kept.size(), 301);
    ASSERT_EQ(full.size(), 301u);
    for (qsizetype i = 0; i < kept.size(); ++i)
        for (int f = 0; f < FieldCountTotal; ++f)
            ASSERT_EQ(kept.text(i, f), cp1251Text(full[size_t(i)].text[size_t(f)], 255))
                << "record " << i << " field " << f;
    EXPECT_EQ(CompactBank::fromTable(full).text(300, 0), kept.text(300, 0));
}

// Full texts are decoded without a QString each; they must still read as Qt
// reads UTF-8, bad bytes and all. A parser with a sink hands over every
// record as it would have kept it, though it reuses one record's room.
TEST(ReaderProtocol, FullTextsReadAsQtReadsUtf8AndTheSinkSeesEveryRecord) {
    const std::vector<QByteArray> pieces = {"a",        "7 ",           "\xD0\x96",
                                            "\xD1\x91", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                            "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                            "\xE2\x82", "\xD0",         "\x80",
                                            "\xFF",     "\xEF\xBB\xBF"};
    QRandomGenerator rng(8122026);
    std::vector<std::array<QByteArray, FieldCountTotal>> bytes(200);
    QByteArray answer = encodeColumnsFrame(200);
    for (auto& record : bytes) {
        RecordFields fields;
        for (int f = 0; f < FieldCountTotal; ++f) {
            for (int n = rng.bounded(40); n > 0; --n)
                record[size_t(f)] += pieces[rng.bounded(int(pieces.size()))];
            fields.text[size_t(f)] = record[size_t(f)];
            fields.isNull[size_t(f)] = record[size_t(f)].isEmpty() && rng.bounded(2) == 0;
        }
        appendRecordFrame(answer, fields);
    }
    answer += encodeEndFrame(200);

    ReaderStreamParser kept(1 << 24, RecordForm::Raw);
    ASSERT_TRUE(kept.Feed(answer) && kept.Finish());
    const RawBank raw = kept.TakeRaw();
    struct Collect : RawRecordSink {
        void expect(qsizetype records) override { expected = records; }
        void take(const RecordTexts& r) override {
            BankRecord copy;
            for (int f = 0; f < FieldCountTotal; ++f) {
                copy.text[size_t(f)] = r.text(0, f).toString();
                copy.isNull[size_t(f)] = r.isNull(0, f);
            }
            seen.push_back(copy);
        }
        qsizetype expected = 0;
        BankTable seen;
    } sink;
    ReaderStreamParser streamed(1 << 24, sink);
    ASSERT_TRUE(streamed.Feed(answer) && streamed.Finish());
    const BankTable& seen = sink.seen;
    EXPECT_EQ(sink.expected, 200);
    ASSERT_EQ(raw.size(), 200);
    ASSERT_EQ(seen.size(), 200u);
    for (qsizetype i = 0; i < raw.size(); ++i)
        for (int f = 0; f < FieldCountTotal; ++f) {
            const QString want = QString::fromUtf8(bytes[size_t(i)][size_t(f)]);
            ASSERT_EQ(raw.text(i, f), want) << "record " << i << " field " << f;
            ASSERT_EQ(seen[size_t(i)].text[size_t(f)], want) << "record " << i << " field " << f;
            ASSERT_EQ(seen[size_t(i)].isNull[size_t(f)], raw.isNull(i, f));
        }
}

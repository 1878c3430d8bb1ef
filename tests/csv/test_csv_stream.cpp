// SPDX-License-Identifier: GPL-3.0-or-later
// CSV read in pieces, as a file too large to hold is read: however the
// pieces cut the text, the records are those of the whole text, and a
// record beyond the limits is refused before it grows further.

#include "bank/Cp1251.h"
#include "csv/CsvDialect.h"
#include "csv/CsvTable.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace kt;

namespace {

// The records of the text when the source hands it out `size` characters
// at a time.
std::vector<CsvRecord> inPieces(const QString& text, int size, QChar separator = u',') {
    qsizetype at = 0;
    CsvReader reader(
        [&]() {
            const QString piece = text.mid(at, size);
            at += piece.size();
            return piece;
        },
        separator);
    std::vector<CsvRecord> out;
    CsvRecord r;
    while (reader.next(r))
        out.push_back(r);
    return out;
}

void expectSame(const std::vector<CsvRecord>& a, const std::vector<CsvRecord>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].line, b[i].line) << i;
        ASSERT_EQ(a[i].cells.size(), b[i].cells.size()) << i;
        for (size_t c = 0; c < a[i].cells.size(); ++c) {
            EXPECT_EQ(a[i].cells[c].text, b[i].cells[c].text) << i << " " << c;
            EXPECT_EQ(a[i].cells[c].quoted, b[i].cells[c].quoted) << i << " " << c;
        }
    }
}

QString allText(QIODevice& device, CsvEncoding encoding) {
    CsvFileText text(device, encoding);
    QString all;
    for (QString piece = text.next(); !piece.isEmpty(); piece = text.next())
        all += piece;
    return all;
}

TEST(CsvStream, PiecesCutAnywhereGiveTheRecordsOfTheWholeText) {
    const QString text = QStringLiteral("а,б\r\n\r\n\"x, \"\"y\"\"\r\nz\",,\"\"\r\nпоследний\r");
    const std::vector<CsvRecord> whole = parseCsv(text);
    ASSERT_EQ(whole.size(), 3u);
    for (int size : {1, 2, 3, 5, 7})
        expectSame(inPieces(text, size), whole);
}

TEST(CsvStream, LimitsOfARecordAreKeptToTheCharacter) {
    const QString atFields = QString(kCsvMaxFields - 1, u';');
    EXPECT_EQ(inPieces(atFields, 4096, u';').at(0).cells.size(), size_t(kCsvMaxFields));
    const QString atField = QString(kCsvMaxFieldLength, u'x');
    EXPECT_EQ(inPieces(u'"' + atField + u'"', 4096).at(0).cells.at(0).text, atField);

    struct Case {
        QString text;
        int column;
        QString says;
    };
    const QString field(kCsvMaxFieldLength / 2, u'y');
    const std::vector<Case> beyond = {
        {QStringLiteral("а\n") + QString(kCsvMaxFields, u','), kCsvMaxFields + 1,
         "больше 1\u00A0000 полей"},
        {QStringLiteral("а\n\"") + atField + QStringLiteral("x\""), 1,
         "поле длиннее 100\u00A0000 символов"},
        {QStringLiteral("а\nб,") + atField + u'x', 2, "поле длиннее"},
        {QStringLiteral("а\n") + (field + u',').repeated(kCsvMaxRecordLength / field.size()),
         // the first field that takes the record past the limit
         static_cast<int>(kCsvMaxRecordLength / (field.size() + 1)) + 1,
         "запись длиннее 1\u00A0000\u00A0000 символов"}};
    for (const Case& c : beyond) {
        try {
            inPieces(c.text, 4096);
            ADD_FAILURE() << c.says.toStdString() << ": read without a word";
        } catch (const CsvError& e) {
            EXPECT_EQ(e.line(), 2) << c.says.toStdString();
            EXPECT_EQ(e.column(), c.column) << c.says.toStdString();
            EXPECT_TRUE(e.reason().contains(c.says)) << e.reason().toStdString();
        }
    }
}

TEST(CsvStream, FileTextDecodesSequencesCutBetweenPiecesAndDropsTheMark) {
    // Two- and four-byte sequences fall across every piece boundary.
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += i % 3 ? QStringLiteral("ж") : QStringLiteral("😀");
    QBuffer utf8;
    utf8.setData("\xEF\xBB\xBF" + text.toUtf8());
    utf8.open(QIODevice::ReadOnly);
    CsvEncoding used = CsvEncoding::Cp1251;
    ASSERT_TRUE(detectCsvEncoding(utf8, CsvEncoding::Detect, used));
    EXPECT_EQ(used, CsvEncoding::Utf8);
    EXPECT_EQ(allText(utf8, used), text);

    QBuffer cp1251;
    cp1251.setData(encodeCp1251(QStringLiteral("Вопрос;да\r\n").repeated(20000)));
    cp1251.open(QIODevice::ReadOnly);
    ASSERT_TRUE(detectCsvEncoding(cp1251, CsvEncoding::Detect, used));
    EXPECT_EQ(used, CsvEncoding::Cp1251);
    EXPECT_EQ(allText(cp1251, used), QStringLiteral("Вопрос;да\r\n").repeated(20000));
}

TEST(CsvStream, EncodingIsFoundFromTheWholeFileNotItsFirstPiece) {
    // Valid UTF-8 for far more than one piece, then one byte that is not.
    QBuffer late;
    late.setData(QByteArray("Вопрос,да\n").repeated(20000) + "\xC0\n");
    late.open(QIODevice::ReadOnly);
    CsvEncoding used = CsvEncoding::Utf8;
    EXPECT_TRUE(detectCsvEncoding(late, CsvEncoding::Detect, used));
    EXPECT_EQ(used, CsvEncoding::Cp1251);
    EXPECT_EQ(late.pos(), 0);
    EXPECT_FALSE(detectCsvEncoding(late, CsvEncoding::Utf8, used));

    QBuffer cut; // a file that ends inside a sequence is not UTF-8 either
    cut.setData(QByteArray("Вопрос").left(5));
    cut.open(QIODevice::ReadOnly);
    EXPECT_FALSE(detectCsvEncoding(cut, CsvEncoding::Utf8, used));
}

} // namespace

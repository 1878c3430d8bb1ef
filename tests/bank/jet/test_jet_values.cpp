// SPDX-License-Identifier: GPL-3.0-or-later
// Values as a row stores them, the type names of CSV headers, and the
// masking of the database definition page.

#include "bank/KtError.h"
#include "bank/jet/JetPages.h"
#include "bank/jet/JetValue.h"
#include "tests/support/JetTestSupport.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace kt;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

TEST(JetValue, NumbersAreLittleEndianWithinTheirRange) {
    EXPECT_EQ(encodeJetValue({"x", JetType::Byte}, "255").bytes, bytes({0xFF}));
    EXPECT_EQ(encodeJetValue({"x", JetType::Integer}, " -2 ").bytes, bytes({0xFE, 0xFF}));
    EXPECT_EQ(encodeJetValue({"x", JetType::Long}, "305419896").bytes,
              bytes({0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(encodeJetValue({"x", JetType::Currency}, "1.5").bytes,
              bytes({0x98, 0x3A, 0, 0, 0, 0, 0, 0})); // 15000 ten-thousandths
    EXPECT_EQ(encodeJetValue({"x", JetType::Double}, "1").bytes,
              bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_FALSE(encodeJetValue({"x", JetType::Byte}, "256").problem.isEmpty());
    EXPECT_FALSE(encodeJetValue({"x", JetType::Integer}, "-32769").problem.isEmpty());
    EXPECT_FALSE(encodeJetValue({"x", JetType::Long}, "2147483648").problem.isEmpty());
    EXPECT_FALSE(encodeJetValue({"x", JetType::Double}, "1,5").problem.isEmpty());
    EXPECT_FALSE(encodeJetValue({"x", JetType::Byte}, "").problem.isEmpty());
}

TEST(JetValue, DatesCountDaysFrom30December1899) {
    const auto day = [](const QString& text) {
        const QByteArray b = encodeJetValue({"x", JetType::DateTime}, text).bytes;
        return qFromLittleEndian<double>(b.constData());
    };
    EXPECT_DOUBLE_EQ(day("1899-12-30"), 0.0);
    EXPECT_DOUBLE_EQ(day("07.12.2026 18:00:00"), 46363.75);
    EXPECT_DOUBLE_EQ(day("1899-12-29 06:00:00"), -1.25);
    EXPECT_FALSE(encodeJetValue({"x", JetType::DateTime}, "завтра").problem.isEmpty());
}

TEST(JetValue, TextsAreUcs2AndMeasuredInCharacters) {
    EXPECT_EQ(encodeJetValue({"x", JetType::Text, 2}, "Яz").bytes, bytes({0x2F, 0x04, 0x7A, 0}));
    EXPECT_TRUE(encodeJetValue({"x", JetType::Text, 2}, "").bytes.isEmpty());
    EXPECT_EQ(encodeJetValue({"x", JetType::Text, 2}, "Яzz").problem,
              QStringLiteral("текст длиннее 2 символов (3)"));
    const JetEncoded memo = encodeJetValue({"x", JetType::Memo}, "Яz");
    EXPECT_EQ(memo.bytes, bytes({4, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0x2F, 0x04, 0x7A, 0}));
    EXPECT_FALSE(encodeJetValue({"x", JetType::Text}, QString(QChar(0xFEFF))).problem.isEmpty());
}

TEST(JetValue, BooleansLiveInTheFlag) {
    EXPECT_TRUE(encodeJetValue({"x", JetType::Boolean}, "да").flag);
    EXPECT_TRUE(encodeJetValue({"x", JetType::Boolean}, "TRUE").flag);
    EXPECT_FALSE(encodeJetValue({"x", JetType::Boolean}, "0").flag);
    EXPECT_TRUE(encodeJetValue({"x", JetType::Boolean}, "0").problem.isEmpty());
    EXPECT_FALSE(encodeJetValue({"x", JetType::Boolean}, "2").problem.isEmpty());
}

TEST(JetValue, TypeNamesParseAndPrint) {
    JetColumn c{"x", JetType::Byte};
    ASSERT_TRUE(parseJetTypeName("text(40)", c));
    EXPECT_EQ(c.type, JetType::Text);
    EXPECT_EQ(c.maxLength, 40);
    EXPECT_EQ(jetTypeName(c), QStringLiteral("Text(40)"));
    ASSERT_TRUE(parseJetTypeName(" LONG ", c));
    EXPECT_EQ(c.type, JetType::Long);
    EXPECT_EQ(jetTypeName(c), QStringLiteral("Long"));
    EXPECT_FALSE(parseJetTypeName("Text(0)", c));
    EXPECT_FALSE(parseJetTypeName("Целое", c));
}

TEST(JetPages, Rc4MatchesTheKnownVector) {
    QByteArray data("Plaintext");
    jet::rc4(QByteArray("Key"), data.data(), data.size());
    EXPECT_EQ(data.toHex(), QByteArray("bbf316e8d940af0ad3"));
}

TEST(JetPages, DefinitionPageUnmasksToKeyZeroAndEmptyPassword) {
    QByteArray page = jet::databaseDefinitionPage(46363.75);
    EXPECT_EQ(page.mid(4, 16), QByteArray("Standard Jet DB\0", 16));
    EXPECT_EQ(page[0x14], 0x01);
    jet::rc4(QByteArray("\xC7\xDA\x39\x6B", 4), page.data() + 0x18, 128);
    EXPECT_EQ(qFromLittleEndian<quint32>(page.constData() + 0x3E), 0u);
    EXPECT_EQ(qFromLittleEndian<double>(page.constData() + 0x72), 46363.75);
    // The password is stored masked with the whole days of the creation date.
    for (int i = 0; i < 40; i += 4)
        EXPECT_EQ(qFromLittleEndian<quint32>(page.constData() + 0x42 + i), 46363u) << i;
}

TEST(JetPages, RowsCarryOffsetsAndNullMask) {
    const jet::TableLayout layout = jet::layOut({{"a", jet::CodeByte, 1, true},
                                                 {"t", jet::CodeText, 20, false},
                                                 {"b", jet::CodeBoolean, 1, true},
                                                 {"u", jet::CodeText, 20, false}});
    jet::Cell a{true, bytes({7})}, t{true, bytes({0x41, 0})}, b{true, {}, true}, u{};
    const QByteArray row = jet::encodeRow(layout, {a, t, b, u});
    // count, fixed byte, "A", end offset, offsets of u and t, 2 variable columns, mask 0111
    EXPECT_EQ(row, bytes({4, 0, 7, 0x41, 0, 5, 0, 5, 0, 3, 0, 2, 0, 0x07}));
}

// The writer's own encoders never make these; the checks keep a fault there
// from reaching a saved file. The writer's API cannot produce them.
TEST(JetPages, FixedValueOfAnotherSizeIsRefused) {
    const jet::TableLayout layout =
        jet::layOut({{"n", jet::CodeLong, 4, true}, {"t", jet::CodeText, 20, false}});
    const jet::Cell text{true, bytes({0x41, 0})};
    for (const QByteArray& value : {bytes({1, 2}), bytes({1, 2, 3, 4, 5})})
        EXPECT_THROW(jet::encodeRow(layout, {jet::Cell{true, value}, text}), KtError);
    EXPECT_EQ(jet::encodeRow(layout, {jet::Cell{true, bytes({1, 2, 3, 4})}, text}).size(), 15);
}

TEST(JetPages, RowThatDoesNotFitThePageIsRefused) {
    jet::DataPage page(2);
    const QByteArray row(1500, 'x');
    EXPECT_EQ(page.add(row), 0);
    EXPECT_EQ(page.add(row), 1);
    const QByteArray before = page.bytes();
    EXPECT_FALSE(page.fits(static_cast<int>(row.size())));
    EXPECT_THROW(page.add(row), KtError);
    EXPECT_EQ(page.bytes(), before);
    EXPECT_EQ(page.rowCount(), 2);
}

TEST(JetPages, SmallMapsKeepTheirBitmapInline) {
    const jet::UsageMap map = jet::usageMap({5, 6, 9, 516}, 900);
    EXPECT_TRUE(map.mapPages.empty());
    ASSERT_EQ(map.row.size(), 69);
    EXPECT_EQ(map.row.left(5), bytes({0, 5, 0, 0, 0}));
    EXPECT_EQ(map.row[5], 0x13);                         // pages 5, 6 and 9
    EXPECT_EQ(map.row[5 + 63], static_cast<char>(0x80)); // page 516
    EXPECT_EQ(jet::usageMap({}, 900).row, QByteArray(69, '\0'));
}

TEST(JetPages, LargeMapsReferToBitmapPagesOfFixedStretches) {
    // Each bitmap page covers 4092 * 8 = 32736 pages from a multiple of that.
    const jet::UsageMap map = jet::usageMap({5, 600, 32736 + 3, 2 * 32736 + 8}, 900);
    ASSERT_EQ(map.mapPages.size(), 3u);
    ASSERT_EQ(map.row.size(), 1 + 4 * 17);
    EXPECT_EQ(map.row[0], 0x01);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(qFromLittleEndian<quint32>(map.row.constData() + 1 + 4 * i), 900u + i) << i;
    EXPECT_EQ(qFromLittleEndian<quint32>(map.row.constData() + 1 + 4 * 3), 0u);
    for (const QByteArray& page : map.mapPages)
        EXPECT_EQ(page.left(4), bytes({0x05, 0x01, 0, 0}));
    EXPECT_EQ(map.mapPages[0][4], 0x20);      // page 5
    EXPECT_EQ(map.mapPages[0][4 + 75], 0x01); // page 600
    EXPECT_EQ(map.mapPages[1][4], 0x08);      // page 32739
    EXPECT_EQ(map.mapPages[2][4 + 1], 0x01);  // page 65480
}

} // namespace

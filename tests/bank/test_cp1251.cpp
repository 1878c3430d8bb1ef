// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"

#include <gtest/gtest.h>

using namespace kt;

TEST(Cp1251, CyrillicAndPunctuationMapToTheirBytes) {
    const QByteArray bytes = encodeCp1251(QStringLiteral("Аяё Ё№€ «»\u00A0"));
    const QByteArray expected("\xC0\xFF\xB8\x20\xA8\xB9\x88\x20\xAB\xBB\xA0", 11);
    EXPECT_EQ(bytes, expected);
}

TEST(Cp1251, CharactersTheCodePageLacksBecomeQuestionMarks) {
    // Qt's own encoder would write 0x1A here; the system writes "?".
    EXPECT_EQ(encodeCp1251(QStringLiteral("a\u4E2Db\u00E9")), QByteArray("a?b?"));
    EXPECT_EQ(cp1251Text(QStringLiteral("x\u4E2Dy")), QStringLiteral("x?y"));
    EXPECT_FALSE(fitsCp1251(QStringLiteral("\u00E9")));
    EXPECT_TRUE(fitsCp1251(QStringLiteral("Привет, мир! №5")));
    // One character outside the basic plane is one "?", not two.
    EXPECT_EQ(encodeCp1251(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(cp1251Text(QStringLiteral("a\U0001F600b")), QStringLiteral("a?b"));
}

TEST(Cp1251, EveryAssignedByteSurvivesDecodeAndEncode) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98)
            all.append(static_cast<char>(b));
    EXPECT_EQ(encodeCp1251(decodeCp1251(all)), all);
    EXPECT_EQ(decodeCp1251(QByteArray("\x98", 1)), QStringLiteral("?"));
}

TEST(Cp1251, TextIsCutAtTheGivenLength) {
    const QString longText(300, QChar(u'Ж'));
    EXPECT_EQ(cp1251Text(longText).size(), 255);
    EXPECT_EQ(cp1251Text(longText, 15).size(), 15);
    EXPECT_EQ(cp1251Text(QStringLiteral("abc")), QStringLiteral("abc"));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TextFormats.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {
const QString nbsp(QChar(0x00A0));
double seconds(double s) {
    return s / 86400.0;
}
} // namespace

TEST(TimeText, HoursWithoutLeadingZeroMinutesAndSecondsWithTwo) {
    EXPECT_EQ(timeText(0.0), "0:00:00");
    EXPECT_EQ(timeText(seconds(9 * 3600 + 5 * 60 + 3)), "9:05:03");
    EXPECT_EQ(timeText(seconds(2 * 3600 - 1)), "1:59:59");
    EXPECT_EQ(timeText(seconds(23 * 3600 + 59 * 60 + 59)), "23:59:59");
}

TEST(TimeText, RoundsToTheMillisecondBeforeDroppingIt) {
    EXPECT_EQ(timeText(seconds(1.9996)), "0:00:02");
    EXPECT_EQ(timeText(seconds(1.9994)), "0:00:01");
    EXPECT_EQ(timeText(seconds(0.0004)), "0:00:00");
}

TEST(TimeText, CountingDownSecondBySecondNeverSkipsASecond) {
    double left = 0.0;
    ASSERT_TRUE(parseTimeText(QStringLiteral("3:0:00"), &left));
    double one = 0.0;
    ASSERT_TRUE(parseTimeText(QStringLiteral("00:00:01"), &one));
    for (int remaining = 3 * 3600 - 1; remaining >= 0; --remaining) {
        left -= one;
        const QString expected = QStringLiteral("%1:%2:%3")
                                     .arg(remaining / 3600)
                                     .arg(remaining / 60 % 60, 2, 10, QLatin1Char('0'))
                                     .arg(remaining % 60, 2, 10, QLatin1Char('0'));
        ASSERT_EQ(timeText(left), expected) << remaining;
    }
}

TEST(ParseTimeText, AcceptsOneAndTwoDigitParts) {
    double v = -1;
    ASSERT_TRUE(parseTimeText(QStringLiteral("2:0:00"), &v));
    EXPECT_DOUBLE_EQ(v, seconds(7200));
    ASSERT_TRUE(parseTimeText(QStringLiteral("02:00:00"), &v));
    EXPECT_DOUBLE_EQ(v, seconds(7200));
    ASSERT_TRUE(parseTimeText(QStringLiteral("1:5:7"), &v));
    EXPECT_DOUBLE_EQ(v, seconds(3600 + 300 + 7));
    ASSERT_TRUE(parseTimeText(QStringLiteral("0:00:00"), &v));
    EXPECT_EQ(v, 0.0);
}

TEST(ParseTimeText, RejectsWhatIsNoTime) {
    double v = 0;
    for (const char* bad : {"", "1:00", "1:60:00", "1:00:60", "24:00:00", "123:00:00", "a:00:00",
                            "1:00:00:00", "1.00.00", " 1:00:00", "1::00"})
        EXPECT_FALSE(parseTimeText(QString::fromLatin1(bad), &v)) << bad;
}

TEST(DateAndTimeOfDay, RussianShortDateAndLongTime) {
    EXPECT_EQ(dateText(QDate(2026, 12, 7)), "07.12.2026");
    EXPECT_EQ(dateText(QDate(2027, 1, 31)), "31.01.2027");
    EXPECT_EQ(timeOfDayText(QTime(9, 5, 3, 999)), "9:05:03");
    EXPECT_EQ(timeOfDayText(QTime(0, 0, 0)), "0:00:00");
    EXPECT_EQ(timeOfDayText(QTime(21, 40, 59)), "21:40:59");
}

TEST(GroupedNumber, NoBreakSpaceFromOneThousandOn) {
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(999), "999");
    EXPECT_EQ(groupedNumber(1000), "1" + nbsp + "000");
    EXPECT_EQ(groupedNumber(32767), "32" + nbsp + "767");
    EXPECT_EQ(groupedNumber(1234567), "1" + nbsp + "234" + nbsp + "567");
    EXPECT_EQ(groupedNumber(-1500), "-1" + nbsp + "500");
    EXPECT_EQ(groupedNumber(-15), "-15");
}

TEST(PercentText, RoundsDownExactly) {
    EXPECT_EQ(percentText(7, 9), "77 %");
    EXPECT_EQ(percentText(29, 50), "58 %");
    EXPECT_EQ(percentText(9, 9), "100 %");
    EXPECT_EQ(percentText(0, 9), "0 %");
    EXPECT_EQ(percentText(1, 3), "33 %");
    EXPECT_EQ(percentText(2, 3), "66 %");
}

TEST(PercentText, EveryCountUpToSixtyIsTheFloorOfTheTrueQuotient) {
    for (int n = 1; n <= 60; ++n)
        for (int r = 0; r <= n; ++r) {
            const QString t = percentText(r, n);
            ASSERT_TRUE(t.endsWith(" %")) << t.toStdString();
            const int p = t.chopped(2).toInt();
            // p is the floor of 100 r / n exactly when p n <= 100 r < (p + 1) n.
            EXPECT_LE(p * n, 100 * r) << r << "/" << n;
            EXPECT_LT(100 * r, (p + 1) * n) << r << "/" << n;
        }
}

TEST(ErrorBoxText, PointOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(errorBoxText("File not found"), "File not found.");
    EXPECT_EQ(errorBoxText("code 5"), "code 5.");
    EXPECT_EQ(errorBoxText(QStringLiteral("Ошибка")), QStringLiteral("Ошибка."));
    EXPECT_EQ(errorBoxText("(Null) into type (Integer)"), "(Null) into type (Integer)");
    EXPECT_EQ(errorBoxText("done."), "done.");
    EXPECT_EQ(errorBoxText("stop!"), "stop!");
    EXPECT_EQ(errorBoxText("a/"), "a/.");
    EXPECT_EQ(errorBoxText(""), "");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Label texts, series data and the layout with the real fonts.
#include "ui/ScoreBarGeometry.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace kt {
namespace {

TEST(ScoreLabelText, FormatsLikeTheRussianNumberPattern) {
    const QChar nbsp(0x00A0);
    EXPECT_EQ(scoreLabelText(0), QStringLiteral("0"));
    EXPECT_EQ(scoreLabelText(60), QStringLiteral("60"));
    EXPECT_EQ(scoreLabelText(999), QStringLiteral("999"));
    EXPECT_EQ(scoreLabelText(1000), QStringLiteral("1") + nbsp + QStringLiteral("000"));
    EXPECT_EQ(scoreLabelText(1234567.5),
              QStringLiteral("1") + nbsp + "234" + nbsp + QStringLiteral("567,5"));
    EXPECT_EQ(scoreLabelText(1.25), QStringLiteral("1,25"));
    EXPECT_EQ(scoreLabelText(3.14159), QStringLiteral("3,142"));
    EXPECT_EQ(scoreLabelText(0.0004), QStringLiteral("0"));
    EXPECT_EQ(scoreLabelText(999.9999), QStringLiteral("1") + nbsp + QStringLiteral("000"));
    EXPECT_EQ(scoreLabelText(-12.5), QStringLiteral("-12,5"));
}

TEST(ScoreSeries, TitlesAndFaceColours) {
    EXPECT_EQ(scoreSeriesTitle(0), QStringLiteral("Верно"));
    EXPECT_EQ(scoreSeriesTitle(1), QStringLiteral("Осталось"));
    EXPECT_EQ(scoreSeriesTitle(2), QStringLiteral("Не верно"));
    const int shades[] = {0, 64, 128};
    const QColor expected[3][3] = {{{0, 0, 255}, {0, 0, 191}, {0, 0, 127}},
                                   {{0, 128, 128}, {0, 64, 64}, {0, 0, 0}},
                                   {{255, 0, 0}, {191, 0, 0}, {127, 0, 0}}};
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(scoreFaceColor(s, shades[f]), expected[s][f]) << s << " " << f;
}

class ScoreBarRealFonts : public testing::Test {};

TEST_F(ScoreBarRealFonts, MeasuresComeFromTheFonts) {
    const QFontMetrics small(scoreBarSmallFont());
    const QFontMetrics label(scoreBarLabelFont());
    EXPECT_EQ(scoreBarSmallFont().pixelSize(), 11);
    EXPECT_EQ(scoreBarLabelFont().pixelSize(), 12);
    const ScoreBarFonts fonts = defaultScoreBarFonts();
    EXPECT_EQ(fonts.small.height, small.height());
    EXPECT_EQ(fonts.label.height, label.height());
    EXPECT_EQ(fonts.small.width(QStringLiteral("Осталось")),
              small.horizontalAdvance(QStringLiteral("Осталось")));
    EXPECT_EQ(fonts.label.width(QStringLiteral("W")), label.horizontalAdvance(QChar('W')));
}

TEST_F(ScoreBarRealFonts, AllThreeLegendRowsFitAndTheBarStaysInside) {
    const ScoreBarFonts fonts = defaultScoreBarFonts();
    const ScoreBarLayout l = layoutScoreBar({20, 30, 10}, fonts, QSize(585, 49));
    ASSERT_EQ(l.legendRows.size(), 3u);
    EXPECT_EQ(l.legend.height(), 3 * fonts.small.height + 2);
    EXPECT_TRUE(l.drawingArea.contains(l.legendShadow));
    for (const ScoreBarBox& box : l.boxes)
        for (const ScoreBarFace* face : {&box.front, &box.top, &box.side})
            EXPECT_TRUE(l.drawingArea.contains(face->polygon.boundingRect())) << box.series;
    // Later series start where the earlier ones end, and the last one ends
    // at the scale's end.
    EXPECT_EQ(l.boxes[0].frontLeft, l.scaleLeft);
    EXPECT_EQ(l.boxes[1].frontLeft, l.boxes[0].frontRight);
    EXPECT_EQ(l.boxes[2].frontLeft, l.boxes[1].frontRight);
    EXPECT_EQ(l.boxes[2].frontRight, l.scaleRight);
    EXPECT_EQ(l.labels[1].box.height(), fonts.label.height + 2);
}

} // namespace
} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the score bar with fixed font measures: every figure below is
// worked out by hand from the layout rules for a 585 x 49 widget.
#include "ui/ScoreBarGeometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace kt {
namespace {

// Small font: 6 px a character, rows 13 px; label font: 7 px a character, 15 px.
ScoreBarFonts fixedFonts() {
    ScoreBarFonts f;
    f.small.width = [](const QString& s) { return 6 * static_cast<int>(s.size()); };
    f.small.height = 13;
    f.label.width = [](const QString& s) { return 7 * static_cast<int>(s.size()); };
    f.label.height = 15;
    return f;
}

ScoreBarLayout layoutFor(double right, double open, double wrong) {
    return layoutScoreBar({right, open, wrong}, fixedFonts(), QSize(585, 49));
}

QPolygon polygon(std::initializer_list<QPoint> points) {
    return QPolygon(QVector<QPoint>(points));
}

// Drawing area 2..583 x 2..47; margins round(581 * 5 %) = 29 leave x 31..554.
// Widest title "Осталось" / "Не верно" = 48; legend right 554 - 3 = 551;
// titles at 551 - 2 - 48 = 501; boxes round(58 * 0.2) = 12 wide ending at 497;
// legend left 485 - 4 = 481; 3 rows of 13 + 2 = 41 high.
TEST(ScoreBarLayout, LegendFollowsTheWidestTitle) {
    const ScoreBarLayout l = layoutFor(0, 100, 0);
    EXPECT_EQ(l.drawingArea, QRect(2, 2, 581, 45));
    EXPECT_EQ(l.legend, QRect(481, 2, 70, 41));
    EXPECT_EQ(l.legendShadow, QRect(484, 5, 70, 41));
    ASSERT_EQ(l.legendRows.size(), 3u);
    for (int s = 0; s < 3; ++s) {
        const int top = 3 + 13 * s;
        EXPECT_EQ(l.legendRows[s].series, s);
        EXPECT_EQ(l.legendRows[s].colorBox, QRect(485, top + 2, 12, 9)) << s;
        EXPECT_EQ(l.legendRows[s].textRect, QRect(501, top, 48, 13)) << s;
    }
}

TEST(ScoreBarLayout, LegendShowsOnlyTheRowsThatFit) {
    ScoreBarFonts fonts = fixedFonts();
    fonts.small.height = 20; // 2 * 20 + 2 fits in 45, 3 rows do not
    const ScoreBarLayout l = layoutScoreBar({0, 60, 0}, fonts, QSize(585, 49));
    ASSERT_EQ(l.legendRows.size(), 2u);
    EXPECT_EQ(l.legend.height(), 42);
}

// Plot: 31 .. 481 - round(523 * 3 %) = 465, 434 wide; D = round(434 * 0.035) = 15;
// after the cut x 31..450, y 17..47 (30 high); bar round-up-even(15) = 16 thick
// from y 24; centre of the plot (240.5, 32).
TEST(ScoreBarLayout, PlotDepthAndBarThickness) {
    const ScoreBarLayout l = layoutFor(0, 60, 0);
    EXPECT_EQ(l.plot, QRect(31, 17, 419, 30));
    EXPECT_EQ(l.depth, 15);
    EXPECT_EQ(l.barThickness, 16);
    EXPECT_EQ(l.barTop, 24);
}

struct SegmentCase {
    const char* name;
    double right, open, wrong;
    int margin;
    std::array<int, 4> edges; // segment ends on the scale
    std::array<const char*, 3> texts;
};

// M: label widths in the small font + 1, + 2 more for the open series.
const SegmentCase kSegmentCases[] = {
    // "60" 12 + 1 + 2 = 15: scale 31..435, all teal.
    {"start", 0, 60, 0, 15, {31, 31, 435, 435}, {"0", "60", "0"}},
    // M = 15 from "30"; 404 * 1/3 = 134.67 -> 166, 404 * 5/6 = 336.67 -> 368.
    {"thirdHalfSixth", 20, 30, 10, 15, {31, 166, 368, 435}, {"20", "30", "10"}},
    // Open is 0 and keeps no room: M = 13; 406 * 2/3 = 270.67 -> 302.
    {"fullyAnswered", 40, 0, 20, 13, {31, 302, 302, 437}, {"40", "0", "20"}},
    // One right answer of 1: the only label "1" keeps 7.
    {"allRight", 1, 0, 0, 7, {31, 443, 443, 443}, {"1", "0", "0"}},
};

class ScoreBarSegments : public testing::TestWithParam<SegmentCase> {};

TEST_P(ScoreBarSegments, SegmentsAbutAndFillTheScale) {
    const SegmentCase& c = GetParam();
    const ScoreBarLayout l = layoutFor(c.right, c.open, c.wrong);
    EXPECT_EQ(l.scaleMargin, c.margin);
    EXPECT_EQ(l.scaleLeft, 31);
    EXPECT_EQ(l.scaleRight, 450 - c.margin);
    ASSERT_EQ(l.boxes.size(), 3u);
    ASSERT_EQ(l.labels.size(), 3u);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(l.boxes[s].series, s);
        EXPECT_EQ(l.boxes[s].frontLeft, c.edges[s]) << s;
        EXPECT_EQ(l.boxes[s].frontRight, c.edges[s + 1]) << s;
        EXPECT_EQ(l.labels[s].series, s);
        EXPECT_EQ(l.labels[s].text, QString::fromUtf8(c.texts[s])) << s;
        EXPECT_EQ(l.labels[s].framed, s == 1) << s;
    }
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, ScoreBarSegments, testing::ValuesIn(kSegmentCases),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// Magnified by 1.08 about (240.5, 32): x 302 -> 306.92, x 317 -> 323.12,
// y 24 -> 23.36, y 9 -> 7.16, y 25 -> 24.44, y 40 -> 40.64.
TEST(ScoreBarLayout, ZeroLengthSegmentKeepsItsBlackSideFace) {
    const ScoreBarLayout l = layoutFor(40, 0, 20);
    const ScoreBarBox& open = l.boxes[1];
    EXPECT_EQ(open.side.polygon, polygon({{307, 23}, {323, 7}, {323, 24}, {307, 41}}));
    EXPECT_EQ(open.side.color, QColor(0, 0, 0));
    // Front and top collapse to lines at x 302 (-> 307).
    EXPECT_EQ(open.front.polygon, polygon({{307, 23}, {307, 23}, {307, 41}, {307, 41}}));
    // It lies exactly over the blue box's side face and under the red box.
    EXPECT_EQ(l.boxes[0].side.polygon, open.side.polygon);
    EXPECT_EQ(l.boxes[2].front.polygon.first(), QPoint(307, 23));
}

// x 31 -> 240.5 - 1.08 * 209.5 = 14.24; x 46 -> 30.44; x 166 -> 160.04; x 181 -> 176.24;
// y 24 -> 23.36; y 40 -> 40.64; y 9 -> 7.16; y 25 -> 24.44.
TEST(ScoreBarLayout, BoxFacesInObliqueProjection) {
    const ScoreBarLayout l = layoutFor(20, 30, 10);
    const ScoreBarBox& blue = l.boxes[0];
    EXPECT_EQ(blue.front.polygon, polygon({{14, 23}, {160, 23}, {160, 41}, {14, 41}}));
    EXPECT_EQ(blue.top.polygon, polygon({{14, 23}, {160, 23}, {176, 7}, {30, 7}}));
    EXPECT_EQ(blue.side.polygon, polygon({{160, 23}, {176, 7}, {176, 24}, {160, 41}}));
    EXPECT_EQ(blue.front.color, QColor(0, 0, 255));
    EXPECT_EQ(blue.top.color, QColor(0, 0, 191));
    EXPECT_EQ(blue.side.color, QColor(0, 0, 127));
    EXPECT_EQ(l.boxes[1].top.color, QColor(0, 64, 64));
    EXPECT_EQ(l.boxes[2].top.color, QColor(191, 0, 0));
    EXPECT_EQ(l.boxes[2].side.color, QColor(127, 0, 0));
}

// Anchor of a segment ending at x: (x + 7.5, 32 - 7.5) magnified.
// x 435: (442.5, 24.5) -> (458.66, 23.9). Open "60": 14 + 7 + 2 = 23 wide,
// 17 high, top round(23.9 - 8.5) = 15. Wrong "0": 14 wide, 15 high, top 16.
TEST(ScoreBarLayout, WrongLabelCoversTheOpenLabelAtTheStart) {
    const ScoreBarLayout l = layoutFor(0, 60, 0);
    EXPECT_EQ(l.labels[1].box, QRect(459, 15, 23, 17));
    EXPECT_EQ(l.labels[1].textRect, QRect(460, 16, 21, 15));
    EXPECT_EQ(l.labels[2].box, QRect(459, 16, 14, 15));
    EXPECT_EQ(l.labels[2].textRect, l.labels[2].box);
    // Blue "0" at x 31: (38.5, 24.5) -> (22.34, 23.9).
    EXPECT_EQ(l.labels[0].box, QRect(22, 16, 14, 15));
}

TEST(ScoreBarLayout, NothingIsDrawnForATotalOfZero) {
    for (const auto& values : {std::array<double, 3>{0, 0, 0}, {-3, 0, -1}}) {
        const ScoreBarLayout l = layoutScoreBar(values, fixedFonts(), QSize(585, 49));
        EXPECT_TRUE(l.boxes.empty());
        EXPECT_TRUE(l.labels.empty());
        EXPECT_EQ(l.scaleMargin, 0);
        EXPECT_EQ(l.legendRows.size(), 3u); // the legend stays
    }
}

TEST(ScoreBarLayout, UnusableValuesCountAsZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ScoreBarLayout l = layoutFor(nan, 60, -5);
    ASSERT_EQ(l.boxes.size(), 3u);
    EXPECT_EQ(l.boxes[1].frontLeft, 31);
    EXPECT_EQ(l.boxes[1].frontRight, 435);
    EXPECT_EQ(l.labels[0].text, QStringLiteral("0"));
    EXPECT_EQ(l.labels[2].text, QStringLiteral("0"));
}

} // namespace
} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace kt {

// The three series of the score bar, in the order they are laid out and painted.
enum class ScoreSeries { Right = 0, Open = 1, Wrong = 2 };
inline constexpr int kScoreSeriesCount = 3;

// Title and front colour of a series.
QString scoreSeriesTitle(int series);
QColor scoreSeriesColor(int series);
// A face colour: the front colour with `darkening` taken off each channel,
// never below 0 (64 for the top face, 128 for the side face).
QColor scoreFaceColor(int series, int darkening);

// The value as "#,##0.###": whole part grouped in threes by a no-break space,
// up to three decimals after a comma, none for whole numbers.
QString scoreLabelText(double value);

// How a font measures text. The layout only ever asks for advances and for
// the line height of "W", so tests can feed fixed numbers instead of a font.
struct TextMeasure {
    std::function<int(const QString&)> width;
    int height = 0; // height of "W"
};

// The fonts the bar is laid out with: the small one (legend titles and the
// room kept for the last label) and the label font, magnified with the boxes.
struct ScoreBarFonts {
    TextMeasure small;
    TextMeasure label;
};

// The measures of real fonts.
TextMeasure measureFont(const QFont& font);
// Arial 8 pt for the legend and Arial 9 pt for the labels.
QFont scoreBarSmallFont();
QFont scoreBarLabelFont();
ScoreBarFonts defaultScoreBarFonts();

struct ScoreBarFace {
    QPolygon polygon;
    QColor color;
};

// One box of the bar in projected, magnified coordinates. A zero-length
// segment keeps empty front and top faces but a full side face.
struct ScoreBarBox {
    int series = 0;
    int frontLeft = 0; // segment ends on the scale, before projection
    int frontRight = 0;
    ScoreBarFace front;
    ScoreBarFace top;
    ScoreBarFace side;
};

struct ScoreBarLabel {
    int series = 0;
    QString text;
    QRect box;      // filled light yellow; includes the frame when framed
    QRect textRect; // text is centred in it
    bool framed = false;
};

struct ScoreBarLegendRow {
    int series = 0;
    QRect colorBox;
    QRect textRect;
};

// Everything the widget paints, in widget coordinates.
struct ScoreBarLayout {
    QRect drawingArea; // inside the sunken edge
    QRect legend;
    QRect legendShadow;
    std::vector<ScoreBarLegendRow> legendRows;
    QRect plot;          // after the depth cut
    int depth = 0;       // D
    int scaleMargin = 0; // M
    int scaleLeft = 0;   // 0 %
    int scaleRight = 0;  // 100 %
    int barTop = 0;      // front face, before magnification
    int barThickness = 0;
    std::vector<ScoreBarBox> boxes;    // paint order; empty when the total is 0
    std::vector<ScoreBarLabel> labels; // paint order, after the boxes
};

inline constexpr int kScoreBarEdge = 2;          // sunken edge width
inline constexpr double kScoreBarMagnify = 1.08; // boxes and label anchors
inline const QColor kScoreLabelColor{255, 255, 128};

// Lays out the bar for the values in a widget of the given size. Values that
// are negative or not finite count as 0.
ScoreBarLayout layoutScoreBar(const std::array<double, kScoreSeriesCount>& values,
                              const ScoreBarFonts& fonts, QSize widgetSize);

} // namespace kt

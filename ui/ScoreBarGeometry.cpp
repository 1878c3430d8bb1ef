// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreBarGeometry.h"

#include "ui/layout/Look.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace kt {
namespace {

constexpr double kSideMargin = 0.05;   // of the drawing width, left and right
constexpr double kLegendGap = 0.03;    // of the width left between the margins
constexpr double kDepthFactor = 0.035; // of the plot width
constexpr int kLegendShadow = 3;
constexpr int kLegendPad = 2;      // right of the titles, below the rows
constexpr int kLegendBoxGap = 4;   // colour box to title, legend edge to colour box
constexpr int kLegendBoxInset = 2; // colour box from the row's top and bottom
constexpr int kLabelFrame = 1;

int iround(double v) {
    return static_cast<int>(std::lround(v));
}

double usable(double v) {
    return std::isfinite(v) && v > 0 ? v : 0.0;
}

struct Plane {
    double cx = 0; // centre of the plot area, where the magnification is anchored
    double cy = 0;
    int depth = 0;
};

// A point of the box at depth z in the oblique projection, magnified about
// the plot centre.
QPointF project(const Plane& p, double x, double y, double z) {
    const double px = x + z;
    const double py = y - z;
    return {p.cx + kScoreBarMagnify * (px - p.cx), p.cy + kScoreBarMagnify * (py - p.cy)};
}

QPoint projectRounded(const Plane& p, double x, double y, double z) {
    const QPointF f = project(p, x, y, z);
    return {iround(f.x()), iround(f.y())};
}

ScoreBarFace face(const Plane& p, int series, int darkening,
                  const std::array<std::array<double, 3>, 4>& corners) {
    ScoreBarFace f;
    f.color = scoreFaceColor(series, darkening);
    for (const auto& c : corners)
        f.polygon << projectRounded(p, c[0], c[1], c[2]);
    return f;
}

QString groupThousands(const QString& digits) {
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QChar(0x00A0);
        out += digits.at(i);
    }
    return out;
}

} // namespace

QString scoreSeriesTitle(int series) {
    static const std::array<QString, kScoreSeriesCount> titles{
        QStringLiteral("Верно"), QStringLiteral("Осталось"), QStringLiteral("Не верно")};
    return titles.at(static_cast<size_t>(series));
}

QColor scoreSeriesColor(int series) {
    static const std::array<QColor, kScoreSeriesCount> colors{look::kBlue, look::kTeal, look::kRed};
    return colors.at(static_cast<size_t>(series));
}

QColor scoreFaceColor(int series, int darkening) {
    const QColor c = scoreSeriesColor(series);
    auto down = [darkening](int v) { return std::max(0, v - darkening); };
    return QColor(down(c.red()), down(c.green()), down(c.blue()));
}

QString scoreLabelText(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const double rounded = std::round(std::fabs(value) * 1000.0) / 1000.0;
    QString text = QString::number(rounded, 'f', 3);
    const int point = text.indexOf(QLatin1Char('.'));
    QString whole = text.left(point);
    QString fraction = text.mid(point + 1);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString out = groupThousands(whole);
    if (!fraction.isEmpty())
        out += QLatin1Char(',') + fraction;
    if (value < 0 && rounded > 0)
        out.prepend(QLatin1Char('-'));
    return out;
}

TextMeasure measureFont(const QFont& font) {
    const QFontMetrics fm(font);
    TextMeasure m;
    m.width = [fm](const QString& text) { return fm.horizontalAdvance(text); };
    m.height = fm.height(); // a "W" spans the full line height
    return m;
}

QFont scoreBarSmallFont() {
    return makeFont(FontFamily::Arial, 8);
}
QFont scoreBarLabelFont() {
    return makeFont(FontFamily::Arial, 9);
}

ScoreBarFonts defaultScoreBarFonts() {
    return {measureFont(scoreBarSmallFont()), measureFont(scoreBarLabelFont())};
}

namespace {

struct Remaining {
    int left = 0;
    int right = 0; // exclusive
    int width() const { return right - left; }
};

void layoutLegend(const QRect& area, const Remaining& rem, const TextMeasure& font,
                  ScoreBarLayout& out) {
    int widest = 0;
    for (int s = 0; s < kScoreSeriesCount; ++s)
        widest = std::max(widest, font.width(scoreSeriesTitle(s)));
    const int rowHeight = std::max(1, font.height);
    const int rows = std::clamp((area.height() - kLegendPad) / rowHeight, 0, kScoreSeriesCount);
    const int right = rem.right - kLegendShadow;
    const int titleLeft = right - kLegendPad - widest;
    const int boxWidth = iround((widest + 10) * 20 / 100.0);
    const int boxRight = titleLeft - kLegendBoxGap;
    const int left = boxRight - boxWidth - kLegendBoxGap;
    out.legend = QRect(left, area.top(), right - left, rows * rowHeight + kLegendPad);
    out.legendShadow = out.legend.translated(kLegendShadow, kLegendShadow);
    for (int s = 0; s < rows; ++s) {
        const int top = area.top() + 1 + s * rowHeight;
        ScoreBarLegendRow row;
        row.series = s;
        row.colorBox = QRect(boxRight - boxWidth, top + kLegendBoxInset, boxWidth,
                             rowHeight - 2 * kLegendBoxInset);
        row.textRect = QRect(titleLeft, top, widest, rowHeight);
        out.legendRows.push_back(row);
    }
}

void layoutPlot(const QRect& area, const Remaining& rem, ScoreBarLayout& out) {
    const int left = rem.left;
    int right = std::max(left, out.legend.left() - iround(rem.width() * kLegendGap));
    out.depth = iround((right - left) * kDepthFactor);
    right = std::max(left, right - out.depth);
    const int top = std::min(area.top() + out.depth, area.bottom() + 1);
    out.plot = QRect(left, top, right - left, area.bottom() + 1 - top);
}

int scaleMargin(const std::array<double, kScoreSeriesCount>& values, const TextMeasure& font) {
    int margin = 0;
    for (int s = 0; s < kScoreSeriesCount; ++s) {
        if (values[s] <= 0)
            continue;
        int m = font.width(scoreLabelText(values[s])) + 1;
        if (s == static_cast<int>(ScoreSeries::Open))
            m += 2 * kLabelFrame;
        margin = std::max(margin, m);
    }
    return margin;
}

void layoutScale(const std::array<double, kScoreSeriesCount>& values, const TextMeasure& font,
                 ScoreBarLayout& out) {
    out.scaleMargin = scaleMargin(values, font);
    out.scaleLeft = out.plot.left();
    out.scaleRight = out.plot.left() + out.plot.width() - out.scaleMargin;
    const int height = out.plot.height();
    out.barThickness = 2 * static_cast<int>(std::ceil(height / 4.0));
    out.barTop = out.plot.top() + (height - out.barThickness) / 2;
}

ScoreBarBox makeBox(const Plane& p, int series, int left, int right, int topY, int bottomY) {
    const double d = p.depth;
    const double x0 = left, x1 = right, top = topY, bottom = bottomY;
    ScoreBarBox box;
    box.series = series;
    box.frontLeft = left;
    box.frontRight = right;
    box.front = face(p, series, 0,
                     {{{{x0, top, 0}}, {{x1, top, 0}}, {{x1, bottom, 0}}, {{x0, bottom, 0}}}});
    box.top =
        face(p, series, 64, {{{{x0, top, 0}}, {{x1, top, 0}}, {{x1, top, d}}, {{x0, top, d}}}});
    box.side = face(p, series, 128,
                    {{{{x1, top, 0}}, {{x1, top, d}}, {{x1, bottom, d}}, {{x1, bottom, 0}}}});
    return box;
}

ScoreBarLabel makeLabel(const Plane& p, const ScoreBarBox& box, double value, double barMiddle,
                        const TextMeasure& font) {
    ScoreBarLabel label;
    label.series = box.series;
    label.text = scoreLabelText(value);
    label.framed = box.series == static_cast<int>(ScoreSeries::Open);
    const int frame = label.framed ? kLabelFrame : 0;
    const int width = font.width(label.text) + font.width(QStringLiteral("W")) + 2 * frame;
    const int height = font.height + 2 * frame;
    const QPointF anchor = project(p, box.frontRight, barMiddle, p.depth / 2.0);
    label.box = QRect(iround(anchor.x()), iround(anchor.y() - height / 2.0), width, height);
    label.textRect = label.box.adjusted(frame, frame, -frame, -frame);
    return label;
}

void layoutBoxes(const std::array<double, kScoreSeriesCount>& values, const TextMeasure& font,
                 ScoreBarLayout& out) {
    double total = 0;
    for (double v : values)
        total += v;
    if (total <= 0)
        return;
    const QRectF plot(out.plot);
    const Plane plane{plot.center().x(), plot.center().y(), out.depth};
    const int span = out.scaleRight - out.scaleLeft;
    const int bottom = out.barTop + out.barThickness;
    double before = 0;
    for (int s = 0; s < kScoreSeriesCount; ++s) {
        const int x0 = out.scaleLeft + iround(before / total * span);
        before += values[s];
        const int x1 = out.scaleLeft + iround(before / total * span);
        out.boxes.push_back(makeBox(plane, s, x0, x1, out.barTop, bottom));
    }
    const double middle = out.barTop + out.barThickness / 2.0;
    for (int s = 0; s < kScoreSeriesCount; ++s)
        out.labels.push_back(makeLabel(plane, out.boxes[s], values[s], middle, font));
}

} // namespace

ScoreBarLayout layoutScoreBar(const std::array<double, kScoreSeriesCount>& rawValues,
                              const ScoreBarFonts& fonts, QSize widgetSize) {
    std::array<double, kScoreSeriesCount> values{};
    for (int s = 0; s < kScoreSeriesCount; ++s)
        values[s] = usable(rawValues[s]);
    ScoreBarLayout out;
    const QRect area = QRect(QPoint(0, 0), widgetSize)
                           .adjusted(kScoreBarEdge, kScoreBarEdge, -kScoreBarEdge, -kScoreBarEdge);
    out.drawingArea = area;
    const int margin = iround(area.width() * kSideMargin);
    const Remaining rem{area.left() + margin, area.left() + area.width() - margin};
    layoutLegend(area, rem, fonts.small, out);
    layoutPlot(area, rem, out);
    layoutScale(values, fonts.small, out);
    layoutBoxes(values, fonts.label, out);
    return out;
}

} // namespace kt

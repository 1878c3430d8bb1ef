// SPDX-License-Identifier: GPL-3.0-or-later
// The rendered widget against its own layout: each pixel must show the colour
// of the last shape the layout paints over it.
#include "ui/ScoreBar.h"
#include "ui/ScoreBarGeometry.h"
#include "ui/layout/Look.h"

#include <QImage>
#include <QPolygonF>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kt {
namespace {

struct Shape {
    QPolygonF polygon;
    QColor color;
    int face = -1; // series * 3 + 0 front, 1 top, 2 side; -1 for the rest
};

void addRect(std::vector<Shape>& shapes, const QRect& r, const QColor& c) {
    shapes.push_back({QPolygonF(QRectF(r)), c});
}

int faceTag(int series, int kind) {
    return series * 3 + kind;
}

// The fills of the layout in the order they are painted.
std::vector<Shape> paintedShapes(const ScoreBarLayout& l) {
    std::vector<Shape> shapes;
    addRect(shapes, l.drawingArea, look::kButtonFace);
    for (const ScoreBarBox& box : l.boxes) {
        int kind = 0;
        for (const ScoreBarFace* face : {&box.front, &box.top, &box.side})
            shapes.push_back({QPolygonF(face->polygon), face->color, faceTag(box.series, kind++)});
    }
    for (const ScoreBarLabel& label : l.labels) {
        addRect(shapes, label.box, look::kBlack);
        addRect(shapes, label.textRect, kScoreLabelColor);
    }
    addRect(shapes, l.legendShadow, look::kBlack);
    addRect(shapes, l.legend, look::kWhite);
    for (const ScoreBarLegendRow& row : l.legendRows)
        addRect(shapes, row.colorBox, scoreSeriesColor(row.series));
    return shapes;
}

const Shape* topShapeAt(const std::vector<Shape>& shapes, QPointF p) {
    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it)
        if (it->polygon.containsPoint(p, Qt::OddEvenFill))
            return &*it;
    return nullptr;
}

// The shape the layout shows at a pixel, or none when its neighbours
// disagree (an edge, where rounding of the fill may go either way).
const Shape* shapeAt(const std::vector<Shape>& shapes, QPoint px) {
    const Shape* centre = topShapeAt(shapes, QPointF(px) + QPointF(0.5, 0.5));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (topShapeAt(shapes, QPointF(px.x() + dx + 0.5, px.y() + dy + 0.5)) != centre)
                return nullptr;
    return centre;
}

std::optional<QColor> expectedAt(const std::vector<Shape>& shapes, QPoint px) {
    const Shape* shape = shapeAt(shapes, px);
    return shape ? std::optional<QColor>(shape->color) : std::nullopt;
}

bool onText(const ScoreBarLayout& l, QPoint px) {
    for (const ScoreBarLabel& label : l.labels)
        if (label.textRect.contains(px) && !l.legend.contains(px) && !l.legendShadow.contains(px))
            return true;
    for (const ScoreBarLegendRow& row : l.legendRows)
        if (row.textRect.adjusted(-1, -1, 1, 1).contains(px))
            return true;
    return false;
}

std::string rgb(const QColor& c) {
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," +
           std::to_string(c.blue());
}

class ScoreBarPixels : public testing::Test {
protected:
    void show(double right, double open, double wrong) {
        m_bar.setValues(right, open, wrong);
        m_image = m_bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        m_layout = layoutScoreBar({right, open, wrong}, defaultScoreBarFonts(), m_bar.size());
        m_shapes = paintedShapes(m_layout);
    }
    QColor pixel(QPoint p) const { return m_image.pixelColor(p); }
    QColor pixel(QPointF p) const { return pixel(p.toPoint()); }
    void expectEveryPixelAsLaidOut() const;
    // Pixels where the layout shows the given face of a series.
    std::vector<QPoint> visiblePixels(int series, int kind) const {
        std::vector<QPoint> out;
        const ScoreBarBox& box = m_layout.boxes.at(series);
        const ScoreBarFace& face = kind == 0 ? box.front : kind == 1 ? box.top : box.side;
        const QRect bounds = face.polygon.boundingRect() & m_image.rect();
        for (int y = bounds.top(); y <= bounds.bottom(); ++y)
            for (int x = bounds.left(); x <= bounds.right(); ++x) {
                const Shape* shape = shapeAt(m_shapes, QPoint(x, y));
                if (shape && shape->face == faceTag(series, kind))
                    out.emplace_back(x, y);
            }
        return out;
    }
    void expectFaceShows(int series, int kind, const QColor& colour) const {
        const std::vector<QPoint> pixels = visiblePixels(series, kind);
        ASSERT_GT(pixels.size(), 20u) << series << " " << kind;
        for (const QPoint& p : pixels)
            ASSERT_EQ(rgb(pixel(p)), rgb(colour)) << p.x() << "," << p.y();
    }
    int countColour(const QColor& colour) const {
        int n = 0;
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x)
                n += m_image.pixelColor(x, y) == colour;
        return n;
    }
    static QPoint centroid(const QPolygon& polygon) {
        QPointF sum;
        for (const QPoint& p : polygon)
            sum += p;
        return (sum / polygon.size()).toPoint();
    }

    ScoreBar m_bar;
    QImage m_image;
    ScoreBarLayout m_layout;
    std::vector<Shape> m_shapes;
};

void ScoreBarPixels::expectEveryPixelAsLaidOut() const {
    int checked = 0, wrong = 0;
    const QRect area = m_layout.drawingArea;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint p(x, y);
            const std::optional<QColor> want = expectedAt(m_shapes, p);
            if (!want || onText(m_layout, p))
                continue;
            ++checked;
            if (pixel(p) != *want && ++wrong <= 5)
                ADD_FAILURE() << "at " << x << "," << y << ": " << rgb(pixel(p)) << " not "
                              << rgb(*want);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(checked, area.width() * area.height() * 3 / 5);
}

TEST_F(ScoreBarPixels, CreatedWithOpenAtOneHundred) {
    EXPECT_EQ(m_bar.size(), QSize(585, 49));
    EXPECT_EQ(m_bar.right(), 0.0);
    EXPECT_EQ(m_bar.open(), 100.0);
    EXPECT_EQ(m_bar.wrong(), 0.0);
    m_bar.setValues(20, 30, 10);
    EXPECT_EQ(m_bar.right(), 20.0);
    EXPECT_EQ(m_bar.open(), 30.0);
    EXPECT_EQ(m_bar.wrong(), 10.0);
}

TEST_F(ScoreBarPixels, SunkenEdgeAroundAButtonFaceArea) {
    show(0, 0, 0);
    const int bright = look::kButtonFace.lightness();
    for (int y : {10, 30}) {
        EXPECT_LT(pixel(QPoint(0, y)).lightness(), bright) << y;
        EXPECT_LT(pixel(QPoint(1, y)).lightness(), bright) << y;
        EXPECT_GT(pixel(QPoint(584, y)).lightness(), bright) << y;
        EXPECT_EQ(pixel(QPoint(2, y)), look::kButtonFace) << y;
    }
    EXPECT_LT(pixel(QPoint(300, 0)).lightness(), bright);
    EXPECT_GT(pixel(QPoint(300, 48)).lightness(), bright);
}

TEST_F(ScoreBarPixels, StartOfTestIsAllTealAndTheWrongZeroCoversTheOpenCount) {
    show(0, 60, 0);
    expectEveryPixelAsLaidOut();
    const ScoreBarBox& open = m_layout.boxes[1];
    EXPECT_EQ(pixel(centroid(open.front.polygon)), QColor(0, 128, 128));
    EXPECT_EQ(pixel(centroid(open.top.polygon)), QColor(0, 64, 64));
    // The zero-length red box at the end paints its side face over the teal one.
    EXPECT_TRUE(visiblePixels(1, 2).empty());
    expectFaceShows(2, 2, QColor(127, 0, 0));
    const ScoreBarLabel& count = m_layout.labels[1];
    const ScoreBarLabel& zero = m_layout.labels[2];
    ASSERT_EQ(count.box.left(), zero.box.left());
    // The open label's left frame column lies under the wrong label's box;
    // its lower frame row sticks out below it.
    const QPoint underZero(count.box.left(), zero.box.center().y());
    EXPECT_EQ(pixel(underZero), kScoreLabelColor);
    EXPECT_EQ(pixel(QPoint(zero.box.left() + 2, count.box.bottom())), QColor(0, 0, 0));
    EXPECT_EQ(pixel(QPoint(zero.box.right() + 1, count.box.top())), QColor(0, 0, 0));
}

TEST_F(ScoreBarPixels, ThirdHalfSixthFacesAndLabels) {
    show(20, 30, 10);
    expectEveryPixelAsLaidOut();
    const QColor front[3] = {{0, 0, 255}, {0, 128, 128}, {255, 0, 0}};
    const QColor top[3] = {{0, 0, 191}, {0, 64, 64}, {191, 0, 0}};
    for (int s = 0; s < 3; ++s) {
        const ScoreBarBox& box = m_layout.boxes[s];
        EXPECT_EQ(pixel(centroid(box.front.polygon)), front[s]) << s;
        EXPECT_EQ(pixel(centroid(box.top.polygon)), top[s]) << s;
        expectFaceShows(s, 0, front[s]);
        expectFaceShows(s, 1, top[s]);
    }
    // Each box covers the side face of the one before; only red shows its own.
    EXPECT_TRUE(visiblePixels(0, 2).empty());
    EXPECT_TRUE(visiblePixels(1, 2).empty());
    EXPECT_EQ(countColour(QColor(0, 0, 127)), 0);
    expectFaceShows(2, 2, QColor(127, 0, 0));
    for (const ScoreBarLabel& label : m_layout.labels) {
        const QPoint blank(label.textRect.left() + 1, label.textRect.center().y());
        EXPECT_EQ(pixel(blank), kScoreLabelColor) << label.series;
    }
    EXPECT_EQ(pixel(m_layout.labels[1].box.topLeft()), QColor(0, 0, 0));
}

TEST_F(ScoreBarPixels, FullyAnsweredTestShowsTheOpenZeroLabel) {
    show(40, 0, 20);
    expectEveryPixelAsLaidOut();
    const ScoreBarLabel& zero = m_layout.labels[1];
    EXPECT_EQ(zero.text, QStringLiteral("0"));
    EXPECT_EQ(pixel(zero.box.topLeft()), QColor(0, 0, 0));
    EXPECT_EQ(pixel(QPoint(zero.textRect.left() + 1, zero.textRect.center().y())),
              kScoreLabelColor);
    EXPECT_EQ(pixel(centroid(m_layout.boxes[2].front.polygon)), QColor(255, 0, 0));
    // The black side face is painted over the blue one, then the red box,
    // which starts on the same edge, covers it.
    EXPECT_EQ(m_layout.boxes[1].side.color, QColor(0, 0, 0));
    EXPECT_EQ(m_layout.boxes[1].side.polygon, m_layout.boxes[0].side.polygon);
    EXPECT_TRUE(visiblePixels(1, 2).empty());
    EXPECT_EQ(countColour(QColor(0, 0, 127)), 0);
    expectFaceShows(0, 0, QColor(0, 0, 255));
    expectFaceShows(2, 2, QColor(127, 0, 0));
}

TEST_F(ScoreBarPixels, FullyRightTestEndsWithTheRedSideFace) {
    show(60, 0, 0);
    expectEveryPixelAsLaidOut();
    // Open and wrong are both zero-length at the end: the red side face,
    // painted last, covers the black and the blue ones.
    EXPECT_TRUE(visiblePixels(0, 2).empty());
    EXPECT_TRUE(visiblePixels(1, 2).empty());
    expectFaceShows(2, 2, QColor(127, 0, 0));
    expectFaceShows(0, 0, QColor(0, 0, 255));
    expectFaceShows(0, 1, QColor(0, 0, 191));
}

TEST_F(ScoreBarPixels, LegendWithShadowAndColourBoxes) {
    show(20, 30, 10);
    expectEveryPixelAsLaidOut();
    const QRect legend = m_layout.legend;
    // A 3-pixel shadow to the right and below, starting 3 pixels down.
    for (int d = 1; d <= 3; ++d) {
        EXPECT_EQ(pixel(QPoint(legend.right() + d, legend.center().y())), QColor(0, 0, 0));
        EXPECT_EQ(pixel(QPoint(legend.center().x(), legend.bottom() + d)), QColor(0, 0, 0));
    }
    EXPECT_EQ(pixel(QPoint(legend.right() + 4, legend.center().y())), look::kButtonFace);
    EXPECT_EQ(pixel(QPoint(legend.center().x(), legend.bottom() + 4)), look::kButtonFace);
    EXPECT_EQ(pixel(QPoint(legend.right() + 2, legend.top() + 2)), look::kButtonFace);
    EXPECT_EQ(pixel(QPoint(legend.right() + 2, legend.top() + 3)), QColor(0, 0, 0));
    EXPECT_EQ(pixel(QPoint(legend.left() + 2, legend.bottom() + 1)), look::kButtonFace);
    EXPECT_EQ(pixel(QPoint(legend.left() + 1, legend.center().y())), QColor(255, 255, 255));
    const QColor colours[3] = {{0, 0, 255}, {0, 128, 128}, {255, 0, 0}};
    for (const ScoreBarLegendRow& row : m_layout.legendRows)
        EXPECT_EQ(pixel(row.colorBox.center()), colours[row.series]) << row.series;
}

TEST_F(ScoreBarPixels, TotalOfZeroLeavesOnlyTheLegend) {
    show(0, 0, 0);
    expectEveryPixelAsLaidOut();
    const QRect area = m_layout.drawingArea;
    for (int x = area.left(); x < m_layout.legend.left(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            ASSERT_EQ(pixel(QPoint(x, y)), look::kButtonFace) << x << "," << y;
}

TEST_F(ScoreBarPixels, RepaintFollowsNewValues) {
    show(0, 60, 0);
    const QPoint p = centroid(m_layout.boxes[1].front.polygon);
    EXPECT_EQ(pixel(p), QColor(0, 128, 128));
    show(60, 0, 0);
    EXPECT_EQ(pixel(p), QColor(0, 0, 255));
}

} // namespace
} // namespace kt

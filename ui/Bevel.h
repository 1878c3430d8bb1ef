// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

class QPainter;

namespace kt {

// The 3-D edges of the classic desktop: panels, static texts and frames.
namespace bevel {
// A raised 1-pixel bevel: light top and left, shadow bottom and right.
void drawRaised(QPainter& painter, const QRect& rect);
// A 1-pixel sunken line: shadow top and left, light bottom and right.
void drawSunken(QPainter& painter, const QRect& rect);
// The soft two-pixel edge of the question and answer texts.
void drawSoft(QPainter& painter, const QRect& rect);
} // namespace bevel

// A panel: a filled rectangle with a raised 1-pixel bevel, the parent of
// the texts and buttons laid over the background.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    explicit BevelPanel(const QColor& colour, QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Bevel.h"

#include <QPainter>

namespace kt {
namespace {

const QColor kHighlight{255, 255, 255};
const QColor kLight{227, 227, 227};
const QColor kShadow{128, 128, 128};

void drawEdge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(bottomRight);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

} // namespace

namespace bevel {

void drawRaised(QPainter& painter, const QRect& rect) {
    drawEdge(painter, rect, kHighlight, kShadow);
}

void drawSunken(QPainter& painter, const QRect& rect) {
    drawEdge(painter, rect, kShadow, kHighlight);
}

void drawSoft(QPainter& painter, const QRect& rect) {
    drawEdge(painter, rect, kShadow, kHighlight);
    drawEdge(painter, rect.adjusted(1, 1, -1, -1), kHighlight, kLight);
}

} // namespace bevel

BevelPanel::BevelPanel(const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour) {}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
    bevel::drawRaised(painter, rect());
}

} // namespace kt

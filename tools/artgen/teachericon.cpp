// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/artgen/teachericon.h"

#include "tools/artgen/paint.h"

namespace kt {

namespace {

void drawRegister(QPainter& painter) {
    const QColor edge(20, 60, 35);
    QPainterPath pages;
    pages.addRect(QRectF(5.5, 25.0, 19.0, 3.5));
    fillOutlined(painter, pages, QColor(250, 250, 240), edge, 1.0);
    QPainterPath cover;
    cover.addRoundedRect(QRectF(3.5, 2.5, 22.0, 23.5), 1.5, 1.5);
    fillOutlined(painter, cover, QColor(40, 130, 75), edge, 1.0);
    painter.fillRect(QRectF(4.0, 3.0, 3.5, 22.5), QColor(25, 90, 50));
    QPainterPath label;
    label.addRect(QRectF(10.5, 6.5, 12.0, 11.0));
    fillOutlined(painter, label, QColor(252, 252, 246), edge, 1.0);
}

// The mark "5" in strokes, so that no font is needed: the top bar, the stem
// and the open bowl.
void drawMarkFive(QPainter& painter) {
    QPainterPath five;
    five.moveTo(19.3, 8.6);
    five.lineTo(15.2, 8.6);
    five.lineTo(14.6, 11.9);
    five.cubicTo(17.5, 10.6, 19.8, 11.8, 19.6, 13.6);
    five.cubicTo(19.4, 15.8, 16.0, 16.4, 14.2, 15.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(210, 0, 0), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(five);
}

// A pencil lying from the upper right to the lower left, its point down.
void drawPencil(QPainter& painter) {
    const QColor edge(60, 20, 20);
    QPainterPath body;
    body.moveTo(30.5, 14.0);
    body.lineTo(27.5, 11.0);
    body.lineTo(15.5, 23.0);
    body.lineTo(18.5, 26.0);
    body.closeSubpath();
    fillOutlined(painter, body, QColor(220, 30, 30), edge, 1.0);
    QPainterPath wood;
    wood.moveTo(15.5, 23.0);
    wood.lineTo(18.5, 26.0);
    wood.lineTo(13.0, 28.5);
    wood.closeSubpath();
    fillOutlined(painter, wood, QColor(240, 205, 150), edge, 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPointF(13.9, 27.6), 1.1, 1.1);
}

} // namespace

QImage makeTeacherIcon(int side) {
    QImage image = blankImage(side);
    QPainter painter;
    beginPainting(painter, image);
    painter.scale(side / 32.0, side / 32.0);
    drawRegister(painter);
    drawMarkFive(painter);
    drawPencil(painter);
    painter.end();
    return image;
}

} // namespace kt

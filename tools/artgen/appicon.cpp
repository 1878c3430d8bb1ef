// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/artgen/appicon.h"

#include "tools/artgen/paint.h"

#include <QtMath>

namespace kt {

namespace {

void drawSheet(QPainter& painter) {
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(18.5, 1.5);
    sheet.lineTo(23.5, 6.5);
    sheet.lineTo(23.5, 29.5);
    sheet.lineTo(3.5, 29.5);
    sheet.closeSubpath();
    fillOutlined(painter, sheet, QColor(252, 252, 246), QColor(70, 70, 90), 1.0);
    QPainterPath fold;
    fold.moveTo(18.5, 1.5);
    fold.lineTo(18.5, 6.5);
    fold.lineTo(23.5, 6.5);
    fillOutlined(painter, fold, QColor(215, 215, 225), QColor(70, 70, 90), 1.0);
}

void drawAnswerRows(QPainter& painter) {
    for (int row = 0; row < 4; ++row) {
        const qreal y = 9.5 + 5.0 * row;
        painter.setPen(QPen(QColor(90, 90, 110), 1.0));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(6.5, y - 2.0, 4.0, 4.0));
        painter.setPen(QPen(QColor(150, 160, 190), 1.0));
        painter.drawLine(QPointF(13.5, y), QPointF(row < 2 ? 20.5 : 15.5, y));
        if (row > 1)
            continue;
        QPainterPath tick;
        tick.moveTo(7.3, y - 0.2);
        tick.lineTo(8.7, y + 1.3);
        tick.lineTo(11.8, y - 3.2);
        strokeTwoTone(painter, tick, QColor(0, 100, 0), QColor(40, 190, 40), 2.0, 0.9);
    }
}

void drawClock(QPainter& painter) {
    const QPointF centre(23.5, 23.5);
    painter.setPen(QPen(QColor(20, 60, 170), 1.8));
    painter.setBrush(QColor(255, 255, 235));
    painter.drawEllipse(centre, 7.2, 7.2);
    painter.setPen(QPen(QColor(20, 60, 170), 1.0));
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal a = qDegreesToRadians(hour * 30.0);
        const QPointF dir(qSin(a), -qCos(a));
        painter.drawLine(centre + dir * 4.8, centre + dir * 6.0);
    }
    painter.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0.0, -4.6));
    painter.drawLine(centre, centre + QPointF(3.2, 1.4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(210, 0, 0));
    painter.drawEllipse(centre, 1.1, 1.1);
}

} // namespace

QImage makeAppIcon(int side) {
    QImage image = blankImage(side);
    QPainter painter;
    beginPainting(painter, image);
    painter.scale(side / 32.0, side / 32.0);
    drawSheet(painter);
    drawAnswerRows(painter);
    drawClock(painter);
    painter.end();
    return image;
}

} // namespace kt

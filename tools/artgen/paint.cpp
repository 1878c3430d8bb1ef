// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/artgen/paint.h"

namespace kt {

QImage blankImage(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void beginPainting(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

void fillOutlined(QPainter& painter, const QPainterPath& path, const QColor& fill,
                  const QColor& edge, qreal edgeWidth) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    QPen pen(edge, edgeWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void drawQuestionMark(QPainter& painter, const QRectF& box, const QColor& colour, qreal weight) {
    const qreal w = box.width();
    const qreal h = box.height();
    QPainterPath hook;
    // The hook is the upper half of an ellipse bending down into the stem.
    const QRectF bowl(box.left() + weight / 2, box.top() + weight / 2, w - weight,
                      h * 0.5 - weight / 2);
    hook.arcMoveTo(bowl, 180);
    hook.arcTo(bowl, 180, -250);
    const qreal cx = box.left() + w / 2;
    hook.lineTo(cx, box.top() + h * 0.62);
    QPen pen(colour, weight, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal dot = weight * 1.1;
    painter.drawEllipse(QPointF(cx, box.bottom() - dot / 2), dot / 2, dot / 2);
}

void strokeTwoTone(QPainter& painter, const QPainterPath& path, const QColor& dark,
                   const QColor& light, qreal width, qreal inner) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(dark, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(light, inner, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/artgen/glyphs.h"

#include "tools/artgen/paint.h"

#include <QTransform>

namespace kt {

namespace {

// The right-pointing arrow on half-pixel coordinates, so its 1-pixel outline
// falls on whole pixels.
QPainterPath rightArrowPath() {
    QPainterPath path;
    path.moveTo(1.5, 5.5);
    path.lineTo(8.5, 5.5);
    path.lineTo(8.5, 1.5);
    path.lineTo(14.5, 8.0);
    path.lineTo(8.5, 14.5);
    path.lineTo(8.5, 10.5);
    path.lineTo(1.5, 10.5);
    path.closeSubpath();
    return path;
}

} // namespace

QImage makeArrowGlyph(bool pointsLeft) {
    QImage image = blankImage(16);
    QPainter painter;
    beginPainting(painter, image);
    QPainterPath path = rightArrowPath();
    if (pointsLeft)
        path = QTransform(-1, 0, 0, 1, 16, 0).map(path);
    fillOutlined(painter, path, QColor(230, 0, 0), Qt::black, 1.0);
    painter.end();
    return image;
}

QImage makeOkGlyph() {
    QImage image = blankImage(16);
    QPainter painter;
    beginPainting(painter, image);
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.0, 12.0);
    tick.lineTo(13.5, 3.5);
    strokeTwoTone(painter, tick, QColor(0, 96, 0), QColor(40, 190, 40), 3.6, 1.8);
    painter.end();
    return image;
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/artgen/toolicons.h"

#include "tools/artgen/paint.h"

#include <QPainterPathStroker>
#include <QTransform>

namespace kt {

namespace {

const QColor kSkin(255, 214, 170);
const QColor kSkinEdge(130, 72, 30);

QPainterPath capsule(QPointF from, QPointF to, qreal width) {
    QPainterPath line;
    line.moveTo(from);
    line.lineTo(to);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(line).simplified();
}

QPainterPath handOutline() {
    QPainterPath hand;
    hand.addRoundedRect(QRectF(4.0, 7.5, 9.0, 7.8), 2.5, 2.5);
    const qreal tops[] = {3.6, 2.0, 2.6, 4.6};
    for (int i = 0; i < 4; ++i) {
        const qreal x = 5.15 + 2.25 * i;
        hand = hand.united(capsule(QPointF(x, tops[i]), QPointF(x, 10.0), 2.25));
    }
    return hand.united(capsule(QPointF(2.2, 8.0), QPointF(5.0, 12.5), 2.3));
}

} // namespace

QImage makeHandIcon() {
    QImage image = blankImage(16);
    QPainter painter;
    beginPainting(painter, image);
    fillOutlined(painter, handOutline(), kSkin, kSkinEdge, 0.9);
    // Short creases between the fingers keep them apart at this size.
    painter.setPen(QPen(kSkinEdge, 0.8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i < 4; ++i) {
        const qreal x = 4.025 + 2.25 * i;
        painter.drawLine(QPointF(x, 4.8), QPointF(x, 8.2));
    }
    painter.end();
    return image;
}

namespace {

QPainterPath spannerPath() {
    const QPointF head(6.6, 5.0);
    QPainterPath shape;
    shape.addEllipse(head, 3.4, 3.4);
    shape = shape.united(capsule(QPointF(2.6, 13.6), head, 2.6));
    // The open jaw faces away from the handle.
    QPainterPath jaw;
    jaw.addRect(QRectF(-1.1, -5.0, 2.2, 5.0));
    jaw = QTransform().translate(head.x(), head.y()).rotate(24).map(jaw);
    return shape.subtracted(jaw);
}

} // namespace

QImage makeSpannerIcon() {
    QImage image = blankImage(16);
    QPainter painter;
    beginPainting(painter, image);
    fillOutlined(painter, spannerPath(), QColor(200, 204, 212), QColor(64, 68, 80), 0.9);
    drawQuestionMark(painter, QRectF(10.0, 5.0, 5.5, 10.0), QColor(0, 60, 200), 1.7);
    painter.end();
    return image;
}

QImage makeBookIcon() {
    QImage image = blankImage(16);
    QPainter painter;
    beginPainting(painter, image);
    const QColor edge(20, 30, 90);
    // Page block first, so the cover overlaps it and only its lower edge shows.
    QPainterPath pages;
    pages.addRect(QRectF(4.5, 12.0, 9.0, 2.5));
    fillOutlined(painter, pages, QColor(250, 250, 240), edge, 0.9);
    QPainterPath cover;
    cover.addRoundedRect(QRectF(2.5, 1.5, 11.0, 11.5), 1.0, 1.0);
    fillOutlined(painter, cover, QColor(40, 80, 190), edge, 0.9);
    painter.fillRect(QRectF(3.0, 2.0, 1.8, 10.5), QColor(25, 50, 130));
    drawQuestionMark(painter, QRectF(6.5, 3.3, 5.0, 8.4), QColor(255, 220, 40), 1.5);
    painter.end();
    return image;
}

namespace {

QPainterPath exitArrowPath() {
    QPainterPath arrow;
    arrow.moveTo(6.5, 6.5);
    arrow.lineTo(10.5, 6.5);
    arrow.lineTo(10.5, 3.5);
    arrow.lineTo(15.2, 8.0);
    arrow.lineTo(10.5, 12.5);
    arrow.lineTo(10.5, 9.5);
    arrow.lineTo(6.5, 9.5);
    arrow.closeSubpath();
    return arrow;
}

} // namespace

QImage makeDoorIcon() {
    QImage image = blankImage(16);
    QPainter painter;
    beginPainting(painter, image);
    const QColor wood(110, 60, 20);
    QPainterPath opening;
    opening.addRect(QRectF(1.5, 1.5, 9.0, 13.0));
    fillOutlined(painter, opening, QColor(40, 40, 60), wood, 1.0);
    // The leaf swings into the room on its left hinge.
    QPainterPath leaf;
    leaf.moveTo(1.5, 1.5);
    leaf.lineTo(6.0, 3.0);
    leaf.lineTo(6.0, 15.5);
    leaf.lineTo(1.5, 14.5);
    leaf.closeSubpath();
    fillOutlined(painter, leaf, QColor(214, 150, 80), wood, 0.9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 230, 90));
    painter.drawEllipse(QPointF(4.8, 9.0), 0.7, 0.7);
    fillOutlined(painter, exitArrowPath(), QColor(40, 180, 40), QColor(0, 80, 0), 0.9);
    painter.end();
    return image;
}

QImage makeDisabledLook(const QImage& normal) {
    QImage out = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            // Dark parts become mid grey and light parts pale grey, so the
            // shape stays readable but clearly out of use.
            const int grey = 112 + qGray(line[x]) * 45 / 100;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return out;
}

} // namespace kt

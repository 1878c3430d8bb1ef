// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace kt {

// A transparent square canvas of the given side.
QImage blankImage(int side);

// Starts antialiased painting on an image.
void beginPainting(QPainter& painter, QImage& image);

// Fills a path and then strokes its outline, so small shapes keep a crisp edge.
void fillOutlined(QPainter& painter, const QPainterPath& path, const QColor& fill,
                  const QColor& edge, qreal edgeWidth);

// A question mark drawn as strokes (hook, stem and dot) inside the given box.
void drawQuestionMark(QPainter& painter, const QRectF& box, const QColor& colour, qreal weight);

// Draws the same stroke twice: a wide dark pass and a narrower light pass on top.
void strokeTwoTone(QPainter& painter, const QPainterPath& path, const QColor& dark,
                   const QColor& light, qreal width, qreal inner);

} // namespace kt

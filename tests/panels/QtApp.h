#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QWidget>

namespace kt::test {

// The colour a widget paints a role with.
inline QColor colourOf(const QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(role);
}

// Where a widget's top-left corner lies in an ancestor's coordinates.
inline QPoint positionIn(const QWidget* widget, const QWidget* ancestor) {
    return widget->mapTo(ancestor, QPoint(0, 0));
}

} // namespace kt::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace kt::test {

// The descendant of `root` with this object name and type. A missing element
// throws, so the test fails with its name instead of crashing on a null.
template <typename T> T* findNamed(const QObject& root, const QString& name) {
    T* found = root.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no element named " + name.toStdString());
    return found;
}

// The colour a widget paints a role with.
inline QColor colourOf(const QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(role);
}

// Where a widget's top-left corner lies in an ancestor's coordinates.
inline QPoint positionIn(const QWidget* widget, const QWidget* ancestor) {
    return widget->mapTo(ancestor, QPoint(0, 0));
}

// Types the text into the widget key by key, any alphabet.
void typeText(QWidget* widget, const QString& text);

} // namespace kt::test

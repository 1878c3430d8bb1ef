// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace kt {

class UpDownArrows;

// An up-down control with its value text: the arrows and, right beside them,
// a separate label showing the value. The control shows the state it is given;
// an arrow click is only reported, and whoever owns the position (limits, no
// wrap-around, the thousands separator) answers with setState.
//
// Both parts are placed by their own rectangles in the parent's coordinates,
// so a screen can lay them out exactly; the control itself covers the smallest
// rectangle holding both and paints nothing of its own.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(const QRect& valueRect, const QRect& arrowsRect, QWidget* parent);

    // The value label's font, colour and alignment.
    void setValueLook(const QFont& font, const QColor& color, Qt::Alignment alignment);
    void setState(int position, int lower, int upper, const QString& text);

    int position() const { return m_position; }
    int lower() const { return m_lower; }
    int upper() const { return m_upper; }
    QString text() const;

    QLabel* valueLabel() const { return m_value; }
    UpDownArrows* arrows() const { return m_arrows; }

signals:
    // +1 for the up arrow, -1 for the down arrow.
    void arrowClicked(int delta);

private:
    QLabel* m_value;
    UpDownArrows* m_arrows;
    int m_position = 0;
    int m_lower = 0;
    int m_upper = 0;
};

} // namespace kt

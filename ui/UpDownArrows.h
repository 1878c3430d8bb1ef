// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QToolButton;

namespace kt {

// The pair of arrow buttons of an up-down control, stacked vertically. It only
// reports clicks; the position and its limits live with whoever owns the value.
// The buttons never take the keyboard focus, so Enter keeps reaching the
// screen's default button.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    // +1 for the up arrow, -1 for the down arrow.
    void arrowClicked(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* makeButton(Qt::ArrowType arrow, int delta);

    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace kt

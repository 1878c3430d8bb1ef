// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>
#include <vector>

class QAction;

namespace kt {

// The toolbar: flat buttons 35 pixels wide in a row on the button face, with
// an etched edge on all four sides; it sizes itself to its buttons.
class ToolStrip : public QWidget {
    Q_OBJECT
public:
    explicit ToolStrip(QWidget* parent = nullptr);

    QToolButton* addButton(QAction* action);
    QToolButton* button(int i) const { return m_buttons.at(i); }
    int count() const { return static_cast<int>(m_buttons.size()); }

    static constexpr int kButtonWidth = 35;
    static constexpr int kButtonHeight = 22;
    static constexpr int kEdge = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QToolButton*> m_buttons;
};

} // namespace kt

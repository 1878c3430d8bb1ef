// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/BevelText.h"

namespace kt {

// One answer variant of the question screen. A click chooses it; the
// pointer moving over it turns its text to the hot-track colour until the
// pointer crosses a background that calls setHovered(false).
class AnswerLabel : public BevelText {
    Q_OBJECT
public:
    explicit AnswerLabel(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // The chosen look: tooltip background and sunken border.
    void setChosen(bool on);
    bool chosen() const { return highlighted() && sunken(); }
    void setHovered(bool on);

signals:
    void clicked(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
    bool m_hovered = false;
    bool m_pressed = false;
};

} // namespace kt

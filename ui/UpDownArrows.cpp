// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UpDownArrows.h"

#include "ui/layout/Look.h"

#include <QPalette>
#include <QToolButton>

namespace kt {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
    m_up = makeButton(Qt::UpArrow, +1);
    m_down = makeButton(Qt::DownArrow, -1);
}

QToolButton* UpDownArrows::makeButton(Qt::ArrowType arrow, int delta) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    // Holding an arrow keeps stepping, as the platform's up-down controls do.
    button->setAutoRepeat(true);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, look::kButtonFace);
    palette.setColor(QPalette::ButtonText, look::kBlack);
    button->setPalette(palette);
    connect(button, &QToolButton::clicked, this, [this, delta] { emit arrowClicked(delta); });
    return button;
}

void UpDownArrows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // An odd height gives the extra pixel to the lower arrow.
    const int upHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upHeight);
    m_down->setGeometry(0, upHeight, width(), height() - upHeight);
}

} // namespace kt

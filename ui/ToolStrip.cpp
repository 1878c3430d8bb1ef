// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolStrip.h"

#include "ui/Bevel.h"
#include "ui/layout/Look.h"

#include <QAction>
#include <QPainter>

namespace kt {

ToolStrip::ToolStrip(QWidget* parent) : QWidget(parent) {
    setFixedSize(2 * kEdge, kButtonHeight + 2 * kEdge);
}

QToolButton* ToolStrip::addButton(QAction* action) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(kEdge + count() * kButtonWidth, kEdge, kButtonWidth, kButtonHeight);
    m_buttons.push_back(button);
    setFixedSize(2 * kEdge + count() * kButtonWidth, kButtonHeight + 2 * kEdge);
    return button;
}

void ToolStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kButtonFace);
    bevel::drawSunken(painter, rect());
    bevel::drawRaised(painter, rect().adjusted(1, 1, -1, -1));
}

} // namespace kt

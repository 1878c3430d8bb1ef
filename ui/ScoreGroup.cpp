// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreGroup.h"

#include "ui/Bevel.h"
#include "ui/layout/Look.h"

#include <QPainter>

namespace kt {

ScoreGroup::ScoreGroup(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    setFont(makeFont(FontFamily::MsSansSerif, 10, true));
}

QColor ScoreGroup::titleColour() const {
    return look::kRed;
}

void ScoreGroup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kDesktop);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, 0, 0);
    bevel::drawSunken(painter, frame.adjusted(0, 0, -1, -1));
    bevel::drawRaised(painter, frame.adjusted(1, 1, 0, 0));
    const QRect text(8, 0, metrics.horizontalAdvance(m_title) + 2, metrics.height());
    painter.fillRect(text, look::kDesktop);
    painter.setPen(titleColour());
    painter.drawText(text, Qt::AlignCenter, m_title);
}

} // namespace kt

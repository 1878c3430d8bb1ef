// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TimePanel.h"

#include "ui/TextLabel.h"
#include "ui/layout/Look.h"

namespace kt {

TimePanel::TimePanel(QWidget* parent) : BevelPanel(look::kActiveCaption, parent) {
    setFixedSize(145, 57);
    m_caption = new TextLabel(QStringLiteral("Осталось времени"), look::kAqua,
                              makeFont(FontFamily::MonotypeCorsiva, 12, true, true), this);
    m_caption->move(8, 8);
    m_time = new TextLabel(QStringLiteral("00:00:00"), look::kRed,
                           makeFont(FontFamily::BookmanOldStyle, 16, true, true), this);
    m_time->move(24, 32);
}

void TimePanel::setTimeText(const QString& text) {
    m_time->setRawText(text);
}

} // namespace kt

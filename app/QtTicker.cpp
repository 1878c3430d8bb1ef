// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtTicker.h"

namespace kt {

QtTicker::QtTicker(std::function<void()> onTick) : m_onTick(std::move(onTick)) {
    m_timer.setInterval(1000);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { m_onTick(); });
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Seams.h"

#include <QTimer>
#include <functional>

namespace kt {

// The countdown's one-second timer, running in the window's event loop so
// that a tick never overlaps a user event.
class QtTicker : public Ticker {
public:
    explicit QtTicker(std::function<void()> onTick);

    void Start() override { m_timer.start(); }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }
    const QTimer& timer() const { return m_timer; }

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
};

} // namespace kt

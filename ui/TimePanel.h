// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Bevel.h"

namespace kt {

class TextLabel;

// The time panel: "Осталось времени" over the countdown text.
class TimePanel : public BevelPanel {
    Q_OBJECT
public:
    explicit TimePanel(QWidget* parent = nullptr);

    void setTimeText(const QString& text);
    TextLabel* caption() const { return m_caption; }
    TextLabel* timeLabel() const { return m_time; }

private:
    TextLabel* m_caption;
    TextLabel* m_time;
};

} // namespace kt

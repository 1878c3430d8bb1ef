// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Bevel.h"

#include <QPushButton>

namespace kt {

class TextLabel;

// The result panel: the student's name and the percentage of right answers
// inside a rounded outline. OK returns to the start.
class ResultPanel : public BevelPanel {
    Q_OBJECT
public:
    explicit ResultPanel(QWidget* parent = nullptr);

    void setName(const QString& name);
    void setPercent(const QString& text);
    TextLabel* nameLabel() const { return m_name; }
    TextLabel* percentLabel() const { return m_percent; }
    TextLabel* heading() const { return m_heading; }
    TextLabel* caption() const { return m_caption; }
    QPushButton* okButton() const { return m_ok; }
    // The outline's rectangle, in the panel's pixels.
    static QRect outlineRect() { return QRect(8, 8, 433, 233); }

signals:
    void accepted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* m_heading;
    TextLabel* m_name;
    TextLabel* m_caption;
    TextLabel* m_percent;
    QPushButton* m_ok;
};

} // namespace kt

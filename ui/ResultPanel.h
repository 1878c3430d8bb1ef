// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Bevel.h"

#include <QPushButton>

class QPainter;

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
    // The mark under the percentage, as the exam settings may ask; 0 hides it.
    void setMark(int mark);
    TextLabel* nameLabel() const { return m_name; }
    TextLabel* percentLabel() const { return m_percent; }
    TextLabel* heading() const { return m_heading; }
    TextLabel* caption() const { return m_caption; }
    TextLabel* markLabel() const { return m_mark; }
    QPushButton* okButton() const { return m_ok; }
    // The outline's rectangle, in the panel's pixels.
    static QRect outlineRect() { return QRect(8, 8, 433, 233); }
    // The rounded outline; the review panel in the same look draws it too.
    static void drawOutline(QPainter& painter);

signals:
    void accepted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* m_heading;
    TextLabel* m_name;
    TextLabel* m_caption;
    TextLabel* m_percent;
    TextLabel* m_mark;
    QPushButton* m_ok;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/Marks.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace kt {

// The teacher's percentages for the marks 5, 4 and 3.
class ThresholdsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ThresholdsDialog(const MarkThresholds& t, QWidget* parent = nullptr);
    MarkThresholds thresholds() const;

private:
    QSpinBox* addSpin(const QString& name, int value);
    void setThresholds(const MarkThresholds& t);
    void check();

    QSpinBox* m_five;
    QSpinBox* m_four;
    QSpinBox* m_three;
    QLabel* m_problem;
    QPushButton* m_ok;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ScoreBarGeometry.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <optional>

namespace kt {

// The score bar of the "Качество ответа" group: right, open and wrong answers
// as three abutting boxes with value labels and a legend.
class ScoreBar : public QWidget {
    Q_OBJECT
public:
    explicit ScoreBar(QWidget* parent = nullptr); // 585 x 49; values 0, 100, 0
    // ShowScore: replaces the three values and repaints.
    void setValues(double right, double open, double wrong);
    double right() const { return m_values[0]; }
    double open() const { return m_values[1]; }
    double wrong() const { return m_values[2]; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void renderBuffer();

    std::array<double, kScoreSeriesCount> m_values{0.0, 100.0, 0.0};
    // Measured at the first drawing: the bar is hidden at startup.
    std::optional<ScoreBarFonts> m_fonts;
    QImage m_buffer; // the whole bar, redrawn only when the values change
    bool m_stale = true;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/Marks.h"

#include <QWidget>

namespace kt {

// A small bar chart of how many 2s, 3s, 4s and 5s the shown tests got.
class MarkChart : public QWidget {
    Q_OBJECT
public:
    explicit MarkChart(QWidget* parent = nullptr);
    void setSummary(const MarkSummary& summary);
    const MarkSummary& summary() const { return m_summary; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MarkSummary m_summary;
};

// Paints the chart into a rectangle; the journal's printout uses it as well.
void paintMarkChart(QPainter& painter, const QRect& area, const MarkSummary& summary);

} // namespace kt

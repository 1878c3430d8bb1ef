// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/MarkChart.h"

#include <QPainter>
#include <algorithm>

namespace kt {
namespace {

QColor markColor(int mark) {
    switch (mark) {
    case 5:
        return QColor(46, 139, 87);
    case 4:
        return QColor(70, 130, 180);
    case 3:
        return QColor(218, 165, 32);
    default:
        return QColor(205, 92, 92);
    }
}

} // namespace

void paintMarkChart(QPainter& painter, const QRect& area, const MarkSummary& summary) {
    const int highest = std::max(1, *std::max_element(summary.marks.begin(), summary.marks.end()));
    const QFontMetrics fm(painter.font());
    const int label = fm.height() + 2;
    const int slot = area.width() / 4;
    const int barHeightMax = std::max(1, area.height() - 2 * label);
    for (int mark = 2; mark <= 5; ++mark) {
        const int n = summary.marksOf(mark);
        const int h = n * barHeightMax / highest;
        const int x = area.left() + (mark - 2) * slot;
        const QRect bar(x + slot / 6, area.bottom() - label - h, slot * 2 / 3, h);
        painter.fillRect(bar, markColor(mark));
        painter.setPen(Qt::black);
        painter.drawText(QRect(x, bar.top() - label, slot, label), Qt::AlignCenter,
                         QString::number(n));
        painter.drawText(QRect(x, area.bottom() - label, slot, label), Qt::AlignCenter,
                         QStringLiteral("«%1»").arg(mark));
    }
}

MarkChart::MarkChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 90);
    setToolTip(QStringLiteral("Число оценок «2», «3», «4» и «5» среди показанных тестов"));
}

void MarkChart::setSummary(const MarkSummary& summary) {
    m_summary = summary;
    update();
}

QSize MarkChart::sizeHint() const {
    return {240, 120};
}

void MarkChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    paintMarkChart(painter, rect().adjusted(4, 4, -4, -4), m_summary);
}

} // namespace kt

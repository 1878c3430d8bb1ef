// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreBarPainter.h"

#include "ui/layout/Look.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

namespace kt {
namespace {

void paintFrame(QPainter& painter, QSize widgetSize) {
    const QPalette palette(look::kButtonFace);
    const QBrush fill(look::kButtonFace);
    qDrawWinPanel(&painter, 0, 0, widgetSize.width(), widgetSize.height(), palette, true, &fill);
}

void paintLegend(QPainter& painter, const ScoreBarLayout& layout) {
    painter.fillRect(layout.legendShadow, look::kBlack);
    painter.fillRect(layout.legend, look::kWhite);
    painter.setFont(scoreBarSmallFont());
    painter.setPen(look::kBlack);
    for (const ScoreBarLegendRow& row : layout.legendRows) {
        painter.fillRect(row.colorBox, scoreSeriesColor(row.series));
        painter.drawText(row.textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         scoreSeriesTitle(row.series));
    }
}

// Twice the signed area (shoelace); 0 for the front and top of a zero-length
// segment, which then have nothing to show.
long long doubledArea(const QPolygon& polygon) {
    long long sum = 0;
    for (int i = 0, n = polygon.size(); i < n; ++i) {
        const QPoint a = polygon.at(i);
        const QPoint b = polygon.at((i + 1) % n);
        sum += static_cast<long long>(a.x()) * b.y() - static_cast<long long>(b.x()) * a.y();
    }
    return sum;
}

void paintFace(QPainter& painter, const ScoreBarFace& face) {
    if (doubledArea(face.polygon) == 0)
        return;
    painter.setBrush(face.color);
    painter.drawPolygon(face.polygon);
}

void paintBoxes(QPainter& painter, const ScoreBarLayout& layout) {
    painter.setPen(Qt::NoPen);
    for (const ScoreBarBox& box : layout.boxes) {
        paintFace(painter, box.front);
        paintFace(painter, box.top);
        paintFace(painter, box.side);
    }
    painter.setBrush(Qt::NoBrush);
}

void paintLabels(QPainter& painter, const ScoreBarLayout& layout) {
    painter.setFont(scoreBarLabelFont());
    for (const ScoreBarLabel& label : layout.labels) {
        if (label.framed)
            painter.fillRect(label.box, look::kBlack);
        painter.fillRect(label.textRect, kScoreLabelColor);
        painter.setPen(look::kBlack);
        painter.drawText(label.textRect, Qt::AlignCenter | Qt::TextDontClip, label.text);
    }
}

} // namespace

void paintScoreBar(QPainter& painter, const ScoreBarLayout& layout, QSize widgetSize) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintFrame(painter, widgetSize);
    painter.setClipRect(layout.drawingArea);
    paintBoxes(painter, layout);
    paintLabels(painter, layout);
    // Last, so a label at the far end never hides a legend title.
    paintLegend(painter, layout);
    painter.restore();
}

} // namespace kt

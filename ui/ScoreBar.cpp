// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreBar.h"

#include "ui/ScoreBarPainter.h"

#include <QPainter>

namespace kt {

ScoreBar::ScoreBar(QWidget* parent) : QWidget(parent) {
    setFixedSize(585, 49);
    // The buffer covers every pixel, so the system need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScoreBar::setValues(double right, double open, double wrong) {
    m_values = {right, open, wrong};
    m_stale = true;
    update();
}

void ScoreBar::renderBuffer() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_buffer.size() != pixels)
        m_buffer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_buffer.setDevicePixelRatio(ratio);
    if (!m_fonts)
        m_fonts = defaultScoreBarFonts();
    QPainter painter(&m_buffer);
    paintScoreBar(painter, layoutScoreBar(m_values, *m_fonts, size()), size());
    m_stale = false;
}

void ScoreBar::paintEvent(QPaintEvent* /*event*/) {
    if (m_stale || m_buffer.size() != size() * devicePixelRatioF())
        renderBuffer();
    QPainter painter(this);
    painter.drawImage(0, 0, m_buffer);
}

} // namespace kt

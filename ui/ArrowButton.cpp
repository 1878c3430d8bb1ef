// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ArrowButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kt {
namespace {
constexpr int kGlyph = 16;
constexpr int kSpacing = 4;
} // namespace

ArrowButton::ArrowButton(const QString& caption, const QPixmap& glyph, GlyphSide side,
                         QWidget* parent)
    : QPushButton(caption, parent), m_glyph(glyph), m_side(side) {}

QRect ArrowButton::glyphRect() const {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int groupLeft = (width() - (kGlyph + kSpacing + textWidth)) / 2;
    const int left = m_side == GlyphSide::Left ? groupLeft : groupLeft + textWidth + kSpacing;
    return QRect(left, (height() - kGlyph) / 2, kGlyph, kGlyph);
}

QRect ArrowButton::captionRect() const {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int groupLeft = (width() - (kGlyph + kSpacing + textWidth)) / 2;
    const int left = m_side == GlyphSide::Left ? groupLeft + kGlyph + kSpacing : groupLeft;
    return QRect(left, 0, textWidth, height());
}

void ArrowButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const int shift = isDown() ? 1 : 0;
    painter.drawPixmap(glyphRect().translated(shift, shift), m_glyph);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(captionRect().translated(shift, shift), Qt::AlignCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace kt

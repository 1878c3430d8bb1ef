// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BevelText.h"

#include "ui/Bevel.h"
#include "ui/layout/Look.h"
#include "ui/layout/MnemonicText.h"
#include "ui/layout/QuestionFit.h"

#include <QPainter>

namespace kt {

BevelText::BevelText(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
    updateMargins();
}

void BevelText::setRawText(const QString& text) {
    m_raw = text;
    m_pending = !isVisible();
    if (!m_pending)
        setText(mnemonicRichText(text));
}

void BevelText::showEvent(QShowEvent* event) {
    if (m_pending) {
        m_pending = false;
        setText(mnemonicRichText(m_raw));
    }
    QLabel::showEvent(event);
}

void BevelText::setHighlighted(bool on) {
    if (m_highlighted == on)
        return;
    m_highlighted = on;
    update();
}

void BevelText::setSunken(bool on) {
    if (m_sunken == on)
        return;
    m_sunken = on;
    updateMargins();
    update();
}

void BevelText::setTextColour(const QColor& colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

QColor BevelText::textColour() const {
    return palette().color(QPalette::WindowText);
}

QColor BevelText::backgroundColour() const {
    return m_highlighted ? look::kTooltipBackground : look::kSkyBlue;
}

void BevelText::updateMargins() {
    // The sunken border lies outside the bevel and narrows the text's room.
    const int m = m_sunken ? questionbox::kSunkenMargin : questionbox::kPlainMargin;
    setContentsMargins(m, m, m, m);
}

void BevelText::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), backgroundColour());
        QRect edge = rect();
        if (m_sunken) {
            bevel::drawSunken(painter, edge);
            edge.adjust(1, 1, -1, -1);
        }
        bevel::drawSoft(painter, edge);
    }
    QLabel::paintEvent(event);
}

} // namespace kt

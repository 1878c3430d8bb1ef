// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextLabel.h"

#include "ui/layout/MnemonicText.h"

#include <QShowEvent>

namespace kt {

TextLabel::TextLabel(const QString& text, const QColor& colour, const QFont& font, QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
    setRawText(text);
}

void TextLabel::setRawText(const QString& text) {
    m_raw = text;
    m_pending = true;
    if (isVisible())
        layOutText();
}

void TextLabel::layOutText() {
    m_pending = false;
    setText(mnemonicRichText(m_raw));
    adjustSize();
}

void TextLabel::showEvent(QShowEvent* event) {
    if (m_pending)
        layOutText();
    QLabel::showEvent(event);
}

} // namespace kt

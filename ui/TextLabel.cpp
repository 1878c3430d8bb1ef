#include "TextLabel.h"

#include "MnemonicText.h"

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
    setText(mnemonicRichText(text));
    adjustSize();
}

} // namespace kt

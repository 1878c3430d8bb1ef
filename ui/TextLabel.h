#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

namespace kt {

// A static text that sizes itself to its text, keeping its left and top,
// and reads "&" as a mnemonic prefix.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, const QColor& colour, const QFont& font, QWidget* parent);

    void setRawText(const QString& text);
    const QString& rawText() const { return m_raw; }
    QColor textColour() const { return palette().color(QPalette::WindowText); }

private:
    QString m_raw;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

namespace kt {

// A static text that sizes itself to its text, keeping its left and top,
// and reads "&" as a mnemonic prefix. While the label is not shown, a new
// text is only kept: laying it out would load its font for nothing, so that
// is done when the label is shown.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, const QColor& colour, const QFont& font, QWidget* parent);

    void setRawText(const QString& text);
    const QString& rawText() const { return m_raw; }
    QColor textColour() const { return palette().color(QPalette::WindowText); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOutText();

    QString m_raw;
    bool m_pending = false;
};

} // namespace kt

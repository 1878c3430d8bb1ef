// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>

namespace kt {

// A fixed-size static text with the soft bevelled edge: text centred and
// word-wrapped, clipped to the label, "&" read as a mnemonic prefix. The
// background is sky blue, or the tooltip colour when highlighted; a sunken
// border can be laid round the edge. A text set while the label is not
// shown is laid out when it is shown, not before.
class BevelText : public QLabel {
    Q_OBJECT
public:
    explicit BevelText(QWidget* parent = nullptr);

    void setRawText(const QString& text);
    // The text as stored, with its "&" prefixes.
    const QString& rawText() const { return m_raw; }

    void setHighlighted(bool on);
    bool highlighted() const { return m_highlighted; }
    void setSunken(bool on);
    bool sunken() const { return m_sunken; }
    void setTextColour(const QColor& colour);
    QColor textColour() const;
    QColor backgroundColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateMargins();

    QString m_raw;
    bool m_pending = false;
    bool m_highlighted = false;
    bool m_sunken = false;
};

} // namespace kt

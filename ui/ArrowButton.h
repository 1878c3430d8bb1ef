// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace kt {

// A push button with a 16 x 16 glyph beside its caption, the two centred as
// a group with four pixels between them; the glyph stands on the left or the
// right of the caption.
class ArrowButton : public QPushButton {
    Q_OBJECT
public:
    enum class GlyphSide { Left, Right };

    ArrowButton(const QString& caption, const QPixmap& glyph, GlyphSide side,
                QWidget* parent = nullptr);

    const QPixmap& glyph() const { return m_glyph; }
    // Where the glyph and the caption are drawn, in the button's pixels.
    QRect glyphRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_glyph;
    GlyphSide m_side;
};

} // namespace kt

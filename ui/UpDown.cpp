// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UpDown.h"

#include "ui/UpDownArrows.h"

#include <QLabel>

namespace kt {

UpDown::UpDown(const QRect& valueRect, const QRect& arrowsRect, QWidget* parent)
    : QWidget(parent), m_value(new QLabel(this)), m_arrows(new UpDownArrows(this)) {
    const QRect area = valueRect.united(arrowsRect);
    setGeometry(area);
    m_value->setGeometry(valueRect.translated(-area.topLeft()));
    m_arrows->setGeometry(arrowsRect.translated(-area.topLeft()));
    m_value->setTextFormat(Qt::PlainText);
    connect(m_arrows, &UpDownArrows::arrowClicked, this, &UpDown::arrowClicked);
}

void UpDown::setValueLook(const QFont& font, const QColor& color, Qt::Alignment alignment) {
    m_value->setFont(font);
    QPalette palette = m_value->palette();
    palette.setColor(QPalette::WindowText, color);
    m_value->setPalette(palette);
    m_value->setAlignment(alignment);
}

void UpDown::setState(int position, int lower, int upper, const QString& text) {
    m_position = position;
    m_lower = lower;
    m_upper = upper;
    m_value->setText(text);
}

QString UpDown::text() const {
    return m_value->text();
}

} // namespace kt

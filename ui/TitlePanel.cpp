// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TitlePanel.h"

#include "ui/layout/Look.h"
#include "ui/layout/MnemonicText.h"

namespace kt {

TitlePanel::TitlePanel(QWidget* parent) : BevelPanel(look::kSkyBlue, parent) {
    setFixedSize(529, 57);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("TstNm"));
    m_title->setTextFormat(Qt::RichText);
    m_title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_title->setFont(makeFont(FontFamily::TimesNewRoman, 20, true));
    QPalette pal = m_title->palette();
    pal.setColor(QPalette::WindowText, look::kGreen);
    m_title->setPalette(pal);
    m_title->setGeometry(1, 1, 527, 35);
}

void TitlePanel::setTitle(const QString& text) {
    m_raw = text;
    m_title->setText(mnemonicRichText(text));
}

} // namespace kt

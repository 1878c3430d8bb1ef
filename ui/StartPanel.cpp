// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StartPanel.h"

#include "ui/NameCompleter.h"
#include "ui/TextLabel.h"
#include "ui/layout/Look.h"

namespace kt {

StartPanel::StartPanel(QWidget* parent) : BevelPanel(look::kSkyBlue, parent) {
    setFixedSize(265, 177);
    m_heading = new TextLabel(QStringLiteral("Начало тестирования"), look::kBlue,
                              makeFont(FontFamily::MsSansSerif, 14, true), this);
    m_heading->move(24, 32);
    m_prompt = new TextLabel(QStringLiteral("Введите ваше имя"), look::kRed,
                             makeFont(FontFamily::MsSansSerif, 14, true), this);
    m_prompt->move(32, 64);

    m_name = new QLineEdit(this);
    m_name->setFont(makeFont(FontFamily::MsSansSerif, 12, true));
    m_name->setMaxLength(15);
    m_name->setGeometry(8, 96, 249, m_name->sizeHint().height());

    m_ok = new QPushButton(QIcon(QStringLiteral(":/images/ok.png")), QStringLiteral("OK"), this);
    m_ok->setIconSize(QSize(16, 16));
    m_ok->setGeometry(96, 136, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &StartPanel::accepted);
}

void StartPanel::setClassList(const QStringList& names) {
    if (names.isEmpty())
        return;
    m_name->setMaxLength(40);
    new NameCompleter(names, m_name);
}

} // namespace kt

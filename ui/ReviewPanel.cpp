// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReviewPanel.h"

#include "ui/ResultPanel.h"
#include "ui/TextLabel.h"
#include "ui/layout/Look.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kt {

ReviewPanel::ReviewPanel(QWidget* parent) : BevelPanel(look::kSkyBlue, parent) {
    setFixedSize(449, 249);
    m_heading = new TextLabel(QStringLiteral("Разбор ответов"), look::kRed,
                              makeFont(FontFamily::MsSansSerif, 14, true), this);
    m_heading->move(152, 20);
    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("reviewList"));
    m_list->setReadOnly(true);
    m_list->setFont(makeFont(FontFamily::TimesNewRoman, 10, true));
    QPalette pal = m_list->palette();
    pal.setColor(QPalette::Base, look::kTooltipBackground);
    pal.setColor(QPalette::Text, look::kBlack);
    m_list->setPalette(pal);
    m_list->setGeometry(24, 48, 401, 136);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(192, 200, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &ReviewPanel::accepted);
}

void ReviewPanel::setText(const QString& text) {
    m_list->setPlainText(text);
}

QString ReviewPanel::text() const {
    return m_list->toPlainText();
}

void ReviewPanel::paintEvent(QPaintEvent* event) {
    BevelPanel::paintEvent(event);
    QPainter painter(this);
    ResultPanel::drawOutline(painter);
}

} // namespace kt

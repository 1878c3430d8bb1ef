// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ResultPanel.h"

#include "ui/TextLabel.h"
#include "ui/layout/Look.h"

#include <QPainter>

namespace kt {

ResultPanel::ResultPanel(QWidget* parent) : BevelPanel(look::kSkyBlue, parent) {
    setFixedSize(449, 249);
    const QFont big = makeFont(FontFamily::MsSansSerif, 14, true);
    m_heading = new TextLabel(QStringLiteral("Тестирование завершено"), look::kRed, big, this);
    m_heading->move(104, 24);
    m_name = new TextLabel(QString(), look::kPurple,
                           makeFont(FontFamily::MonotypeCorsiva, 20, true, true), this);
    m_name->move(176, 48);
    m_caption = new TextLabel(QStringLiteral("ответил правильно на"), look::kBlue, big, this);
    m_caption->move(120, 80);
    m_percent =
        new TextLabel(QString(), look::kRed, makeFont(FontFamily::MsSansSerif, 24, true), this);
    m_percent->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_percent->setLineWidth(1);
    m_percent->move(184, 128);
    m_percent->adjustSize();
    // Between the percentage and OK, where the outline leaves room.
    m_mark = new TextLabel(QString(), look::kBlue, big, this);
    m_mark->move(184, 168);
    m_mark->hide();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(192, 192, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &ResultPanel::accepted);
}

void ResultPanel::setName(const QString& name) {
    m_name->setRawText(name);
}

void ResultPanel::setPercent(const QString& text) {
    m_percent->setRawText(text);
}

void ResultPanel::setMark(int mark) {
    m_mark->setRawText(QStringLiteral("Оценка: %1").arg(mark));
    m_mark->setVisible(mark > 0);
}

void ResultPanel::paintEvent(QPaintEvent* event) {
    BevelPanel::paintEvent(event);
    QPainter painter(this);
    drawOutline(painter);
}

void ResultPanel::drawOutline(QPainter& painter) {
    // Not-xor of the green pen with the sky-blue panel gives the outline its
    // light green; drawn this way it would also stay readable over any other
    // background.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QPen(look::kGreen, 1));
    painter.setBrush(Qt::NoBrush);
    const QRect r = outlineRect();
    const int corner = std::min(r.width(), r.height()) / 4;
    painter.drawRoundedRect(r.adjusted(0, 0, -1, -1), corner / 2.0, corner / 2.0);
}

} // namespace kt

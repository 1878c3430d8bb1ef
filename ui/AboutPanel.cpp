// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutPanel.h"

#include "ui/layout/Look.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace kt {

const QString AboutPanel::kProgramLine =
    QStringLiteral("       Программа тестирования знаний      ");
const QString AboutPanel::kCreditLabel = QStringLiteral("Разработчик программы:");
const QString AboutPanel::kDeveloper = QStringLiteral("Команда knowtest, школьный кружок");
const QString AboutPanel::kWebAddress = QStringLiteral("knowtest");

namespace {

constexpr int kBorderWidth = 1;
constexpr int kBevelWidth = 4;

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* makeCredit(QWidget* parent, const QString& text, const QPoint& at, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(makeFont(FontFamily::CourierNew, 10, true));
    setColour(label, QPalette::WindowText, colour);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

AboutPanel::AboutPanel(QWidget* parent) : QFrame(parent) {
    setFixedSize(529, 249);
    setColour(this, QPalette::Window, look::kSkyBlue);
    setAutoFillBackground(true);
    buildProgramLine();
    buildCredits();
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(232, 176, 73, 25);
    m_ok->setFont(makeFont(FontFamily::MsSansSerif, 8, true));
    setColour(m_ok, QPalette::ButtonText, look::kBlue);
    connect(m_ok, &QPushButton::clicked, this, &AboutPanel::okClicked);
}

void AboutPanel::buildProgramLine() {
    m_program = new QLabel(kProgramLine, this);
    m_program->setTextFormat(Qt::PlainText);
    m_program->setGeometry(33, 40, 466, 26);
    m_program->setAlignment(Qt::AlignCenter);
    m_program->setFont(makeFont(FontFamily::CourierNew, 14, true));
    // A raised tile round the line.
    m_program->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_program->setLineWidth(1);
    setColour(m_program, QPalette::WindowText, look::kBlue);
    setColour(m_program, QPalette::Window, look::kSkyBlue);
    m_program->setAutoFillBackground(true);
}

void AboutPanel::buildCredits() {
    m_strip = new QWidget(this);
    m_strip->setGeometry(32, 88, 465, 57);
    setColour(m_strip, QPalette::Window, look::kInactiveCaptionText);
    m_strip->setAutoFillBackground(true);
    // The texts are the panel's own, laid over the strip.
    m_credit = makeCredit(this, kCreditLabel, {40, 96}, look::kBlue);
    m_developer = makeCredit(this, kDeveloper, {224, 96}, look::kPurple);
    m_address = makeCredit(this, kWebAddress, {192, 120}, look::kRed);
}

void AboutPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // A single black border, and inside it a lowered bevel four pixels wide.
    painter.setPen(look::kBlack);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect inner = rect().adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
    qDrawShadePanel(&painter, inner, palette(), true, kBevelWidth);
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsScreen.h"

#include "bank/TestDefaults.h"
#include "ui/BankGrid.h"
#include "ui/UpDown.h"
#include "ui/layout/Look.h"

#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kt {
namespace {

const QString kOkGlyph = QStringLiteral(":/images/ok.png");

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFrame* makeBox(QWidget* parent, const QRect& geometry, const QColor& colour) {
    auto* box = new QFrame(parent);
    box->setGeometry(geometry);
    box->setFrameStyle(QFrame::Panel | QFrame::Raised);
    box->setLineWidth(1);
    paintBackground(box, colour);
    return box;
}

// A static text that sizes itself to its text, keeping its left and top.
QLabel* makeText(QWidget* parent, const QString& text, const QPoint& at, int points,
                 const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(makeFont(FontFamily::MsSansSerif, points, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

// The sunken frame drawn round a value and its arrows.
void makeValueFrame(QWidget* parent, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setGeometry(geometry);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setLineWidth(1);
}

UpDown* makeUpDown(QWidget* parent, const QRect& value, const QRect& arrows, int points,
                   const QColor& colour, Qt::Alignment alignment) {
    auto* control = new UpDown(value, arrows, parent);
    control->setValueLook(makeFont(FontFamily::MsSansSerif, points, true), colour,
                          alignment | Qt::AlignTop);
    return control;
}

} // namespace

SettingsScreen::SettingsScreen(QWidget* parent) : QFrame(parent) {
    setFixedSize(777, 329);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    paintBackground(this, look::kSkyBlue);
    makeText(this, QStringLiteral("Настройка параметров"), {264, 8}, 14, look::kBlue);
    buildCountBox();
    buildTimeBox();
    m_bankSize =
        makeText(this, QStringLiteral("Всего вопросов в базе - "), {192, 96}, 10, look::kFuchsia);
    buildRangeBox();
    buildOkButton();
    // The screen's first texts, as the window shows them before it sets them.
    setCountState(kDefaultQuestionCount, 1, kMaxQuestionCount,
                  QString::number(kDefaultQuestionCount));
    setTimeState(kDefaultMinutesPerQuestion, kMinMinutesPerQuestion, kMaxMinutesPerQuestion,
                 QString::number(kDefaultMinutesPerQuestion));
    setFromState(1, 1, 0, QStringLiteral("1"));
    setToState(0, 0, 0, QStringLiteral("0"));
}

void SettingsScreen::buildCountBox() {
    QFrame* box = makeBox(this, {8, 40, 361, 49}, look::kSkyBlue);
    // "Колличество" and "диапозона" below are spelt as the program always
    // showed them; teachers know the screen by these words. Keep them.
    makeText(box, QStringLiteral("Колличество вопросов"), {16, 16}, 12, look::kNavy);
    makeValueFrame(box, {259, 4, 86, 41});
    m_count = makeUpDown(box, {272, 8, 49, 33}, {321, 8, 17, 33}, 18, look::kBlue, Qt::AlignLeft);
    connect(m_count, &UpDown::arrowClicked, this, &SettingsScreen::countArrow);
}

void SettingsScreen::buildTimeBox() {
    QFrame* box = makeBox(this, {376, 40, 393, 49}, look::kSkyBlue);
    makeText(box, QStringLiteral("Время ответа на один вопрос"), {8, 16}, 12, look::kNavy);
    makeValueFrame(box, {280, 4, 113, 41});
    m_time = makeUpDown(box, {304, 8, 25, 33}, {288, 8, 16, 33}, 18, look::kBlue, Qt::AlignRight);
    connect(m_time, &UpDown::arrowClicked, this, &SettingsScreen::timeArrow);
    QLabel* unit = makeText(box, QStringLiteral("мин"), {336, 12}, 14, look::kBlue);
    unit->setFixedSize(41, 25);
}

void SettingsScreen::buildRangeBox() {
    QFrame* box = makeBox(this, {8, 120, 761, 169}, look::kButtonFace);
    m_grid = new BankGrid(box);
    m_grid->setGeometry(0, 0, 761, 120);
    makeText(box, QStringLiteral("Выбор из диапозона от"), {128, 136}, 10, look::kBlue);
    m_from = makeUpDown(box, {336, 132, 33, 25}, {369, 132, 24, 25}, 12, look::kRed, Qt::AlignLeft);
    connect(m_from, &UpDown::arrowClicked, this, &SettingsScreen::fromArrow);
    makeText(box, QStringLiteral("до"), {456, 136}, 10, look::kBlue);
    m_to = makeUpDown(box, {512, 132, 41, 25}, {553, 132, 24, 25}, 12, look::kRed, Qt::AlignLeft);
    connect(m_to, &UpDown::arrowClicked, this, &SettingsScreen::toArrow);
}

void SettingsScreen::buildOkButton() {
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(344, 296, 75, 25);
    m_ok->setFont(makeFont(FontFamily::MsSansSerif, 8));
    if (QFile::exists(kOkGlyph)) {
        m_ok->setIcon(QIcon(kOkGlyph));
    }
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &SettingsScreen::okClicked);
}

void SettingsScreen::setCountState(int position, int lower, int upper, const QString& text) {
    m_count->setState(position, lower, upper, text);
}

void SettingsScreen::setTimeState(int position, int lower, int upper, const QString& text) {
    m_time->setState(position, lower, upper, text);
}

void SettingsScreen::setFromState(int position, int lower, int upper, const QString& text) {
    m_from->setState(position, lower, upper, text);
}

void SettingsScreen::setToState(int position, int lower, int upper, const QString& text) {
    m_to->setState(position, lower, upper, text);
}

void SettingsScreen::setBankSizeLine(const QString& text) {
    m_bankSize->setText(text);
    m_bankSize->adjustSize();
}

void SettingsScreen::setBank(SharedBankTable records) {
    m_grid->setBank(std::move(records));
}

void SettingsScreen::setBankRecords(std::shared_ptr<const CompactBank> records) {
    m_grid->setBankRecords(std::move(records));
}

void SettingsScreen::keyPressEvent(QKeyEvent* event) {
    // Keys that no child took arrive here; Enter stops at this screen so the
    // panels beneath never see it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        m_ok->click();
        return;
    }
    QFrame::keyPressEvent(event);
}

void SettingsScreen::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    // The screen lies over the start panel, whose name box had the focus:
    // Enter must now reach this screen's OK instead.
    QWidget* focus = window()->focusWidget();
    if (!focus || !isAncestorOf(focus)) {
        m_ok->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AnswerLabel.h"

#include "ui/layout/Look.h"
#include "ui/layout/QuestionFit.h"

#include <QMouseEvent>

namespace kt {

AnswerLabel::AnswerLabel(int index, QWidget* parent) : BevelText(parent), m_index(index) {
    setFont(questionbox::answerFont());
    setTextColour(look::kWindowText);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Выбрать вариант ответа"));
    setMouseTracking(true);
}

void AnswerLabel::setChosen(bool on) {
    setHighlighted(on);
    setSunken(on);
}

void AnswerLabel::setHovered(bool on) {
    m_hovered = on;
    setTextColour(on ? look::kHotTrack : look::kBlack);
}

void AnswerLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_hovered)
        setHovered(true);
    event->accept();
}

void AnswerLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void AnswerLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked(m_index);
}

} // namespace kt

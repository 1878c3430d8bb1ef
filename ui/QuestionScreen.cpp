// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuestionScreen.h"

#include "ui/Bevel.h"
#include "ui/layout/Look.h"
#include "ui/layout/QuestionFit.h"

#include <QMouseEvent>
#include <QPainter>

namespace kt {
namespace {

constexpr int kLetterOffset = 8;

QLabel* makeLetter(const QString& text, int top, QWidget* parent) {
    auto* letter = new QLabel(text, parent);
    letter->setFont(makeFont(FontFamily::MsSansSerif, 14, true));
    QPalette pal = letter->palette();
    pal.setColor(QPalette::WindowText, look::kAqua);
    letter->setPalette(pal);
    letter->adjustSize();
    letter->move(8, top);
    return letter;
}

} // namespace

QuestionScreen::QuestionScreen(QWidget* parent) : QWidget(parent) {
    setFixedSize(777, 321);
    setMouseTracking(true);

    m_question = new BevelText(this);
    m_question->setObjectName(QStringLiteral("Qstn"));
    m_question->setGeometry(questionbox::questionRect());
    m_question->setFont(questionbox::questionFont());
    m_question->setTextColour(look::kPurple);

    const QString letters = QStringLiteral("ABCDE");
    for (int i = 0; i < 5; ++i) {
        const QRect box = questionbox::answerRect(i + 1);
        m_letters[i] = makeLetter(letters.mid(i, 1), box.top() + kLetterOffset, this);
        auto* answer = new AnswerLabel(i + 1, this);
        answer->setObjectName(QStringLiteral("Ansv%1").arg(i + 1));
        answer->setGeometry(box);
        connect(answer, &AnswerLabel::clicked, this, &QuestionScreen::answerClicked);
        m_answers[i] = answer;
    }
}

void QuestionScreen::setQuestion(const QString& text) {
    m_question->setRawText(text);
}

void QuestionScreen::setAnswer(int k, const QString& text) {
    answer(k)->setRawText(text);
}

void QuestionScreen::setChosen(int k) {
    for (AnswerLabel* a : m_answers)
        a->setChosen(a->index() == k);
}

void QuestionScreen::clearBackgrounds() {
    for (AnswerLabel* a : m_answers)
        a->setHighlighted(false);
}

void QuestionScreen::clearBorders() {
    for (AnswerLabel* a : m_answers)
        a->setSunken(false);
}

void QuestionScreen::clearHover() {
    for (AnswerLabel* a : m_answers)
        a->setHovered(false);
}

void QuestionScreen::setItemsVisible(bool visible) {
    m_question->setVisible(visible);
    for (AnswerLabel* a : m_answers)
        a->setVisible(visible);
}

void QuestionScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kDesktop);
    bevel::drawRaised(painter, rect());
}

void QuestionScreen::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the question or the letters reach here too; only the
    // area's own background between them puts the answers back to black.
    if (!childAt(event->position().toPoint()))
        clearHover();
    event->accept();
}

} // namespace kt

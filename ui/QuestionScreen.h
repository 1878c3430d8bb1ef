// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/AnswerLabel.h"

#include <QLabel>
#include <array>

namespace kt {

// The question area: the question text, the letters A to E and the five
// answer variants on a panel in the desktop colour. Answers are numbered
// 1 to 5 as the variants are.
class QuestionScreen : public QWidget {
    Q_OBJECT
public:
    explicit QuestionScreen(QWidget* parent = nullptr);

    void setQuestion(const QString& text);
    void setAnswer(int k, const QString& text);
    // Answer k gets the chosen look, the other four the plain look.
    void setChosen(int k);
    // The two halves of putting every answer back to the plain look.
    void clearBackgrounds();
    void clearBorders();
    // Every answer's text back to black.
    void clearHover();
    // The question and the answers; the letters stay.
    void setItemsVisible(bool visible);

    BevelText* question() const { return m_question; }
    AnswerLabel* answer(int k) const { return m_answers.at(k - 1); }
    QLabel* letter(int k) const { return m_letters.at(k - 1); }

signals:
    void answerClicked(int k);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    BevelText* m_question;
    std::array<AnswerLabel*, 5> m_answers{};
    std::array<QLabel*, 5> m_letters{};
};

} // namespace kt

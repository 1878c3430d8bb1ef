// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/BackgroundWidget.h"
#include "ui/ArrowButton.h"
#include "ui/QuestionScreen.h"
#include "ui/ResultPanel.h"
#include "ui/ScoreBar.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"
#include "ui/TimePanel.h"
#include "ui/TitlePanel.h"

#include <QAction>
#include <QCoreApplication>

namespace kt {

void TForm1::ShowItem(const TestItem& item) {
    m_question->setQuestion(item.Question);
    for (int k = 1; k <= 5; ++k)
        m_question->setAnswer(k, item.Answers[static_cast<size_t>(k)]);
}

void TForm1::ShowCounter(const QString& text) {
    m_counter->setRawText(text);
}

void TForm1::ClearAnswerBackgrounds() {
    m_question->clearBackgrounds();
}

void TForm1::ClearAnswerBorders() {
    m_question->clearBorders();
}

void TForm1::ShowAnswerChosen(int k) {
    m_question->setChosen(k);
}

void TForm1::ShowScore(int right, int open, int wrong) {
    m_scoreBar->setValues(right, open, wrong);
}

void TForm1::ShowTimeLeft(const QString& text) {
    m_time->setTimeText(text);
}

void TForm1::ShowTitle(const QString& subject) {
    m_title->setTitle(subject);
}

void TForm1::SetTestElementsVisible(bool visible) {
    const bool hadFocus = m_back->hasFocus() || m_forward->hasFocus();
    m_question->setItemsVisible(visible);
    m_scoreBar->setVisible(visible);
    m_back->setVisible(visible);
    m_forward->setVisible(visible);
    m_counter->setVisible(visible);
    if (!visible && hadFocus)
        parkFocus();
}

void TForm1::SetStartPanelVisible(bool visible) {
    if (visible) {
        m_start->show();
        m_start->nameBox()->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool hadFocus = m_start->isAncestorOf(focusWidget());
    m_start->hide();
    if (hadFocus)
        parkFocus();
}

void TForm1::SetResultPanelVisible(bool visible) {
    if (visible) {
        showResultMark();
        resultPanel()->show();
        m_result->okButton()->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool hadFocus = m_result && m_result->isAncestorOf(focusWidget());
    if (m_result)
        m_result->hide();
    if (hadFocus && !m_start->isVisible())
        parkFocus();
    else if (m_start->isVisible())
        m_start->nameBox()->setFocus(Qt::OtherFocusReason);
}

void TForm1::SetAbortEnabled(bool enabled) {
    m_abortMenu->setEnabled(enabled);
    m_stop->setEnabled(enabled);
}

void TForm1::SetSettingsMenuEnabled(bool enabled) {
    m_settingsMenu->setEnabled(enabled);
}

void TForm1::SetOptionsButtonEnabled(bool enabled) {
    m_options->setEnabled(enabled);
}

void TForm1::ShowResultName(const QString& name) {
    resultPanel()->setName(name);
}

void TForm1::ShowResultPercent(const QString& text) {
    resultPanel()->setPercent(text);
}

void TForm1::Terminate() {
    // After the connection-error box the program ends at once: no further
    // step of the running handler shows anything.
    m_terminated = true;
    hide();
    QCoreApplication::exit(0);
}

void TForm1::parkFocus() {
    m_client->setFocus(Qt::OtherFocusReason);
}

} // namespace kt

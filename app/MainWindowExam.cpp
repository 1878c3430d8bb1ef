// SPDX-License-Identifier: GPL-3.0-or-later
// What the [exam] section adds to the window: the teacher's password before
// the locked commands, the review after the result, and the mark.
#include "app/MainWindow.h"

#include "app/BackgroundWidget.h"
#include "ui/PasswordDialog.h"
#include "ui/ResultPanel.h"
#include "ui/ReviewPanel.h"

#include <QPushButton>

namespace kt {
namespace {

QChar letter(int place) {
    return QLatin1Char(static_cast<char>('A' + place - 1));
}

QString answerLine(const QString& what, int place, const QString& text) {
    if (place == 0)
        return QStringLiteral("    %1: нет").arg(what);
    return QStringLiteral("    %1: %2) %3").arg(what).arg(letter(place)).arg(text);
}

} // namespace

QString reviewText(const std::vector<ExamReviewEntry>& entries, bool withAnswers) {
    if (entries.empty())
        return QStringLiteral("На все вопросы дан верный ответ.");
    QStringList paragraphs;
    for (const ExamReviewEntry& e : entries) {
        QString p = QStringLiteral("Вопрос %1: %2 — %3")
                        .arg(e.slot)
                        .arg(e.question, e.answered ? QStringLiteral("ответ неверен")
                                                    : QStringLiteral("без ответа"));
        if (withAnswers) {
            if (e.answered)
                p += u'\n' + answerLine(QStringLiteral("ваш ответ"), e.chosen, e.chosenText);
            p += u'\n' + answerLine(QStringLiteral("верный ответ"), e.right, e.rightText);
        }
        paragraphs << p;
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

// A locked command asks for the teacher's password; a wrong one or «Отмена»
// leaves everything as it was.
bool TForm1::teacherAllows() {
    if (!m_engine.exam().locked())
        return true;
    PasswordDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return m_engine.TeacherPassword(dialog.password());
}

// Closing drops a running test and ends the program for the next student
// too, so a locked exam asks first on the start screen and during a test.
bool TForm1::closeAllowed() {
    if (m_terminated || m_engine.screen() == ScreenState::Result)
        return true;
    return teacherAllows();
}

void TForm1::showResultMark() {
    resultPanel()->setMark(m_engine.mark());
}

// The review, when asked for, comes between the result and the start.
bool TForm1::showReviewInstead() {
    if (m_engine.exam().review == ExamReview::None)
        return false;
    if (!m_reviewPanel) {
        m_reviewPanel = new ReviewPanel(m_client);
        m_reviewPanel->setObjectName(QStringLiteral("reviewPanel"));
        m_reviewPanel->move(176, 120);
        m_reviewPanel->stackUnder(m_result);
        connect(m_reviewPanel, &ReviewPanel::accepted, this, [this] {
            m_reviewPanel->hide();
            leaveResult();
        });
    }
    m_reviewPanel->setText(
        reviewText(m_engine.review(), m_engine.exam().review == ExamReview::Answers));
    m_result->hide();
    m_reviewPanel->show();
    m_reviewPanel->okButton()->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace kt

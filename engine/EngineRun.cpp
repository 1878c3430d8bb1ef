// SPDX-License-Identifier: GPL-3.0-or-later
// Answering, moving, the countdown and the completion of a test.
#include "engine/TestEngine.h"

#include "bank/KtError.h"
#include "engine/EngineTexts.h"
#include "engine/TextFormats.h"

namespace kt {

void TestEngine::SelectAnswer(int k) {
    if (!Testing() || k < 1 || k > 5)
        return;
    m_state.SelectedAnswer = k;
    m_display.ShowAnswerChosen(k);
}

void TestEngine::MoveForward() {
    Move(+1);
}

void TestEngine::MoveBack() {
    Move(-1);
}

void TestEngine::Move(int direction) {
    if (!Testing())
        return;
    m_display.ClearAnswerBackgrounds();
    if (m_state.SelectedAnswer != 0)
        Judge();
    if (m_state.RightCount + m_state.WrongCount >= m_state.QuestionCount) {
        // The fresh set's first question stays current.
        MsgOn();
        if (m_terminated)
            return;
    } else {
        StepToOpen(direction);
        m_display.ShowCounter(QString::number(m_state.CurrentIndex));
        m_display.ShowItem(CurrentItem());
    }
    m_state.SelectedAnswer = 0;
    m_display.ClearAnswerBorders();
    if (Testing()) // a finished test's status was written with its result
        PublishStatus();
}

void TestEngine::Judge() {
    TestItem& item = m_state.Set[static_cast<size_t>(m_state.CurrentIndex)];
    // The answers file names the bank's variant, whatever place showed it.
    item.Chosen = BankVariantAt(m_state.CurrentIndex, m_state.SelectedAnswer);
    if (m_state.SelectedAnswer == item.RightAnswer) {
        item.State = Right;
        ++m_state.RightCount;
    } else {
        item.State = Wrong;
        ++m_state.WrongCount;
    }
    const auto slot = static_cast<size_t>(m_state.CurrentIndex);
    if (slot < m_chosen.size())
        m_chosen[slot] = m_state.SelectedAnswer;
    m_display.ShowScore(m_state.RightCount, m_state.OpenCount(), m_state.WrongCount);
}

// Always moves at least once, so a single open question left without a
// choice is reached again after one round of the set.
void TestEngine::StepToOpen(int direction) {
    const int n = m_state.QuestionCount;
    for (int steps = 0; steps < n; ++steps) {
        m_state.CurrentIndex += direction;
        if (m_state.CurrentIndex > n)
            m_state.CurrentIndex = 1;
        if (m_state.CurrentIndex <= 0)
            m_state.CurrentIndex = n;
        if (CurrentItem().State == Pending)
            return;
    }
}

void TestEngine::Abort() {
    // Only a running test can be aborted: in the result state the fresh,
    // unstarted test must not get a report block of its own.
    if (!Testing())
        return;
    MsgOn();
    if (!m_terminated)
        MakeSettingsReachable();
}

void TestEngine::MsgOn() {
    StopCountdown();
    m_screen = ScreenState::Result; // from here no route can complete this test again
    m_percentText = percentText(m_state.RightCount, m_state.QuestionCount);
    KeepExamResult();
    m_display.ShowResultPercent(m_percentText);
    m_display.SetTestElementsVisible(false);
    m_display.SetResultPanelVisible(true);
    m_display.SetAbortEnabled(false);
    // The block is on the disk before the bank is read again: that read can
    // take seconds and can fail, and a power cut meanwhile must not cost the
    // result on screen.
    WriteReport();
    PublishStatus(); // before the counters are reset for the next test
    PrepareNextTest();
    if (!m_lostBankMessage.isEmpty())
        EndForLostBank();
}

void TestEngine::PrepareNextTest() {
    ResetCounters();
    m_display.ClearAnswerBackgrounds();
    m_display.ClearAnswerBorders();
    if (Draw() != DrawOutcome::Drawn)
        return;
    m_display.ShowItem(CurrentItem());
    m_display.ShowScore(0, m_state.QuestionCount, 0);
}

void TestEngine::StartCountdown() {
    const int total = m_state.QuestionCount * m_state.MinutesPerQuestion;
    const int hours = total / 60;
    const int minutes = total - 60 * hours;
    double budget = 0.0;
    parseTimeText(QStringLiteral("%1:%2:00").arg(hours).arg(minutes), &budget);
    m_state.TimeLeft = budget;
    m_ticker.Start();
}

void TestEngine::StopCountdown() {
    m_ticker.Stop();
}

void TestEngine::Tick() {
    if (!Testing()) {
        StopCountdown(); // a tick that arrives after the test has ended
        return;
    }
    double oneSecond = 0.0;
    parseTimeText(QStringLiteral("00:00:01"), &oneSecond);
    m_state.TimeLeft -= oneSecond;
    m_timeText = kt::timeText(m_state.TimeLeft);
    m_display.ShowTimeLeft(m_timeText);
    StatusTick();
    // Zero is tested on the shown text, so rounding dust in TimeLeft cannot
    // carry the countdown past it.
    double shown = -1.0;
    double zero = 0.0;
    parseTimeText(QStringLiteral("00:00:00"), &zero);
    if (parseTimeText(m_timeText, &shown) && shown == zero) {
        if (m_exam.countChosenAtTimeout && m_state.SelectedAnswer != 0)
            Judge();
        MsgOn();
    }
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
// The settings screen, the draw and the report viewer's file.
#include "engine/TestEngine.h"

#include "bank/KtError.h"
#include "bank/TestDefaults.h"
#include "engine/EngineTexts.h"
#include "engine/TextFormats.h"
#include "report/ReportWriter.h"

namespace kt {

TestEngine::DrawOutcome TestEngine::Draw() {
    const QGenRequest request{m_state.QuestionCount, m_state.RangeFrom, m_state.RangeTo};
    try {
        const QGenResult result = QGen(m_bank, request, m_seeds, m_state.Set, this);
        m_state.BankSize = result.bankSize;
        m_state.SubjectName = result.subjectName;
        m_state.SetReady = true;
        m_notReadyReason.clear();
        OrderVariants();
        return DrawOutcome::Drawn;
    } catch (const BankOpenError& e) {
        m_state.SetReady = false;
        m_lostBankMessage = e.message();
        return DrawOutcome::BankLost;
    } catch (const KtError& e) {
        m_state.SetReady = false;
        m_notReadyReason = e.message();
        m_dialogs.ShowError(errorBoxText(e.message()));
        return DrawOutcome::Failed;
    }
}

void TestEngine::EndForLostBank() {
    if (m_terminated)
        return;
    StopCountdown();
    FlushKeptReports(); // the program ends here, without FormClose
    m_terminated = true;
    m_dialogs.ShowConnectionError(connectionErrorText(m_lostBankMessage));
    m_display.Terminate();
}

void TestEngine::BankCounted(int bankSize) {
    m_state.BankSize = bankSize;
    RefreshBankDisplays();
}

void TestEngine::RefreshBankDisplays() {
    m_settings.bankSizeLine = bankSizeLineText(m_state.BankSize);
    m_display.ShowCounter(QString::number(m_state.CurrentIndex));
    m_settings.from.SetUpper(m_state.BankSize - m_state.QuestionCount);
    m_settings.to.SetUpper(m_state.BankSize);
    m_display.ShowSettings(m_settings);
}

bool TestEngine::OpenSettings(bool fromMenu) {
    if (m_terminated || m_screen == ScreenState::Testing)
        return false;
    try {
        m_bank.Open();
    } catch (const KtError& e) {
        m_dialogs.ShowError(errorBoxText(e.message()));
        return false;
    }
    m_display.ShowSettings(m_settings);
    m_display.SetSettingsVisible(true);
    m_display.SetAbortEnabled(false);
    if (fromMenu) {
        m_display.SetAboutVisible(false);
        m_display.SetReportViewerVisible(false);
    }
    return true;
}

void TestEngine::ReadSettingsValues() {
    m_state.QuestionCount = m_settings.count.textValue();
    m_state.MinutesPerQuestion = m_settings.time.textValue();
}

void TestEngine::SetRangeLimitsAfterClick() {
    m_settings.from.SetUpper(m_state.BankSize - m_state.QuestionCount - 1);
    m_settings.to.SetUpper(m_state.BankSize);
}

void TestEngine::CountArrow(int delta) {
    if (!settingsOpen())
        return;
    UpDownModel& count = m_settings.count;
    count.Step(delta);
    const int widest = m_settings.to.position() - m_settings.from.position() - kRangeMargin;
    if (widest < count.position())
        count.SetPosition(widest);
    ReadSettingsValues();
    SetRangeLimitsAfterClick();
    m_display.ShowSettings(m_settings);
}

void TestEngine::TimeArrow(int delta) {
    if (!settingsOpen())
        return;
    m_settings.time.Step(delta);
    ReadSettingsValues();
    SetRangeLimitsAfterClick();
    m_display.ShowSettings(m_settings);
}

void TestEngine::FromArrow(int delta) {
    if (!settingsOpen())
        return;
    UpDownModel& from = m_settings.from;
    const int count = m_settings.count.position();
    const int to = m_settings.to.position();
    from.Step(delta);
    // One more than the margin: the corrected range is one record wider than
    // the bound.
    if (to < from.position() + count + kRangeMargin)
        from.SetPosition(to - count - kRangeMargin - 1);
    m_display.ShowSettings(m_settings);
}

void TestEngine::ToArrow(int delta) {
    if (!settingsOpen())
        return;
    UpDownModel& to = m_settings.to;
    const int count = m_settings.count.position();
    const int from = m_settings.from.position();
    to.Step(delta);
    if (to.position() < from + count + kRangeMargin)
        to.SetPosition(from + count + kRangeMargin);
    m_display.ShowSettings(m_settings);
}

void TestEngine::ApplySettings() {
    if (!settingsOpen())
        return;
    ReadSettingsValues();
    m_state.RangeFrom = m_settings.from.position() - 1;
    m_state.RangeTo = m_settings.to.position();
    m_bank.Close();
    m_state.CurrentIndex = 1;
    const DrawOutcome drawn = Draw();
    if (drawn == DrawOutcome::BankLost) {
        EndForLostBank();
        return;
    }
    if (drawn == DrawOutcome::Drawn && m_startupPending) {
        m_startupPending = false;
        FinishStartup(); // the window reaches the start state startup left unfinished
    } else if (drawn == DrawOutcome::Drawn) {
        m_display.ShowItem(CurrentItem());
        m_display.ShowScore(0, m_state.QuestionCount, 0);
    }
    // After a failed draw the screen still closes: the start state is back
    // and the settings can be opened again to change the range.
    m_display.SetSettingsVisible(false);
}

QString TestEngine::ReadReport() {
    try {
        ensureReportFile(m_reportPath);
        return readReport(m_reportPath);
    } catch (const KtError& e) {
        m_dialogs.ShowError(errorBoxText(e.message()));
        return QString();
    }
}

} // namespace kt

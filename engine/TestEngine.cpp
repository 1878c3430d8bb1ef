// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TestEngine.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "bank/TestDefaults.h"
#include "engine/EngineTexts.h"
#include "engine/TextFormats.h"
#include "report/ReportWriter.h"

namespace kt {

// The name box takes at most 15 characters; a character outside the code page
// (a surrogate pair counts as one) is kept as a single "?".
QString studentNameOf(const QString& typed, int maxLength) {
    QString folded;
    for (int i = 0; i < typed.size(); ++i) {
        if (typed.at(i).isHighSurrogate() && i + 1 < typed.size() &&
            typed.at(i + 1).isLowSurrogate()) {
            folded.append(QLatin1Char('?'));
            ++i;
        } else {
            folded.append(typed.at(i));
        }
    }
    return cp1251Text(folded, maxLength);
}

TestEngine::TestEngine(const EngineDeps& deps)
    : m_display(deps.display), m_dialogs(deps.dialogs), m_seeds(deps.seeds), m_clock(deps.clock),
      m_ticker(deps.ticker), m_reportPath(deps.reportPath), m_reports(deps.reportPath, QString()),
      m_bank(deps.bankSource), m_startupSettings(deps.startupSettings),
      m_passwords(deps.passwords) {
    SetUpClass(deps);
}

bool TestEngine::FormCreate() {
    if (!CreateReportFile()) {
        // Nothing more is read: the window opens in the start state with no
        // set, and the settings stay reachable.
        ShowStartState();
        MakeSettingsReachable();
        m_startupPending = true;
        return true;
    }
    m_state.QuestionCount = kDefaultQuestionCount;
    m_state.MinutesPerQuestion = kDefaultMinutesPerQuestion;
    m_settings.count.SetUpper(m_state.QuestionCount);
    m_settings.count.SetPosition(kDefaultQuestionCount);
    m_settings.time.SetPosition(kDefaultMinutesPerQuestion);
    ShowStartState();
    ResetCounters();
    if (!ReadBankAtStartup())
        return false;
    m_state.RangeFrom = 0;
    m_state.RangeTo = m_state.BankSize;
    SetStartupSettingsTexts();
    ApplySettingsFile();
    const DrawOutcome drawn = Draw();
    if (drawn == DrawOutcome::BankLost) {
        EndForLostBank();
        return false;
    }
    if (drawn == DrawOutcome::Failed) {
        // The teacher can change the range; the title already names the test.
        MakeSettingsReachable();
        m_display.ShowTitle(m_state.SubjectName);
        m_startupPending = true;
    } else {
        FinishStartup();
    }
    return true;
}

bool TestEngine::CreateReportFile() {
    QString why = PrepareWorkingReport();
    if (why.isEmpty()) {
        ShowClassProblems();
        return true;
    }
    // Startup stops here, so mending the file is not enough on its own.
    why += QStringLiteral(". Исправьте это и запустите программу заново");
    m_notReadyReason = why;
    m_state.SetReady = false;
    m_dialogs.ShowError(errorBoxText(why));
    return false;
}

void TestEngine::MakeSettingsReachable() {
    m_display.SetSettingsMenuEnabled(true);
    m_display.SetOptionsButtonEnabled(true);
}

void TestEngine::ResetCounters() {
    m_state.CurrentIndex = 1;
    m_state.RightCount = 0;
    m_state.WrongCount = 0;
    m_state.SelectedAnswer = 0;
}

void TestEngine::ShowStartState() {
    m_display.SetTestElementsVisible(false);
    m_display.SetSettingsVisible(false);
    m_display.SetStartPanelVisible(true);
    m_display.SetAbortEnabled(false);
    m_screen = ScreenState::Start;
    PublishStatus();
}

bool TestEngine::ReadBankAtStartup() {
    try {
        m_bank.Open();
    } catch (const KtError& e) {
        m_lostBankMessage = e.message();
        EndForLostBank();
        return false;
    }
    m_state.BankSize = m_bank.Count();
    m_bank.First();
    m_state.SubjectName = m_bank.FieldText(FieldSubject);
    m_settings.bankSizeLine = bankSizeLineText(m_state.BankSize);
    m_state.Set.resize(static_cast<size_t>(m_state.QuestionCount) + 1);
    m_display.ShowCounter(QString::number(m_state.CurrentIndex));
    m_settings.from.SetUpper(m_state.BankSize - m_state.QuestionCount);
    m_settings.to.SetUpper(m_state.BankSize);
    m_settings.from.SetPosition(0);
    m_settings.to.SetPosition(m_state.BankSize);
    m_display.ShowSettings(m_settings);
    m_bank.Close();
    return true;
}

void TestEngine::SetStartupSettingsTexts() {
    m_settings.count.SetText(QString::number(kDefaultQuestionCount));
    m_settings.time.SetText(QString::number(kDefaultMinutesPerQuestion));
    m_settings.from.SetText(QStringLiteral("1"));
    m_settings.to.SetText(QString::number(m_state.BankSize));
    m_display.ShowSettings(m_settings);
}

void TestEngine::FinishStartup() {
    m_display.ShowItem(CurrentItem());
    m_display.ShowTitle(m_state.SubjectName);
    m_display.SetSettingsMenuEnabled(true);
    m_display.ShowScore(0, 100, 0);
    m_display.ShowScore(0, m_state.QuestionCount, 0);
    PublishStatus(); // now with the count the settings file gave
}

void TestEngine::FormClose() {
    // A running test is dropped: no report, and no late tick may complete it.
    StopCountdown();
    if (m_bank.IsOpen())
        m_bank.Close();
    FlushKeptReports();
    m_terminated = true;
}

void TestEngine::StartTest(const QString& name) {
    if (m_terminated || m_screen != ScreenState::Start || m_bank.IsOpen())
        return;
    if (!m_state.SetReady || m_state.Set.size() != static_cast<size_t>(m_state.QuestionCount) + 1) {
        const QString why = m_notReadyReason.isEmpty()
                                ? QStringLiteral("Тест не подготовлен: вопросы не выбраны из базы")
                                : m_notReadyReason;
        m_dialogs.ShowError(errorBoxText(why));
        return;
    }
    QString refused;
    const QString studentName = StudentNameFor(name, &refused);
    if (!refused.isEmpty()) {
        m_dialogs.ShowError(errorBoxText(refused));
        return;
    }
    if (!ReportFileReady() || !AttemptsLeft(studentName))
        return;
    m_display.SetTestElementsVisible(true);
    m_state.StudentName = studentName;
    m_display.ShowResultName(m_state.StudentName);
    m_display.SetStartPanelVisible(false);
    m_display.SetOptionsButtonEnabled(false);
    m_display.SetAbortEnabled(true);
    m_screen = ScreenState::Testing;
    StartCountdown();
    m_display.SetSettingsMenuEnabled(false);
    m_statusTicks = 0;
    PublishStatus();
}

void TestEngine::BackToStart() {
    if (m_terminated || m_screen != ScreenState::Result)
        return;
    m_display.SetTestElementsVisible(false);
    m_display.SetSettingsMenuEnabled(true);
    m_display.SetOptionsButtonEnabled(true);
    m_display.SetStartPanelVisible(true);
    m_display.SetAbortEnabled(false);
    m_display.SetResultPanelVisible(false);
    m_screen = ScreenState::Start;
    PublishStatus();
}

const TestItem& TestEngine::CurrentItem() const {
    static const TestItem kNone;
    const auto i = static_cast<size_t>(m_state.CurrentIndex);
    return i < m_state.Set.size() ? m_state.Set[i] : kNone;
}

} // namespace kt

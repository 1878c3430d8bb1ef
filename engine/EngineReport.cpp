// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's side of the report file: the block of a finished test, the
// check before a test starts and the kept blocks at the end.
#include "engine/TestEngine.h"

#include "engine/TextFormats.h"
#include "report/ReportWriter.h"

namespace kt {

void TestEngine::WriteReport() {
    ReportBlock b;
    b.studentName = m_state.StudentName;
    b.percent = m_percentText;
    b.date = dateText(m_clock.Today());
    b.time = timeOfDayText(m_clock.Now());
    const QString answersWhy = WriteAnswers(b.date, b.time);
    b.timeLeft = m_timeText;
    b.bankSizeLine = m_settings.bankSizeLine;
    b.count = m_settings.count.text();
    b.from = m_settings.from.text();
    b.to = m_settings.to.text();
    b.minutes = m_settings.time.text();
    const QString problem = m_reports.Append(reportBlockBytes(b));
    if (!problem.isEmpty())
        m_dialogs.ShowError(errorBoxText(problem));
    else if (!answersWhy.isEmpty()) // one box is enough when both files are gone
        m_dialogs.ShowError(errorBoxText(answersWhy));
}

// Checked at every start, not only at startup: the file can be removed,
// replaced or filled while the program waits, and a student must not sit a
// whole test whose result has nowhere to go.
bool TestEngine::ReportFileReady() {
    const QString problem = m_class ? ClassFilesProblem() : m_reports.Prepare();
    if (problem.isEmpty())
        return true;
    m_dialogs.ShowError(errorBoxText(problem));
    return false;
}

void TestEngine::RecoverKeptReports() {
    m_reports.Recover();
    if (m_answers)
        m_answers->Recover();
}

void TestEngine::SaveKeptReportsAtSessionEnd() {
    m_reports.Flush();
    if (m_answers)
        m_answers->Flush();
}

void TestEngine::FlushKeptReports() {
    const QString problem = m_reports.Flush();
    if (!problem.isEmpty())
        m_dialogs.ShowError(errorBoxText(problem));
    FlushKeptAnswers();
}

} // namespace kt

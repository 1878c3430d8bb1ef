// SPDX-License-Identifier: GPL-3.0-or-later
// The settings a teacher keeps beside the bank, taken once at startup in
// place of the built-in ones.
#include "engine/TestEngine.h"

#include "engine/TextFormats.h"

namespace kt {
namespace {

void showValues(UpDownModel& control, int value) {
    control.SetPosition(value);
    control.SetText(QString::number(value)); // plain digits, as startup writes them
}

} // namespace

void TestEngine::ApplySettingsFile() {
    if (!m_startupSettings)
        return;
    const SettingsFileContent file = m_startupSettings->Read();
    if (!file.present)
        return;
    QStringList problems;
    const TestSettings s = resolveTestSettings(file, m_state.BankSize, &problems);
    ApplyExamSection(file, &problems);
    m_state.QuestionCount = s.count;
    m_state.MinutesPerQuestion = s.minutes;
    m_state.RangeFrom = s.from - 1;
    m_state.RangeTo = s.to;
    m_state.Set.resize(static_cast<size_t>(s.count) + 1);
    showValues(m_settings.count, s.count);
    showValues(m_settings.time, s.minutes);
    m_settings.from.SetUpper(m_state.BankSize - s.count);
    showValues(m_settings.from, s.from);
    showValues(m_settings.to, s.to);
    m_display.ShowSettings(m_settings);
    if (!problems.isEmpty())
        m_dialogs.ShowError(errorBoxText(
            QStringLiteral("Файл настроек теста «%1»:\n").arg(m_startupSettings->Name()) +
            problems.join(QStringLiteral(";\n"))));
}

} // namespace kt

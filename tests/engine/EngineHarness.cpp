// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/EngineHarness.h"

#include <QFile>

namespace kt::test {

void RecordingDisplay::log(const QString& name, const QString& args) {
    calls << name + QLatin1Char('(') + args + QLatin1Char(')');
}

QStringList RecordingDisplay::callsNamed(const QString& prefix) const {
    QStringList out;
    for (const QString& c : calls)
        if (c.startsWith(prefix + QLatin1Char('(')))
            out << c;
    return out;
}

void RecordingDisplay::ShowItem(const TestItem& i) {
    item = i;
    log(QStringLiteral("ShowItem"), i.Question);
}
void RecordingDisplay::ShowCounter(const QString& text) {
    counter = text;
    log(QStringLiteral("ShowCounter"), text);
}
void RecordingDisplay::ClearAnswerBackgrounds() {
    log(QStringLiteral("ClearAnswerBackgrounds"));
}
void RecordingDisplay::ClearAnswerBorders() {
    chosen = 0;
    log(QStringLiteral("ClearAnswerBorders"));
}
void RecordingDisplay::ShowAnswerChosen(int k) {
    chosen = k;
    log(QStringLiteral("ShowAnswerChosen"), QString::number(k));
}
void RecordingDisplay::ShowScore(int right, int open, int wrong) {
    scoreRight = right;
    scoreOpen = open;
    scoreWrong = wrong;
    log(QStringLiteral("ShowScore"), QStringLiteral("%1,%2,%3").arg(right).arg(open).arg(wrong));
}
void RecordingDisplay::ShowTimeLeft(const QString& text) {
    timeLeft = text;
    log(QStringLiteral("ShowTimeLeft"), text);
}
void RecordingDisplay::ShowTitle(const QString& subject) {
    title = subject;
    log(QStringLiteral("ShowTitle"), subject);
}
void RecordingDisplay::SetTestElementsVisible(bool v) {
    testElements = v;
    log(QStringLiteral("SetTestElementsVisible"), QString::number(v));
}
void RecordingDisplay::SetStartPanelVisible(bool v) {
    startPanel = v;
    log(QStringLiteral("SetStartPanelVisible"), QString::number(v));
}
void RecordingDisplay::SetResultPanelVisible(bool v) {
    resultPanel = v;
    log(QStringLiteral("SetResultPanelVisible"), QString::number(v));
}
void RecordingDisplay::SetSettingsVisible(bool v) {
    settingsVisible = v;
    log(QStringLiteral("SetSettingsVisible"), QString::number(v));
}
void RecordingDisplay::SetReportViewerVisible(bool v) {
    reportViewer = v;
    log(QStringLiteral("SetReportViewerVisible"), QString::number(v));
}
void RecordingDisplay::SetAboutVisible(bool v) {
    about = v;
    log(QStringLiteral("SetAboutVisible"), QString::number(v));
}
void RecordingDisplay::SetAbortEnabled(bool v) {
    abortEnabled = v;
    log(QStringLiteral("SetAbortEnabled"), QString::number(v));
}
void RecordingDisplay::SetSettingsMenuEnabled(bool v) {
    settingsMenu = v;
    log(QStringLiteral("SetSettingsMenuEnabled"), QString::number(v));
}
void RecordingDisplay::SetOptionsButtonEnabled(bool v) {
    optionsButton = v;
    log(QStringLiteral("SetOptionsButtonEnabled"), QString::number(v));
}
void RecordingDisplay::ShowResultName(const QString& name) {
    resultName = name;
    log(QStringLiteral("ShowResultName"), name);
}
void RecordingDisplay::ShowResultPercent(const QString& text) {
    resultPercent = text;
    log(QStringLiteral("ShowResultPercent"), text);
}
void RecordingDisplay::ShowSettings(const SettingsModel& s) {
    settings = s;
    log(QStringLiteral("ShowSettings"));
}
void RecordingDisplay::Terminate() {
    terminated = true;
    log(QStringLiteral("Terminate"));
}

Harness::Harness(BankTable table, const QString& path) : source(std::move(table)) {
    reportPath = path.isEmpty() ? dir.filePath(QStringLiteral("TestData.dat")) : path;
    fallbackPath = dir.filePath(QStringLiteral("data/TestData-unsaved.dat"));
    EngineDeps deps{display, dialogs, source, seeds, clock, ticker, reportPath};
    engine = std::make_unique<TestEngine>(deps);
    ReportFileOptions options;
    options.writer = &faults;
    engine->UseReportOptions(fallbackPath, options);
}

void Harness::UseClass(const ClassSettings& classroom, HostName& host,
                       TestSettingsSource* settings) {
    EngineDeps deps{display, dialogs,    source,   seeds,      clock,
                    ticker,  reportPath, settings, &classroom, &host};
    engine = std::make_unique<TestEngine>(deps);
    ReportFileOptions options;
    options.writer = &faults;
    engine->UseReportOptions(fallbackPath, options);
}

QByteArray Harness::reportBytes() const {
    QFile f(reportPath);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void Harness::choose(bool right) {
    const int r = fixtureRightAnswer(display.item.Question);
    engine->SelectAnswer(right ? r : r % 5 + 1);
}

void Harness::answerForward(bool right) {
    choose(right);
    engine->MoveForward();
}

void Harness::ticks(int n) {
    for (int i = 0; i < n; ++i)
        engine->Tick();
}

void Harness::clicks(void (TestEngine::*arrow)(int), int delta, int times) {
    for (int i = 0; i < times; ++i)
        (engine.get()->*arrow)(delta);
}

} // namespace kt::test

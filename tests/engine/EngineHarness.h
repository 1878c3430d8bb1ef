// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/TestEngine.h"
#include "tests/support/Banks.h"
#include "tests/support/Fakes.h"
#include "tests/support/FillingDisk.h"
#include "tests/support/MemoryBankSource.h"
#include "tests/support/QtPrinters.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace kt::test {

// Records every display call as "Name(args)" and keeps the last value of
// each, starting from values the start state must overwrite.
class RecordingDisplay : public TestDisplay {
public:
    QStringList calls;
    TestItem item;
    QString counter;
    QString timeLeft;
    QString title;
    QString resultName;
    QString resultPercent;
    int scoreRight = -1;
    int scoreOpen = -1;
    int scoreWrong = -1;
    int chosen = 0;
    bool testElements = true;
    bool startPanel = false;
    bool resultPanel = true;
    bool settingsVisible = true;
    bool reportViewer = true;
    bool about = true;
    bool abortEnabled = true;
    bool settingsMenu = false;
    bool optionsButton = false;
    bool terminated = false;
    SettingsModel settings;

    void ShowItem(const TestItem& i) override;
    void ShowCounter(const QString& text) override;
    void ClearAnswerBackgrounds() override;
    void ClearAnswerBorders() override;
    void ShowAnswerChosen(int k) override;
    void ShowScore(int right, int open, int wrong) override;
    void ShowTimeLeft(const QString& text) override;
    void ShowTitle(const QString& subject) override;
    void SetTestElementsVisible(bool visible) override;
    void SetStartPanelVisible(bool visible) override;
    void SetResultPanelVisible(bool visible) override;
    void SetSettingsVisible(bool visible) override;
    void SetReportViewerVisible(bool visible) override;
    void SetAboutVisible(bool visible) override;
    void SetAbortEnabled(bool enabled) override;
    void SetSettingsMenuEnabled(bool enabled) override;
    void SetOptionsButtonEnabled(bool enabled) override;
    void ShowResultName(const QString& name) override;
    void ShowResultPercent(const QString& text) override;
    void ShowSettings(const SettingsModel& s) override;
    void Terminate() override;

    // The calls whose name starts with `prefix`, in order.
    QStringList callsNamed(const QString& prefix) const;

private:
    void log(const QString& name, const QString& args = QString());
};

class Harness {
public:
    explicit Harness(BankTable table, const QString& reportPath = QString());

    QTemporaryDir dir;
    RecordingDisplay display;
    RecordingDialogs dialogs;
    MemoryBankSource source;
    SequenceSeeds seeds;
    FixedClock clock;
    FakeTicker ticker;
    QString reportPath;
    // Inside the temporary folder, never the user's own data folder.
    QString fallbackPath;
    FillingDisk faults;
    std::unique_ptr<TestEngine> engine;

    TestEngine& e() { return *engine; }
    // Builds the engine anew as one PC of a class, with its startup settings.
    void UseClass(const ClassSettings& classroom, HostName& host,
                  TestSettingsSource* settings = nullptr);
    QByteArray reportBytes() const;
    // Chooses the right (or a wrong) answer of the shown question.
    void choose(bool right);
    // Answers the shown question and moves forward.
    void answerForward(bool right);
    void ticks(int n);
    // Arrow clicks on one of the settings controls.
    void clicks(void (TestEngine::*arrow)(int), int delta, int times);
};

} // namespace kt::test

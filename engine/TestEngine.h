// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/Bank.h"
#include "bank/QGen.h"
#include "engine/BankSettingsFile.h"
#include "engine/ClassRoom.h"
#include "engine/ExamReview.h"
#include "engine/ExamSettings.h"
#include "engine/ExamShuffle.h"
#include "engine/Seams.h"
#include "engine/SettingsModel.h"
#include "engine/TestDisplay.h"
#include "engine/TestState.h"
#include "report/ReportQueue.h"
#include "report/ReportWriter.h"

#include <memory>
#include <optional>

namespace kt {

enum class ScreenState { Start, Testing, Result };

// Everything the seams of the engine are bound to.
struct EngineDeps {
    TestDisplay& display;
    Dialogs& dialogs;
    BankSource& bankSource;
    SeedSource& seeds;
    Clock& clock;
    Ticker& ticker;
    QString reportPath = reportFileName();
    // The settings kept beside the bank, taken at startup; none: the built-in ones.
    TestSettingsSource* startupSettings = nullptr;
    // A test sat by a class (the settings file's [class] section): where the
    // results, answers and live status go, named after `hostName`. Without
    // it the program writes only the report file, as it always did.
    const ClassSettings* classroom = nullptr;
    HostName* hostName = nullptr;
    // Checks the teacher's password of an [exam] section; none: a password
    // there cannot be read, and the locks stay shut.
    PasswordCheck* passwords = nullptr;
};

// The test engine: startup, answering and moving, countdown, completion with
// the report, and the settings. One handler per user event; each runs to its
// end before the next event arrives, so no locking is needed.
class TestEngine : public QGenListener {
public:
    explicit TestEngine(const EngineDeps& deps);

    // Before FormCreate: where results go that the report file never took
    // (by default a file in the user's data folder) and how appends wait
    // and fail. Tests put their own folder and faults here.
    void UseReportOptions(const QString& fallbackPath, const ReportFileOptions& options);

    // Startup. Returns false when the program must end (the bank could not be
    // opened; the connection-error dialog has been shown and Terminate called).
    bool FormCreate();
    // Shutdown: a running test is dropped without a report.
    void FormClose();
    // After FormCreate: results an earlier run kept back go to the report
    // file when it takes them; nothing is shown either way.
    void RecoverKeptReports();
    // The session ends under the program (logout, shutdown, the display
    // gone): the kept blocks get one more try at the report file, without a
    // message box that nobody would see. They stay in the fallback file else.
    void SaveKeptReportsAtSessionEnd();

    // Start panel OK with the name box's text. Only in the start state with
    // the settings screen closed; without a drawn set it says why in the
    // default error box and nothing starts.
    void StartTest(const QString& name);
    // Result panel OK.
    void BackToStart();

    void SelectAnswer(int k);
    void MoveForward();
    void MoveBack();
    // "Прервать тестирование" (menu item or Stop button). Only while a test
    // runs: on the result panel there is nothing left to abort.
    void Abort();
    // The countdown timer's handler. A tick outside a running test stops the
    // ticker and does nothing else.
    void Tick();

    // "Настройка" (fromMenu) or the Options button. Returns false when the bank
    // could not be opened (the default error box has been shown) or a test runs.
    // The arrows and OK do nothing while the screen is closed.
    bool OpenSettings(bool fromMenu);
    void CountArrow(int delta);
    void TimeArrow(int delta);
    void FromArrow(int delta);
    void ToArrow(int delta);
    // Settings OK: always draws a new set, and closes the screen even when
    // the draw fails (the settings can then be opened again).
    void ApplySettings();

    // "Просмотреть отчет": makes sure the report file exists and returns its
    // whole text decoded from the code page, lines ended by "\n" (throws
    // nothing; errors go to the default error box and give an empty text).
    QString ReadReport();

    const TestState& state() const { return m_state; }
    const SettingsModel& settings() const { return m_settings; }
    ScreenState screen() const { return m_screen; }
    const QString& timeText() const { return m_timeText; }
    bool settingsOpen() const { return m_bank.IsOpen(); }
    // The bank while the settings screen is shown (its grid lists it).
    const Bank& bank() const { return m_bank; }

    void BankCounted(int bankSize) override;

    // The [exam] section read at startup; `present` is false without one.
    const ExamSettings& exam() const { return m_exam; }
    // Whether `typed` opens the locks; always true while nothing is locked.
    bool TeacherPassword(const QString& typed) const;
    // The bank's variant number that a place of a slot shows (1 to 5).
    int BankVariantAt(int slot, int place) const;
    // The finished test's wrong and open questions (with a review asked
    // for) and its mark (with show_mark, else 0); both are ready when the
    // result panel is shown.
    const std::vector<ExamReviewEntry>& review() const { return m_review; }
    int mark() const { return m_mark; }

private:
    enum class DrawOutcome { Drawn, Failed, BankLost };

    // Startup pieces, in the order FormCreate runs them.
    bool CreateReportFile();
    void ShowStartState();
    bool ReadBankAtStartup();
    void SetStartupSettingsTexts();
    void ApplySettingsFile();
    void ApplyExamSection(const SettingsFileContent& file, QStringList* problems);
    void FinishStartup();

    // QGen with its failures sorted: a failed draw is shown and leaves no set
    // ready; a bank that cannot be opened ends the program (EndForLostBank).
    DrawOutcome Draw();
    void EndForLostBank();
    void RefreshBankDisplays();

    void Move(int direction);
    void Judge();
    void StepToOpen(int direction);
    void ResetCounters();
    void MakeSettingsReachable();
    // Completes the running test; every route ends here.
    void MsgOn();
    void PrepareNextTest();
    void WriteReport();
    // The report file can take a block (kept blocks are written first);
    // otherwise the student has been told why and where.
    bool ReportFileReady();
    void FlushKeptReports();
    void StartCountdown();
    void StopCountdown();

    // The class folder's part (EngineClass.cpp); each does nothing without one.
    void SetUpClass(const EngineDeps& deps);
    QString PrepareWorkingReport();
    void ShowClassProblems();
    QString ClassFilesProblem();
    // The typed name as the test keeps it; empty with `refused` set when the
    // class list must hold it and does not.
    QString StudentNameFor(const QString& typed, QString* refused) const;
    QString WriteAnswers(const QString& date, const QString& time);
    void FlushKeptAnswers();
    void PublishStatus();
    void StatusTick();
    QString TestTitle() const;
    // The exam's rules at their points of the test.
    void OrderVariants();
    bool AttemptsLeft(const QString& name);
    void KeepExamResult();

    void ReadSettingsValues();
    void SetRangeLimitsAfterClick();

    bool Testing() const { return !m_terminated && m_screen == ScreenState::Testing; }
    const TestItem& CurrentItem() const;

    TestDisplay& m_display;
    Dialogs& m_dialogs;
    SeedSource& m_seeds;
    Clock& m_clock;
    Ticker& m_ticker;
    QString m_reportPath;
    ReportQueue m_reports;
    Bank m_bank;
    TestState m_state;
    SettingsModel m_settings;
    ScreenState m_screen = ScreenState::Start;
    QString m_timeText = QStringLiteral("00:00:00");
    QString m_percentText;
    // Why no set is ready, shown when a test is asked for anyway.
    QString m_notReadyReason;
    QString m_lostBankMessage;
    bool m_terminated = false;
    TestSettingsSource* m_startupSettings;
    // Startup stopped at a failed draw: the next drawn set finishes it.
    bool m_startupPending = false;
    std::unique_ptr<ClassRoom> m_class;
    QString m_workingReportPath;
    std::optional<ReportQueue> m_answers;
    int m_statusTicks = 0;

    PasswordCheck* m_passwords;
    ExamSettings m_exam;
    // By slot: the places' bank variants and the place chosen when judged.
    std::vector<VariantOrder> m_orders;
    std::vector<int> m_chosen;
    std::vector<ExamReviewEntry> m_review;
    int m_mark = 0;
};

} // namespace kt

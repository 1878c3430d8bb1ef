// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ExamPasswords.h"
#include "app/QtTicker.h"
#include "engine/SettingsModel.h"
#include "engine/TestEngine.h"

#include <QMainWindow>
#include <optional>

class QAction;
class QPushButton;

namespace kt {

class AboutPanel;
class ArrowButton;
class BackgroundWidget;
class QuestionScreen;
class ReportViewer;
class ResultPanel;
class ReviewPanel;
class ScoreBar;
class ScoreGroup;
class SettingsScreen;
class StartPanel;
class TextLabel;
class TimePanel;
class TitlePanel;
class ToolStrip;

// What the window is built on; the program passes the real bank file, clock
// and message boxes, tests their own.
struct WindowDeps {
    BankSource& bankSource;
    SeedSource& seeds;
    Clock& clock;
    Dialogs& dialogs;
    QString reportPath = reportFileName();
    TestSettingsSource* startupSettings = nullptr;
    // The [class] section of the bank's settings, when it has one.
    const ClassSettings* classroom = nullptr;
    HostName* hostName = nullptr;
};

// The program's single window. It owns the test engine, turns the user's
// commands into engine calls and carries out the engine's display operations
// on its widgets.
class TForm1 : public QMainWindow, public TestDisplay {
    Q_OBJECT
public:
    explicit TForm1(const WindowDeps& deps, QWidget* parent = nullptr);
    ~TForm1() override;

    // Startup; false when the program must end without showing the window.
    bool FormCreate();

    TestEngine& engine() { return m_engine; }
    const QtTicker& ticker() const { return m_ticker; }
    bool terminated() const { return m_terminated; }

    // The button Enter presses when no focused button takes it: the shown
    // panel's OK, or none.
    QPushButton* shownDefaultButton() const;
    // The settings screen's OK takes Enter while that screen is shown.
    void setSettingsOkButton(QPushButton* button) { m_settingsOk = button; }

    // TestDisplay
    void ShowItem(const TestItem& item) override;
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
    void ShowSettings(const SettingsModel& settings) override;
    void Terminate() override;

public slots:
    void onSettingsCommand(bool fromMenu);
    void onAboutCommand();
    void onViewReportCommand();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildClientArea();
    void buildTestElements();
    void buildPanels();
    void buildScoreGroup();
    void buildMenu();
    void buildToolbar();
    void nameElements();
    // The screens hidden at startup, built when first needed.
    void ensureOverlayScreens();
    ResultPanel* resultPanel();
    void connectOverlayScreens();
    void showSettingsOnScreen(const SettingsModel& settings);
    void onSettingsOk();
    // Closing the viewer or the About panel hides and shows the window again,
    // so that it is activated anew.
    void reactivateWindow();
    void connectCommands();
    void onStartOk();
    void onResultOk();
    void leaveResult();
    void onAbortCommand();

    // The [exam] section's part in the window.
    bool teacherAllows();
    bool closeAllowed();
    void showResultMark();
    bool showReviewInstead();
    // Keeps the keyboard focus off hidden elements: the window itself takes it.
    void parkFocus();

    HashPasswordCheck m_passwords;
    QtTicker m_ticker;
    TestEngine m_engine;
    bool m_terminated = false;

    BackgroundWidget* m_client = nullptr;
    QuestionScreen* m_question = nullptr;
    TextLabel* m_counter = nullptr;
    ArrowButton* m_back = nullptr;
    ArrowButton* m_forward = nullptr;
    ResultPanel* m_result = nullptr;
    StartPanel* m_start = nullptr;
    TimePanel* m_time = nullptr;
    TitlePanel* m_title = nullptr;
    ToolStrip* m_tools = nullptr;
    ScoreGroup* m_scoreGroup = nullptr;
    ScoreBar* m_scoreBar = nullptr;
    TextLabel* m_corner = nullptr;
    SettingsScreen* m_settingsScreen = nullptr;
    ReportViewer* m_viewer = nullptr;
    AboutPanel* m_about = nullptr;
    ReviewPanel* m_reviewPanel = nullptr;
    QPushButton* m_settingsOk = nullptr;
    // The settings screen's last states, for a screen built after they were shown.
    std::optional<SettingsModel> m_shownSettings;

    QAction* m_abortMenu = nullptr;
    QAction* m_exitMenu = nullptr;
    QAction* m_settingsMenu = nullptr;
    QAction* m_aboutMenu = nullptr;
    QAction* m_reportMenu = nullptr;
    QAction* m_stop = nullptr;
    QAction* m_options = nullptr;
    QAction* m_out = nullptr;
    QAction* m_help = nullptr;
};

// Makes the pictures of the program available (they live in a static
// library); call once before the first window is built.
void initAppResources();

// The review panel's text: one paragraph per wrong or open question, with
// the chosen and the right answer when `withAnswers`.
QString reviewText(const std::vector<ExamReviewEntry>& entries, bool withAnswers);

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/BackgroundWidget.h"
#include "ui/AboutPanel.h"
#include "ui/ArrowButton.h"
#include "ui/ReportViewer.h"
#include "ui/ResultPanel.h"
#include "ui/SettingsScreen.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"

#include <QLineEdit>
#include <memory>
#include <utility>

namespace kt {

// The screens that are hidden at startup are built when they are first
// needed: the window's first frame does not wait for their widgets and fonts.
//
// The overlay screens lie between the score group and the corner label, in
// this order from the bottom: settings, report viewer, About panel. They are
// built together, so that this order and the keyboard focus order among them
// are the same whichever of them is needed first.
void TForm1::ensureOverlayScreens() {
    if (m_settingsScreen)
        return;
    m_settingsScreen = new SettingsScreen(m_client);
    m_settingsScreen->move(8, 80);
    m_viewer = new ReportViewer(m_client);
    m_viewer->move(192, 80);
    m_about = new AboutPanel(m_client);
    m_about->move(120, 104);
    const std::pair<QWidget*, const char*> screens[] = {
        {m_settingsScreen, "settingsScreen"}, {m_viewer, "reportViewer"}, {m_about, "aboutPanel"}};
    for (const auto& [w, name] : screens) {
        w->setObjectName(QLatin1String(name));
        w->hide();
        w->stackUnder(m_corner);
    }
    setSettingsOkButton(m_settingsScreen->okButton());
    connectOverlayScreens();
    if (m_shownSettings)
        showSettingsOnScreen(*m_shownSettings);
}

// The result panel lies under the start panel.
ResultPanel* TForm1::resultPanel() {
    if (!m_result) {
        m_result = new ResultPanel(m_client);
        m_result->setObjectName(QStringLiteral("resultPanel"));
        m_result->move(176, 120);
        m_result->hide();
        m_result->stackUnder(m_start);
        connect(m_result, &ResultPanel::accepted, this, &TForm1::onResultOk);
        // Tab moves through the elements in the order in which they lie on the
        // background, whenever the panel was built.
        setTabOrder(m_forward, m_result->okButton());
    }
    return m_result;
}

void TForm1::connectOverlayScreens() {
    connect(m_settingsScreen, &SettingsScreen::countArrow, this,
            [this](int d) { m_engine.CountArrow(d); });
    connect(m_settingsScreen, &SettingsScreen::timeArrow, this,
            [this](int d) { m_engine.TimeArrow(d); });
    connect(m_settingsScreen, &SettingsScreen::fromArrow, this,
            [this](int d) { m_engine.FromArrow(d); });
    connect(m_settingsScreen, &SettingsScreen::toArrow, this,
            [this](int d) { m_engine.ToArrow(d); });
    connect(m_settingsScreen, &SettingsScreen::okClicked, this, &TForm1::onSettingsOk);
    connect(m_viewer, &ReportViewer::closeClicked, this, [this] {
        m_viewer->hide();
        reactivateWindow();
    });
    connect(m_about, &AboutPanel::okClicked, this, [this] {
        m_about->hide();
        reactivateWindow();
    });
}

void TForm1::onSettingsCommand(bool fromMenu) {
    if (m_engine.screen() != ScreenState::Testing && teacherAllows())
        m_engine.OpenSettings(fromMenu);
}

void TForm1::onSettingsOk() {
    // The grid empties as the bank closes for the draw, before any message
    // the draw may show.
    m_settingsScreen->setBank(nullptr);
    m_engine.ApplySettings();
    if (m_start->isVisible())
        m_start->nameBox()->setFocus();
}

void TForm1::onAboutCommand() {
    ensureOverlayScreens();
    m_about->show();
    m_viewer->hide();
}

void TForm1::onViewReportCommand() {
    if (!teacherAllows())
        return;
    // The file is read afresh at every opening.
    ensureOverlayScreens();
    m_viewer->setReportText(m_engine.ReadReport());
    m_viewer->show();
    m_about->hide();
}

void TForm1::reactivateWindow() {
    hide();
    show();
    activateWindow();
}

void TForm1::SetSettingsVisible(bool visible) {
    if (!visible && !m_settingsScreen)
        return; // never shown, nothing to hide
    ensureOverlayScreens();
    // The grid lists the bank only while the screen is shown, from its own
    // share of the records: the bank lets go of them when it closes.
    m_settingsScreen->setBankRecords(visible ? m_engine.bank().sharedRecords() : nullptr);
    m_settingsScreen->setVisible(visible);
}

void TForm1::SetReportViewerVisible(bool visible) {
    if (!visible && !m_viewer)
        return;
    ensureOverlayScreens();
    m_viewer->setVisible(visible);
}

void TForm1::SetAboutVisible(bool visible) {
    if (!visible && !m_about)
        return;
    ensureOverlayScreens();
    m_about->setVisible(visible);
}

// The settings screen may not exist yet: the states are kept and given to it
// when it is built.
void TForm1::ShowSettings(const SettingsModel& s) {
    m_shownSettings = s;
    if (m_settingsScreen)
        showSettingsOnScreen(s);
}

void TForm1::showSettingsOnScreen(const SettingsModel& s) {
    m_settingsScreen->setCountState(s.count.position(), s.count.lower(), s.count.upper(),
                                    s.count.text());
    m_settingsScreen->setTimeState(s.time.position(), s.time.lower(), s.time.upper(),
                                   s.time.text());
    m_settingsScreen->setFromState(s.from.position(), s.from.lower(), s.from.upper(),
                                   s.from.text());
    m_settingsScreen->setToState(s.to.position(), s.to.lower(), s.to.upper(), s.to.text());
    m_settingsScreen->setBankSizeLine(s.bankSizeLine);
}

} // namespace kt

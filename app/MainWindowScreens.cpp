#include "MainWindow.h"

#include "AboutPanel.h"
#include "BackgroundWidget.h"
#include "ReportViewer.h"
#include "SettingsScreen.h"
#include "StartPanel.h"
#include "TextLabel.h"

#include <QLineEdit>
#include <memory>

namespace kt {

// The overlay screens lie between the score group and the corner label, in
// this order from the bottom: settings, report viewer, About panel.
void TForm1::buildOverlayScreens() {
    m_settingsScreen = new SettingsScreen(m_client);
    m_settingsScreen->move(8, 80);
    m_viewer = new ReportViewer(m_client);
    m_viewer->move(192, 80);
    m_about = new AboutPanel(m_client);
    m_about->move(120, 104);
    for (QWidget* w : {static_cast<QWidget*>(m_settingsScreen), static_cast<QWidget*>(m_viewer),
                       static_cast<QWidget*>(m_about)}) {
        w->hide();
        w->stackUnder(m_corner);
    }
    setSettingsOkButton(m_settingsScreen->okButton());
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
    m_about->show();
    m_viewer->hide();
}

void TForm1::onViewReportCommand() {
    // The file is read afresh at every opening.
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
    // The grid lists the bank only while the screen is shown, from its own
    // share of the records: the bank lets go of them when it closes.
    m_settingsScreen->setBankRecords(visible ? m_engine.bank().sharedRecords() : nullptr);
    m_settingsScreen->setVisible(visible);
}

void TForm1::SetReportViewerVisible(bool visible) {
    m_viewer->setVisible(visible);
}

void TForm1::SetAboutVisible(bool visible) {
    m_about->setVisible(visible);
}

void TForm1::ShowSettings(const SettingsModel& s) {
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

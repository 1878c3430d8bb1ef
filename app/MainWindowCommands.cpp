// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/BackgroundWidget.h"
#include "ui/ArrowButton.h"
#include "ui/QuestionScreen.h"
#include "ui/ResultPanel.h"
#include "ui/ReviewPanel.h"
#include "ui/StartPanel.h"
#include "ui/ToolStrip.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>

namespace kt {
namespace {

// Normal and hot looks share one picture; a disabled look exists only for
// the buttons that can be disabled.
QIcon toolIcon(const QString& name, bool withDisabled) {
    const QPixmap normal(QStringLiteral(":/images/tool_%1.png").arg(name));
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    if (withDisabled)
        icon.addPixmap(QPixmap(QStringLiteral(":/images/tool_%1_disabled.png").arg(name)),
                       QIcon::Disabled);
    return icon;
}

QAction* toolAction(const QString& image, bool withDisabled, const QString& hint, QObject* parent) {
    auto* action = new QAction(toolIcon(image, withDisabled), hint, parent);
    action->setToolTip(hint);
    return action;
}

} // namespace

void TForm1::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    m_abortMenu = file->addAction(QStringLiteral("Прервать тестирование"));
    m_exitMenu = file->addAction(QStringLiteral("Выход"));
    m_settingsMenu = menuBar()->addAction(QStringLiteral("Настройка"));
    // "Помошь" is spelt as the program always showed it, and schools'
    // instructions name the menu so. Keep it.
    QMenu* help = menuBar()->addMenu(QStringLiteral("Помошь"));
    m_aboutMenu = help->addAction(QStringLiteral("О программе"));
    m_reportMenu = help->addAction(QStringLiteral("Просмотреть отчет"));
}

void TForm1::buildToolbar() {
    m_stop =
        toolAction(QStringLiteral("hand"), true, QStringLiteral("Прервать тестирование"), this);
    m_options =
        toolAction(QStringLiteral("spanner"), true, QStringLiteral("Настройка параметров"), this);
    m_out = toolAction(QStringLiteral("door"), false, QStringLiteral("Выход из программы"), this);
    m_help = toolAction(QStringLiteral("book"), false, QStringLiteral("Вызов справки"), this);
    for (QAction* a : {m_stop, m_options, m_out, m_help})
        m_tools->addButton(a);
}

void TForm1::connectCommands() {
    connect(m_abortMenu, &QAction::triggered, this, &TForm1::onAbortCommand);
    connect(m_stop, &QAction::triggered, this, &TForm1::onAbortCommand);
    // The top-level window: on the full screen the window lies on a backdrop.
    connect(m_exitMenu, &QAction::triggered, this, [this] { window()->close(); });
    connect(m_out, &QAction::triggered, this, [this] { window()->close(); });
    // The Help button has no command.
    connect(m_settingsMenu, &QAction::triggered, this, [this] { onSettingsCommand(true); });
    connect(m_options, &QAction::triggered, this, [this] { onSettingsCommand(false); });
    connect(m_aboutMenu, &QAction::triggered, this, &TForm1::onAboutCommand);
    connect(m_reportMenu, &QAction::triggered, this, &TForm1::onViewReportCommand);

    connect(m_start, &StartPanel::accepted, this, &TForm1::onStartOk);
    connect(m_back, &QPushButton::clicked, this, [this] { m_engine.MoveBack(); });
    connect(m_forward, &QPushButton::clicked, this, [this] { m_engine.MoveForward(); });
    connect(m_question, &QuestionScreen::answerClicked, this,
            [this](int k) { m_engine.SelectAnswer(k); });
    connect(m_client, &BackgroundWidget::backgroundHovered, m_question,
            &QuestionScreen::clearHover);
}

void TForm1::onStartOk() {
    const QString name = m_start->nameBox()->text();
    m_engine.StartTest(name);
    if (m_engine.screen() == ScreenState::Testing)
        m_start->nameBox()->clear();
}

void TForm1::onAbortCommand() {
    if (m_engine.screen() == ScreenState::Testing && teacherAllows())
        m_engine.Abort();
}

void TForm1::onResultOk() {
    if (!showReviewInstead())
        leaveResult();
}

void TForm1::leaveResult() {
    m_engine.BackToStart();
    // The question area is repainted so that no trace of the finished test
    // stays behind the start panel.
    m_question->update();
}

QPushButton* TForm1::shownDefaultButton() const {
    if (m_reviewPanel && m_reviewPanel->isVisible())
        return m_reviewPanel->okButton();
    if (m_result && m_result->isVisible())
        return m_result->okButton();
    if (m_settingsOk && m_settingsOk->isVisible())
        return m_settingsOk;
    if (m_start->isVisible())
        return m_start->okButton();
    return nullptr;
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && mods == Qt::NoModifier) {
        if (QPushButton* button = shownDefaultButton()) {
            button->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!closeAllowed()) {
        event->ignore();
        return;
    }
    m_engine.FormClose();
    event->accept();
}

} // namespace kt

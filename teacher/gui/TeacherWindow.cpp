// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/TeacherWindow.h"

#include "teacher/gui/QuestionsPart.h"
#include "teacher/help/HelpWindow.h"
#include "teacher/journal/ClassPage.h"
#include "teacher/journal/ItemAnalysisPage.h"
#include "teacher/journal/JournalPage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace kt {
namespace {

constexpr int kRecentFiles = 6;
const QString kRecentKey = QStringLiteral("recentFiles");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kStateKey = QStringLiteral("windowState");

} // namespace

TeacherWindow::TeacherWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("teacherWindow"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("parts"));
    m_tabs->setDocumentMode(true);
    setCentralWidget(m_tabs);
    m_toolbar = addToolBar(QStringLiteral("Команды"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_questions = new QuestionsPart(this);
    buildMenus();
    buildParts();

    BankDocument& doc = m_questions->document();
    connect(&doc, &BankDocument::pathChanged, this, &TeacherWindow::updateCaption);
    connect(&doc, &BankDocument::modifiedChanged, this, &TeacherWindow::updateCaption);
    connect(m_questions, &QuestionsPart::fileUsed, this, &TeacherWindow::rememberFile);
    connect(m_questions, &QuestionsPart::statusMessage, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });

    resize(1240, 860);
    const QSettings settings;
    restoreGeometry(settings.value(kGeometryKey).toByteArray());
    restoreState(settings.value(kStateKey).toByteArray());
    showPartTools(m_tabs->currentIndex()); // the saved state may hold another part's toolbar
    updateCaption();
}

void TeacherWindow::buildParts() {
    // The figures sit at the right, where messages of the moment do not
    // cover them.
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("partFigures"));
    statusBar()->addPermanentWidget(m_figures);
    addPart(QStringLiteral("Вопросы"), m_questions, m_questions->toolbarActions());
    connect(m_questions, &QuestionsPart::summaryChanged, this,
            [this](const QString& text) { setPartSummary(m_questions, text); });
    setPartSummary(m_questions, m_questions->summary());
    // The journal brings its own toolbar inside its page.
    auto* journal = new JournalPage(this);
    addPart(QStringLiteral("Результаты"), journal);
    connect(journal, &JournalPage::summaryChanged, this,
            [this, journal](const QString& text) { setPartSummary(journal, text); });
    setPartSummary(journal, journal->summary());
    auto* analysis = new ItemAnalysisPage(this);
    addPart(QStringLiteral("Анализ вопросов"), analysis);
    connect(analysis, &ItemAnalysisPage::recordRequested, this, &TeacherWindow::showRecord);
    addPart(QStringLiteral("Класс"), new ClassPage(this));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        showPartTools(index);
        statusBar()->clearMessage(); // it spoke of the part left
        showPartSummary();
    });
}

void TeacherWindow::addPart(const QString& title, QWidget* part,
                            const QList<QAction*>& toolActions) {
    m_partTools << toolActions;
    m_tabs->addTab(part, title);
    showPartTools(m_tabs->currentIndex());
}

void TeacherWindow::showPartTools(int index) {
    m_toolbar->clear();
    if (index >= 0 && index < m_partTools.size())
        m_toolbar->addActions(m_partTools.at(index));
    // A part that brings its own toolbar (the journal) leaves no empty strip.
    m_toolbar->setVisible(!m_toolbar->actions().isEmpty());
}

void TeacherWindow::setPartSummary(const QWidget* part, const QString& text) {
    m_summaries.insert(part, text);
    if (m_tabs->currentWidget() != part)
        return;
    // New figures end a message such as "Чтение…" that came before them.
    statusBar()->clearMessage();
    showPartSummary();
}

void TeacherWindow::showPartSummary() {
    const QString text = m_summaries.value(m_tabs->currentWidget());
    m_figures->setText(text);
    m_figures->setVisible(!text.isEmpty());
}

// A finding of the item analysis, opened in the editor with its preview.
void TeacherWindow::showRecord(const QString& bankPath, int counter, const QString& question) {
    const QString open = m_questions->document().path();
    const bool same = !open.isEmpty() && QFileInfo(open) == QFileInfo(bankPath);
    if (!same && (!m_questions->maybeDiscard() || !m_questions->openBankFile(bankPath)))
        return;
    m_tabs->setCurrentWidget(m_questions);
    const int row = m_questions->rowOfCounter(counter);
    m_questions->selectRow(row);
    const QString name = QFileInfo(bankPath).fileName();
    if (row < 0)
        statusBar()->showMessage(
            QStringLiteral("В базе «%1» нет записи со счётчиком %2").arg(name).arg(counter));
    else if (m_questions->document().record(row).text[FieldQuestion] != question)
        statusBar()->showMessage(
            QStringLiteral("Текст записи %1 изменён после этих ответов").arg(counter));
}

void TeacherWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    const QList<QAction*> fileActions = m_questions->fileActions();
    file->addActions(fileActions.mid(0, 2)); // new, open
    m_recent = file->addMenu(QStringLiteral("Последние &файлы"));
    connect(m_recent, &QMenu::aboutToShow, this, &TeacherWindow::fillRecentMenu);
    file->addActions(fileActions.mid(2, 2)); // save, save as
    file->addSeparator();
    file->addActions(fileActions.mid(4, 2)); // import, export
    file->addSeparator();
    file->addActions(fileActions.mid(6));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("В&ыход"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    edit->addActions(m_questions->editActions());
    QMenu* question = menuBar()->addMenu(QStringLiteral("&Вопрос"));
    question->addActions(m_questions->questionActions());
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Справка"));
    QAction* guide =
        help->addAction(QStringLiteral("&Руководство учителя"), this, &TeacherWindow::showGuide);
    guide->setObjectName(QStringLiteral("actionGuide"));
    guide->setShortcut(QKeySequence::HelpContents);
    guide->setShortcutContext(Qt::ApplicationShortcut);
}

void TeacherWindow::showGuide() {
    if (!m_guide)
        m_guide = new HelpWindow(guideFolder(), this);
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void TeacherWindow::updateCaption() {
    const QString path = m_questions->document().path();
    const QString name = path.isEmpty() ? QStringLiteral("новая база") : QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("Knowtest — учителю — %1[*]").arg(name));
    setWindowModified(m_questions->document().isModified());
}

void TeacherWindow::rememberFile(const QString& path) {
    QSettings settings;
    QStringList files = settings.value(kRecentKey).toStringList();
    files.removeAll(path);
    files.prepend(path);
    settings.setValue(kRecentKey, files.mid(0, kRecentFiles));
}

void TeacherWindow::fillRecentMenu() {
    m_recent->clear();
    const QStringList files = QSettings().value(kRecentKey).toStringList();
    for (const QString& path : files) {
        QAction* a = m_recent->addAction(QDir::toNativeSeparators(path));
        connect(a, &QAction::triggered, this, [this, path] {
            if (m_questions->maybeDiscard())
                m_questions->openBankFile(path);
        });
    }
    if (files.isEmpty())
        m_recent->addAction(QStringLiteral("(пусто)"))->setEnabled(false);
}

void TeacherWindow::start(const QString& bankPath) {
    if (bankPath.isEmpty() || !m_questions->openBankFile(bankPath))
        m_questions->newBank();
}

void TeacherWindow::closeEvent(QCloseEvent* event) {
    if (!m_questions->maybeDiscard()) {
        event->ignore();
        return;
    }
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState());
    event->accept();
}

} // namespace kt

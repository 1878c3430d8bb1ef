// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QMainWindow>

class QLabel;
class QMenu;
class QTabWidget;
class QToolBar;

namespace kt {

class QuestionsPart;

// The teacher's program window. Its parts are tabs: the question editor
// ("Вопросы") first; another part joins with one addPart call and brings
// its own tool-bar commands, shown while its tab is open.
class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TeacherWindow(QWidget* parent = nullptr);

    void addPart(const QString& title, QWidget* part, const QList<QAction*>& toolActions = {});
    QuestionsPart* questions() const { return m_questions; }
    QTabWidget* parts() const { return m_tabs; }

    // Opens the bank given on the command line, or starts an empty one.
    void start(const QString& bankPath);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildParts();
    void showGuide();
    void updateCaption();
    void rememberFile(const QString& path);
    void fillRecentMenu();
    void showPartTools(int index);
    // The status bar's figures are those of the part whose tab is shown.
    void setPartSummary(const QWidget* part, const QString& text);
    void showPartSummary();
    void showRecord(const QString& bankPath, int counter, const QString& question);

    QTabWidget* m_tabs;
    QToolBar* m_toolbar;
    QMenu* m_recent = nullptr;
    QWidget* m_guide = nullptr; // made on its first opening
    QuestionsPart* m_questions;
    QList<QList<QAction*>> m_partTools;
    QLabel* m_figures;
    QHash<const QWidget*, QString> m_summaries;
};

} // namespace kt

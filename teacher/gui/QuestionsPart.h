// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/core/BankDocument.h"
#include "teacher/core/CheckedBankRead.h"
#include "teacher/core/LiveBankCheck.h"
#include "ui/layout/QuestionFit.h"

#include <QWidget>

class QAction;
class QLineEdit;
class QLabel;
class QTableView;

namespace kt {

class PreviewPane;
class ProblemListModel;
class QuestionForm;
class QuestionTableModel;

// The "Вопросы" part of the teacher's window: the bank's questions in a
// table with the form that edits the selected one, a preview as the
// student sees it and the list of problems found by the checks.
class QuestionsPart : public QWidget {
    Q_OBJECT
public:
    explicit QuestionsPart(QWidget* parent = nullptr);

    BankDocument& document() { return m_doc; }
    std::vector<EditorProblem> problems() const { return m_check.all(); }
    int currentRow() const;
    void selectRow(int row);
    // The row of the record with this counter, -1 when there is none.
    int rowOfCounter(int counter) const;
    // The part's figures for the status bar: records and problems.
    QString summary() const;

    // File commands; each says what went wrong in a message box. The ones
    // that could drop unsaved changes ask first.
    void newBank();
    void openBank();
    bool openBankFile(const QString& path);
    bool saveBank();
    bool saveBankAs();
    bool saveBankTo(const QString& path);
    void importTable();
    void exportTable();
    void editTestSettings();
    // Asks about unsaved changes: true when they were saved or may be dropped.
    bool maybeDiscard();
    // How long an opening reads before its progress window is shown.
    void setOpenProgressDelay(int ms) { m_openProgressDelayMs = ms; }

    // The part's commands, for the window's menus and tool bar.
    QList<QAction*> fileActions() const { return m_fileActions; }
    QList<QAction*> editActions() const { return m_editActions; }
    QList<QAction*> questionActions() const { return m_questionActions; }
    QList<QAction*> toolbarActions() const;
    QAction* action(const QString& objectName) const;

signals:
    // A file was opened or saved, for the list of recent files.
    void fileUsed(const QString& path);
    void statusMessage(const QString& text);
    // The part's figures changed; summary() tells them.
    void summaryChanged(const QString& text);

private:
    void buildActions();
    QWidget* buildTableSide();
    void sizeColumns();
    QWidget* buildBottom();
    void showCurrent();
    // Undo and redo show the record they changed; `undone` tells which ran.
    void followSteps();
    void showStep(bool undone);
    void followChecks();
    void showProblemCount();
    void problemActivated(int index);
    void findNext(bool includeCurrent);
    void updateActions();
    QString dialogFolder() const;
    void takeSettingsAlong(const QString& fromBank, const QString& toBank);

    BankDocument m_doc;
    QuestionTableModel* m_model;
    QTableView* m_table;
    QLineEdit* m_search;
    QuestionForm* m_form;
    PreviewPane* m_preview;
    QuestionFit m_fit;
    LiveBankCheck m_check;
    // The read whose records the document is taking: its check is taken
    // along instead of being made again.
    CheckedBankRead* m_opening = nullptr;
    ProblemListModel* m_problemModel;
    QLabel* m_problemCaption;
    QTableView* m_problemList;
    QList<QAction*> m_fileActions;
    QList<QAction*> m_editActions;
    QList<QAction*> m_questionActions;
    // The record the last change of the bank touched, and whether it was
    // taken out: what undo and redo show when they are done.
    int m_touchedRow = -1;
    bool m_touchedByRemoval = false;
    int m_openProgressDelayMs = 500;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/JournalModel.h"
#include "teacher/journal/JournalPrinter.h"

#include <QFutureWatcher>
#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QPlainTextEdit;
class QTableView;

namespace kt {

class JournalFilterBar;
class MarkChart;

// What reading one report file gave: its blocks, or why it could not be read.
struct LoadedReport {
    QString path;
    JournalFile file; // with the answers file beside it
    QString error;
};

// The teacher's journal of results: report files of one or more PCs as one
// sortable, filterable table with marks, a summary and a chart of the marks,
// exported for spreadsheets or printed.
class JournalPage : public QWidget {
    Q_OBJECT
public:
    explicit JournalPage(QWidget* parent = nullptr);
    ~JournalPage() override;

    // Reads the files in the background and adds them; loaded() follows.
    void openFiles(const QStringList& paths);
    bool isLoading() const;
    bool exportCsv(const QString& path);
    bool printPdf(const QString& path);

    JournalModel* model() const { return m_model; }
    JournalProxy* proxy() const { return m_proxy; }
    // The page's figures for the status bar: tests shown of all, files.
    QString summary() const;

signals:
    void loaded();
    // The page's figures changed; summary() tells them.
    void summaryChanged(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildActions();
    QAction* addAction(const QString& name, const QString& text, int icon,
                       void (JournalPage::*slot)());
    void chooseFiles();
    void reload();
    void closeAll();
    void exportTable();
    void print();
    void savePdf();
    void editThresholds();
    void applyFilter();
    void finishLoading();
    // A test's questions, chosen against right, from its PC's answers file.
    void showTestAnswers(const QModelIndex& index);
    void updateSummary();
    void updateActions();
    QStringList summaryNotes(const MarkSummary& s) const;
    JournalPrintout printout() const;

    JournalModel* m_model;
    JournalProxy* m_proxy;
    JournalFilterBar* m_filters;
    QTableView* m_table;
    QLabel* m_summary;
    MarkChart* m_chart;
    QPlainTextEdit* m_warnings;
    QFutureWatcher<std::shared_ptr<std::vector<LoadedReport>>> m_loading;
    QStringList m_unreadable;
    QList<QAction*> m_needRows;
    QList<QAction*> m_needIdle;
    bool m_shownOnce = false;
};

} // namespace kt

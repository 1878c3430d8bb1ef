// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/ItemAnalysisModel.h"

#include <QFutureWatcher>
#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace kt {

// What reading the answers files gave: the rows, and what could not be read.
struct LoadedAnswers {
    std::shared_ptr<AnswerSet> answers = std::make_shared<AnswerSet>();
    QStringList errors;
};

// The journal's question view: the item analysis of answers files as a
// sortable table filtered by title and dates, the choice shares drawn as a
// bar; a double click asks for that record in the bank editor.
class ItemAnalysisPage : public QWidget {
    Q_OBJECT
public:
    explicit ItemAnalysisPage(QWidget* parent = nullptr);
    ~ItemAnalysisPage() override;

    // Reads the files (a folder stands for its Answers*.csv) in the
    // background; loaded() follows.
    void openFiles(const QStringList& filesOrFolders);
    bool isLoading() const;
    bool exportCsv(const QString& path) const;
    // What a double click on the row of the shown table does.
    void openRow(int row);

    ItemAnalysisModel* model() const { return m_model; }
    QSortFilterProxyModel* proxy() const { return m_proxy; }
    QTableView* table() const { return m_table; }

signals:
    void loaded();
    // The bank file found for the row's record, its counter and the question
    // text the answers saw.
    void recordRequested(const QString& bankPath, int counter, const QString& question);

private:
    QWidget* buildToolbar();
    QWidget* buildFilters();
    void chooseFiles();
    void chooseFolder();
    void exportTable();
    void print();
    void applyFilter();
    void finishLoading();
    void updateSummary();
    QString bankFor(const AnswerItem& item);

    ItemAnalysisModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QTableView* m_table;
    QComboBox* m_title;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLabel* m_summary;
    QFutureWatcher<std::shared_ptr<LoadedAnswers>> m_loading;
    QStringList m_errors;
};

} // namespace kt

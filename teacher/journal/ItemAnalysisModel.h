// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/analysis/ItemStatistics.h"

#include <QAbstractTableModel>
#include <memory>

namespace kt {

// The item table of the journal's question view: the columns qbank analysis
// prints, and a last one with the choice shares for the bar delegate.
class ItemAnalysisModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Roles { SortRole = Qt::UserRole, ChoicesRole, KeyRole };
    enum Columns {
        Bank,
        Counter,
        Question,
        Shown,
        Facility,
        Discrimination,
        Biserial,
        FirstChoice,
        Flags = FirstChoice + 6,
        Bars,
        ColumnCount
    };

    explicit ItemAnalysisModel(QObject* parent = nullptr);

    // Takes the answers and shows the items of the tests the filter passes.
    void setAnswers(std::shared_ptr<const AnswerSet> answers);
    void setFilter(const TestFilter& filter);
    const AnswerSet* answers() const { return m_answers.get(); }
    const ItemStats& statsAt(int row) const { return m_stats.at(size_t(row)); }
    const AnswerItem& itemAt(int row) const;
    // The table as exported: the header, then every row as qbank prints it.
    QList<QStringList> table() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void recompute();
    QVariant sortValue(int row, int column) const;

    std::shared_ptr<const AnswerSet> m_answers;
    TestFilter m_filter;
    std::vector<ItemStats> m_stats;
    std::vector<QStringList> m_text;
};

} // namespace kt

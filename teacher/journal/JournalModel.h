// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/JournalData.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

namespace kt {

// The journal's table: the columns of the results table with the mark after
// the percentage, then the test's title and PC from the answers file beside
// the report. No widgets: views and exports read it alike.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        File,
        Block,
        Name,
        Percent,
        Mark,
        Date,
        Time,
        TimeLeft,
        BankSize,
        Count,
        From,
        To,
        Minutes,
        Title,
        Pc,
        ColumnCount
    };
    // The value to sort by: numbers as numbers, dates with their time.
    static constexpr int SortRole = Qt::UserRole;

    explicit JournalModel(QObject* parent = nullptr);

    // Adds the file's blocks, named by the answers beside it; false when it
    // is open already.
    bool addReport(const QString& path, const ParsedReport& report, const TestLabels& labels = {});
    bool addFile(const QString& path, JournalFile file);
    void clear();
    void setThresholds(const MarkThresholds& t);

    const JournalData& data() const { return m_data; }
    const MarkThresholds& thresholds() const { return m_thresholds; }
    const JournalRow& row(int i) const { return m_data.rows()[static_cast<size_t>(i)]; }
    int markOf(int i) const { return markFor(row(i).percent, m_thresholds); }
    // Negative, zero or positive as row a sorts before, with or after row b.
    int compare(int a, int b, int column) const;
    // The exported cells of a row: the file's full path and the mark.
    QStringList exportRow(int i) const;
    static QStringList exportHeader();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    QString cellText(int i, int column) const;
    QString sourcesText(const JournalRow& r) const;

    JournalData m_data;
    MarkThresholds m_thresholds;
};

// The filtered and sorted view of the journal, and what it adds up to.
class JournalProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit JournalProxy(JournalModel* model, QObject* parent = nullptr);
    void setFilter(const JournalFilter& filter);
    const JournalFilter& filter() const { return m_filter; }
    MarkSummary summary() const;
    // The header and the shown rows in their shown order.
    QList<QStringList> table() const;
    int sourceRowOf(int proxyRow) const;
    // The title of the tests shown: the filter's, or the one title every
    // shown row has; empty when they have none or several.
    QString shownTitle() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& a, const QModelIndex& b) const override;

private:
    JournalModel* m_model;
    JournalFilter m_filter;
};

// The printout's heading: the test's title when the rows shown are of one
// test, otherwise the names of the report files.
QString journalPrintTitle(const QStringList& files, const QString& shownTitle);

} // namespace kt

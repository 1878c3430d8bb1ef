// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ItemAnalysisModel.h"

#include "teacher/analysis/AnalysisTable.h"

#include <cmath>

namespace kt {

ItemAnalysisModel::ItemAnalysisModel(QObject* parent) : QAbstractTableModel(parent) {}

void ItemAnalysisModel::setAnswers(std::shared_ptr<const AnswerSet> answers) {
    m_answers = std::move(answers);
    recompute();
}

void ItemAnalysisModel::setFilter(const TestFilter& filter) {
    m_filter = filter;
    recompute();
}

void ItemAnalysisModel::recompute() {
    beginResetModel();
    m_stats.clear();
    m_text.clear();
    if (m_answers) {
        m_stats = analyseItems(*m_answers, m_filter);
        m_text.reserve(m_stats.size());
        for (const ItemStats& s : m_stats)
            m_text.push_back(analysisRow(*m_answers, s));
    }
    endResetModel();
}

const AnswerItem& ItemAnalysisModel::itemAt(int row) const {
    return m_answers->items()[size_t(statsAt(row).item)];
}

QList<QStringList> ItemAnalysisModel::table() const {
    QList<QStringList> rows{analysisHeader()};
    for (const QStringList& row : m_text)
        rows.append(row);
    return rows;
}

int ItemAnalysisModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_stats.size());
}

int ItemAnalysisModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ItemAnalysisModel::sortValue(int row, int column) const {
    const ItemStats& s = statsAt(row);
    switch (column) {
    case Counter:
        return itemAt(row).counter;
    case Shown:
        return s.shown;
    case Facility:
        return s.facility;
    case Discrimination:
        return std::isnan(s.discrimination) ? -2.0 : s.discrimination;
    case Biserial:
        return std::isnan(s.biserial) ? -2.0 : s.biserial;
    case Bars:
        return s.choices[0];
    default:
        if (column >= FirstChoice && column < Flags)
            return s.choices[size_t(column - FirstChoice)];
        return m_text[size_t(row)][column];
    }
}

QVariant ItemAnalysisModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    if (role == SortRole)
        return sortValue(row, column);
    if (role == ChoicesRole) {
        QVariantList shares;
        for (double share : statsAt(row).choices)
            shares.append(share);
        return shares;
    }
    if (role == KeyRole)
        return itemAt(row).key;
    if (role == Qt::TextAlignmentRole && column != Question && column != Flags && column != Bank)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if ((role == Qt::DisplayRole || role == Qt::ToolTipRole) && column < Bars)
        return m_text[size_t(row)][column];
    return {};
}

QVariant ItemAnalysisModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == Bars ? QStringLiteral("Выбор") : analysisHeader().value(section);
}

} // namespace kt

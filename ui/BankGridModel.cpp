// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BankGridModel.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kt {

BankGridModel::BankGridModel(QObject* parent, int chunkRows)
    : QAbstractTableModel(parent), m_chunk(std::max(1, chunkRows)) {}

void BankGridModel::setTable(SharedBankTable records) {
    reset(std::move(records), nullptr);
}

void BankGridModel::setCompactTable(std::shared_ptr<const CompactBank> records) {
    reset(nullptr, std::move(records));
}

void BankGridModel::reset(SharedBankTable records, std::shared_ptr<const CompactBank> compact) {
    beginResetModel();
    m_records = std::move(records);
    m_compact = std::move(compact);
    m_loaded = 0;
    endResetModel();
}

int BankGridModel::totalRows() const {
    // A model counts rows in int; a bank never comes near that, but the
    // grid must not wrap round if one did.
    const auto limit = static_cast<qsizetype>(std::numeric_limits<int>::max());
    if (m_compact) {
        return static_cast<int>(std::min(m_compact->size(), limit));
    }
    if (!m_records) {
        return 0;
    }
    return static_cast<int>(std::min(static_cast<qsizetype>(m_records->size()), limit));
}

int BankGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_loaded;
}

int BankGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BankGridModel::fieldText(int row, int field) const {
    if (m_compact) {
        return m_compact->isNull(row, field) ? QString() : m_compact->text(row, field);
    }
    const BankRecord& record = (*m_records)[static_cast<std::size_t>(row)];
    return record.isNull[field] ? QString() : record.text[field];
}

QVariant BankGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_loaded || index.row() >= totalRows() ||
        index.column() >= ColumnCount) {
        return {};
    }
    const bool counter = index.column() == CounterColumn;
    if (role == Qt::DisplayRole) {
        return fieldText(index.row(), counter ? FieldCounter : FieldQuestion);
    }
    if (role == Qt::TextAlignmentRole) {
        // The counter is a number and lines up on its right edge.
        const Qt::Alignment horizontal = counter ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    return {};
}

QVariant BankGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case CounterColumn:
        return QStringLiteral("Счетчик");
    case QuestionColumn:
        return QStringLiteral("Вопросы");
    default:
        return {};
    }
}

Qt::ItemFlags BankGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool BankGridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_loaded < totalRows();
}

void BankGridModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) {
        return;
    }
    const int rows = std::min(m_chunk, totalRows() - m_loaded);
    beginInsertRows(QModelIndex(), m_loaded, m_loaded + rows - 1);
    m_loaded += rows;
    endInsertRows();
}

} // namespace kt

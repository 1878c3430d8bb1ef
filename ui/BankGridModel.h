// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/CompactBank.h"

#include <QAbstractTableModel>
#include <memory>

namespace kt {

// Records shared with whoever read them; nobody changes them once shared.
using SharedBankTable = std::shared_ptr<const BankTable>;

// The question table as the settings screen's grid lists it: the record
// counter, then the question. Rows are handed out in chunks as the view asks
// for them, so even a very large bank shows at once; the model never changes
// the records.
class BankGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CounterColumn = 0, QuestionColumn = 1, ColumnCount = 2 };
    static constexpr int kDefaultChunk = 256;

    // `chunkRows`: how many rows the view is handed at a time.
    explicit BankGridModel(QObject* parent = nullptr, int chunkRows = kDefaultChunk);

    // The records to list, or nullptr for none. The model holds its share of
    // them, so they stay valid whatever the bank does meanwhile.
    void setTable(SharedBankTable records);
    // The same over the bank's compact records (the program's own form).
    void setCompactTable(std::shared_ptr<const CompactBank> records);
    const BankTable* table() const { return m_records.get(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    int totalRows() const;
    QVariant fieldText(int row, int field) const;

    void reset(SharedBankTable records, std::shared_ptr<const CompactBank> compact);

    SharedBankTable m_records;
    std::shared_ptr<const CompactBank> m_compact;
    int m_loaded = 0;
    int m_chunk;
};

} // namespace kt

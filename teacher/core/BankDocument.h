// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "teacher/core/BankRows.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <utility>
#include <vector>

namespace kt {

// The bank being edited: the ten fields of every record as the file holds
// them (full Unicode texts), in the file's order, with the undo history of
// every change. Widgets watch its signals; nothing here draws.
class BankDocument : public QObject {
    Q_OBJECT
public:
    explicit BankDocument(QObject* parent = nullptr);
    ~BankDocument() override;

    BankRows records() const { return BankRows(m_records); }
    int size() const { return static_cast<int>(m_records.size()); }
    const BankRecord& record(int row) const { return *m_records.at(static_cast<size_t>(row)); }
    QUndoStack* undoStack() { return &m_undo; }

    // The file the bank came from or was last saved to; empty for a new bank.
    const QString& path() const { return m_path; }
    bool isModified() const { return !m_undo.isClean(); }
    // What the file holds besides the ten fields, which a rewrite would lose.
    const QStringList& extras() const { return m_extras; }

    // A fresh start: these records, this file, no history.
    void reset(BankTable records, const QString& path, const QStringList& extras = {});
    // The same with records already kept one per allocation, as a read makes them.
    void resetRecords(RecordHandles records, const QString& path, const QStringList& extras = {});
    // After a save: the bank now is this file, with nothing extra in it.
    void markSaved(const QString& path);

    // Edits, each one undoable step.
    void setField(int row, int field, const QString& text);
    // A new record after `row` (-1: at the end), with the subject of the
    // first record and a new counter; returns its row.
    int addRecord(int row);
    // A copy of the record right after it, with a new counter.
    int duplicateRecord(int row);
    void removeRecord(int row);
    // Swaps the record with its neighbour (delta -1 or +1); false at an end.
    bool moveRecord(int row, int delta);
    // Appends imported records, numbering their counters after the largest.
    void appendRecords(const BankTable& records, const QString& what);

    // The counter a new record gets: one after the largest in the bank.
    int nextCounter() const;

    // Used by the undo commands; they keep the history consistent.
    void putField(int row, int field, const QString& text, bool isNull);
    void insertAt(int row, const BankRecord& record);
    BankRecord takeAt(int row);
    void swap(int row, int other);

signals:
    void recordChanged(int row, int field);
    // For those who follow the records one by one: the two announcements
    // come before the change, the four reports just before layoutChanged.
    void recordAboutToBeInserted(int row);
    void recordAboutToBeRemoved(int row);
    void recordsReset();
    void recordInserted(int row);
    void recordRemoved(int row);
    void recordsSwapped(int row, int other);
    // Records were added, removed or moved; `row` is where to look now.
    void layoutChanged(int row);
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);

private:
    BankRecord newRecord();
    // Keeps the number of records of each counter value.
    void countCounter(const BankRecord& record, int delta);
    void countAllCounters();

    RecordHandles m_records;
    QString m_path;
    QStringList m_extras;
    QUndoStack m_undo;
    // Records per counter value, sorted by value: made with the bank and
    // kept edit by edit, so that a new record is numbered without going
    // through a large bank.
    std::vector<std::pair<int, int>> m_counters;
};

} // namespace kt

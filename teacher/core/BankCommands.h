// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"

#include <QUndoCommand>

namespace kt {

class BankDocument;

// One field changed. Typing in one field merges into one step.
class SetFieldCommand : public QUndoCommand {
public:
    SetFieldCommand(BankDocument& doc, int row, int field, const QString& text);
    void undo() override;
    void redo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    BankDocument& m_doc;
    int m_row;
    int m_field;
    QString m_old;
    bool m_oldNull;
    QString m_new;
};

// Records inserted at consecutive rows from `row`, or removed (undo swaps
// the two directions).
class InsertRecordsCommand : public QUndoCommand {
public:
    InsertRecordsCommand(BankDocument& doc, int row, BankTable records, const QString& text);
    void undo() override;
    void redo() override;

private:
    BankDocument& m_doc;
    int m_row;
    BankTable m_records;
};

class RemoveRecordCommand : public QUndoCommand {
public:
    RemoveRecordCommand(BankDocument& doc, int row);
    void undo() override;
    void redo() override;

private:
    BankDocument& m_doc;
    int m_row;
    BankRecord m_record;
};

class MoveRecordCommand : public QUndoCommand {
public:
    MoveRecordCommand(BankDocument& doc, int row, int other);
    void undo() override;
    void redo() override;

private:
    BankDocument& m_doc;
    int m_row;
    int m_other;
};

} // namespace kt

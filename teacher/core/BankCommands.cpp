// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/BankCommands.h"

#include "teacher/core/BankDocument.h"

namespace kt {

SetFieldCommand::SetFieldCommand(BankDocument& doc, int row, int field, const QString& text)
    : m_doc(doc), m_row(row), m_field(field),
      m_old(doc.record(row).text[static_cast<size_t>(field)]),
      m_oldNull(doc.record(row).isNull[static_cast<size_t>(field)]), m_new(text) {
    setText(
        QStringLiteral("изменение поля «%1»").arg(bankFieldNames()[static_cast<size_t>(field)]));
}

void SetFieldCommand::undo() {
    m_doc.putField(m_row, m_field, m_old, m_oldNull);
}

void SetFieldCommand::redo() {
    m_doc.putField(m_row, m_field, m_new, false);
}

bool SetFieldCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SetFieldCommand*>(other);
    if (&next->m_doc != &m_doc || next->m_row != m_row || next->m_field != m_field)
        return false;
    m_new = next->m_new;
    return true;
}

InsertRecordsCommand::InsertRecordsCommand(BankDocument& doc, int row, BankTable records,
                                           const QString& text)
    : m_doc(doc), m_row(row), m_records(std::move(records)) {
    setText(text);
}

void InsertRecordsCommand::undo() {
    for (size_t i = 0; i < m_records.size(); ++i)
        m_doc.takeAt(m_row);
}

void InsertRecordsCommand::redo() {
    for (size_t i = 0; i < m_records.size(); ++i)
        m_doc.insertAt(m_row + static_cast<int>(i), m_records[i]);
}

RemoveRecordCommand::RemoveRecordCommand(BankDocument& doc, int row)
    : m_doc(doc), m_row(row), m_record(doc.record(row)) {
    setText(QStringLiteral("удаление вопроса"));
}

void RemoveRecordCommand::undo() {
    m_doc.insertAt(m_row, m_record);
}

void RemoveRecordCommand::redo() {
    m_doc.takeAt(m_row);
}

MoveRecordCommand::MoveRecordCommand(BankDocument& doc, int row, int other)
    : m_doc(doc), m_row(row), m_other(other) {
    setText(QStringLiteral("перемещение вопроса"));
}

void MoveRecordCommand::undo() {
    m_doc.swap(m_other, m_row);
}

void MoveRecordCommand::redo() {
    m_doc.swap(m_row, m_other);
}

} // namespace kt

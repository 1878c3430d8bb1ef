// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/BankDocument.h"

#include "teacher/core/BankCommands.h"

#include <algorithm>

namespace kt {

BankDocument::BankDocument(QObject* parent) : QObject(parent) {
    connect(&m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

// The history, cleared as it goes, says the bank is unmodified again; by
// then the window that listens is half taken down.
BankDocument::~BankDocument() {
    m_undo.disconnect(this);
}

void BankDocument::reset(BankTable records, const QString& path, const QStringList& extras) {
    RecordHandles handles;
    handles.reserve(records.size());
    for (BankRecord& r : records)
        handles.push_back(std::make_unique<BankRecord>(std::move(r)));
    records = BankTable();
    resetRecords(std::move(handles), path, extras);
}

void BankDocument::resetRecords(RecordHandles records, const QString& path,
                                const QStringList& extras) {
    m_undo.clear();
    m_records = std::move(records);
    countAllCounters();
    m_extras = extras;
    m_path = path;
    emit recordsReset();
    emit layoutChanged(m_records.empty() ? -1 : 0);
    emit pathChanged(m_path);
    emit modifiedChanged(false);
}

void BankDocument::markSaved(const QString& path) {
    m_path = path;
    m_extras.clear();
    m_undo.setClean();
    emit pathChanged(m_path);
}

void BankDocument::setField(int row, int field, const QString& text) {
    const BankRecord& r = record(row);
    if (!r.isNull[static_cast<size_t>(field)] && r.text[static_cast<size_t>(field)] == text)
        return;
    m_undo.push(new SetFieldCommand(*this, row, field, text));
}

int BankDocument::nextCounter() const {
    return m_counters.empty() ? 1 : std::max(0, m_counters.back().first) + 1;
}

// Sorted once, then counted run by run: a bank is mostly in counter order
// already, and a sorted vector of a million numbers is quickly made.
void BankDocument::countAllCounters() {
    std::vector<int> values;
    values.reserve(m_records.size());
    for (const auto& r : m_records)
        if (!r->isNull[FieldCounter])
            values.push_back(r->text[FieldCounter].toInt());
    if (!std::is_sorted(values.begin(), values.end()))
        std::sort(values.begin(), values.end());
    m_counters.clear();
    for (int v : values)
        if (m_counters.empty() || m_counters.back().first != v)
            m_counters.emplace_back(v, 1);
        else
            ++m_counters.back().second;
}

void BankDocument::countCounter(const BankRecord& record, int delta) {
    if (record.isNull[FieldCounter])
        return;
    const int value = record.text[FieldCounter].toInt();
    auto at = std::lower_bound(m_counters.begin(), m_counters.end(), value,
                               [](const std::pair<int, int>& c, int v) { return c.first < v; });
    if (at == m_counters.end() || at->first != value)
        at = m_counters.insert(at, {value, 0});
    at->second += delta;
    if (at->second == 0)
        m_counters.erase(at);
}

BankRecord BankDocument::newRecord() {
    BankRecord r;
    r.text[FieldRightAnswer] = QStringLiteral("1");
    r.text[FieldMark] = QStringLiteral("0");
    r.text[FieldCounter] = QString::number(nextCounter());
    if (!m_records.empty())
        r.text[FieldSubject] = m_records.front()->text[FieldSubject];
    return r;
}

int BankDocument::addRecord(int row) {
    const int at = row < 0 ? size() : row + 1;
    m_undo.push(new InsertRecordsCommand(*this, at, {newRecord()}, QStringLiteral("новый вопрос")));
    return at;
}

int BankDocument::duplicateRecord(int row) {
    BankRecord copy = record(row);
    copy.text[FieldCounter] = QString::number(nextCounter());
    copy.isNull[FieldCounter] = false;
    m_undo.push(new InsertRecordsCommand(*this, row + 1, {copy}, QStringLiteral("копия вопроса")));
    return row + 1;
}

void BankDocument::removeRecord(int row) {
    m_undo.push(new RemoveRecordCommand(*this, row));
}

bool BankDocument::moveRecord(int row, int delta) {
    const int other = row + delta;
    if (row < 0 || other < 0 || other >= size() || row >= size())
        return false;
    m_undo.push(new MoveRecordCommand(*this, row, other));
    return true;
}

void BankDocument::appendRecords(const BankTable& records, const QString& what) {
    BankTable numbered = records;
    int counter = nextCounter();
    for (BankRecord& r : numbered) {
        r.text[FieldCounter] = QString::number(counter++);
        r.isNull[FieldCounter] = false;
    }
    m_undo.push(new InsertRecordsCommand(*this, size(), std::move(numbered), what));
}

void BankDocument::putField(int row, int field, const QString& text, bool isNull) {
    BankRecord& r = *m_records.at(static_cast<size_t>(row));
    if (field == FieldCounter)
        countCounter(r, -1);
    r.text[static_cast<size_t>(field)] = text;
    r.isNull[static_cast<size_t>(field)] = isNull;
    if (field == FieldCounter)
        countCounter(r, 1);
    emit recordChanged(row, field);
}

void BankDocument::insertAt(int row, const BankRecord& record) {
    emit recordAboutToBeInserted(row);
    m_records.insert(m_records.begin() + row, std::make_unique<BankRecord>(record));
    countCounter(record, 1);
    emit recordInserted(row);
    emit layoutChanged(row);
}

BankRecord BankDocument::takeAt(int row) {
    emit recordAboutToBeRemoved(row);
    const std::unique_ptr<BankRecord> taken = std::move(m_records.at(static_cast<size_t>(row)));
    m_records.erase(m_records.begin() + row);
    BankRecord r = std::move(*taken);
    countCounter(r, -1);
    emit recordRemoved(row);
    emit layoutChanged(std::min(row, size() - 1));
    return r;
}

void BankDocument::swap(int row, int other) {
    std::swap(m_records.at(static_cast<size_t>(row)), m_records.at(static_cast<size_t>(other)));
    emit recordsSwapped(row, other);
    emit layoutChanged(other);
}

} // namespace kt

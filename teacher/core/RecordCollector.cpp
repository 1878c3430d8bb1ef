// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/RecordCollector.h"

#include <algorithm>

namespace kt {
namespace {

// Enough for every right answer and for a few subjects mixed in one bank.
constexpr size_t kRecentTexts = 8;

bool isRepeated(int field) {
    return field == FieldRightAnswer || field == FieldMark || field == FieldSubject;
}

} // namespace

void RecordCollector::expect(qsizetype records) {
    m_records.reserve(static_cast<size_t>(std::max<qsizetype>(0, records)));
}

const BankRecord& RecordCollector::add(const RecordTexts& from, qsizetype row) {
    auto record = std::make_unique<BankRecord>();
    for (int f = 0; f < FieldCountTotal; ++f) {
        const auto i = static_cast<size_t>(f);
        const QStringView text = from.text(row, f);
        record->text[i] = isRepeated(f) ? shared(f, text) : text.toString();
        record->isNull[i] = from.isNull(row, f);
    }
    m_records.push_back(std::move(record));
    return *m_records.back();
}

QString RecordCollector::shared(int field, QStringView text) {
    std::vector<QString>& recent = m_recent[static_cast<size_t>(field)];
    for (const QString& s : recent)
        if (s == text)
            return s;
    if (recent.size() < kRecentTexts) {
        recent.push_back(text.toString());
        return recent.back();
    }
    size_t& next = m_nextToReplace[static_cast<size_t>(field)];
    recent[next] = text.toString();
    const QString kept = recent[next];
    next = (next + 1) % kRecentTexts;
    return kept;
}

} // namespace kt

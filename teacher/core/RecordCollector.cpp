// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/RecordCollector.h"

#include <algorithm>

namespace kt {
namespace {

bool isRepeated(int field) {
    return field == FieldRightAnswer || field == FieldMark || field == FieldSubject;
}

} // namespace

void RecordCollector::expect(qsizetype records) {
    m_records.reserve(withRoomToGrow(static_cast<size_t>(std::max<qsizetype>(0, records))));
}

const BankRecord& RecordCollector::add(const RecordTexts& from, qsizetype row) {
    auto record = std::make_unique<BankRecord>();
    for (int f = 0; f < FieldCountTotal; ++f) {
        const auto i = static_cast<size_t>(f);
        const QStringView text = from.text(row, f);
        record->text[i] = isRepeated(f) ? m_repeated[i].share(text) : text.toString();
        record->isNull[i] = from.isNull(row, f);
    }
    m_records.push_back(std::move(record));
    return *m_records.back();
}

} // namespace kt

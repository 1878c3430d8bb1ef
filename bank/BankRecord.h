// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <vector>

namespace kt {

// The program's own fixed list of the question table's fields; the bank binds
// each by name to the table's column and addresses it by this position.
enum BankField {
    FieldQuestion = 0,
    FieldAnswer1 = 1,
    FieldAnswer5 = 5,
    FieldRightAnswer = 6, // "ВернОтв": number 1..5 of the right variant
    FieldMark = 7,        // "Метка": bound, never read
    FieldCounter = 8,     // "Счетчик": auto-increment record counter
    FieldSubject = 9,     // "Предмет": the test title, taken from the first record
    FieldCountTotal = 10
};

// Column names of the fields, in field order.
const std::array<QString, FieldCountTotal>& bankFieldNames();

// "ВернОтв", "Метка" and "Счетчик" hold numbers, the other fields texts. A
// number has no empty value: read back empty, it was a null.
constexpr bool isNumberField(int field) {
    return field == FieldRightAnswer || field == FieldMark || field == FieldCounter;
}
constexpr bool isTextField(int field) {
    return !isNumberField(field);
}

// One record of the question table: the ten fields as text, nulls marked.
// Texts are already in the form the program carries (code page 1251 rules
// applied, cut at 255 characters) by the time they reach a record.
struct BankRecord {
    std::array<QString, FieldCountTotal> text;
    std::array<bool, FieldCountTotal> isNull{};
};

using BankTable = std::vector<BankRecord>;

// The table name every bank holds its questions in.
QString bankTableName();

} // namespace kt

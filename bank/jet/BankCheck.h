#pragma once

#include "BankRecord.h"

#include <QStringList>

namespace kt {

// What a teacher learns about a bank before using it.
struct BankCheckReport {
    int recordCount = 0;
    QString subject; // "Предмет" of the first record
    QStringList problems;
    // Some record can never be drawn or never be answered right (or there
    // is no record at all).
    bool fatal = false;
};

// Checks the raw records (texts as the file holds them).
BankCheckReport checkBank(const BankTable& raw);

// The report as printed: count, subject, then one line per problem.
QString formatBankCheck(const BankCheckReport& report);

} // namespace kt

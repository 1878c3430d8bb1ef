#pragma once

#include "BankCheck.h"

namespace kt {

// Gathers the findings of one check into its report, naming the record.
class CheckCollector {
public:
    CheckCollector(const RecordTexts& raw, BankCheckReport& report)
        : m_raw(raw), m_report(report) {}

    const RecordTexts& raw() const { return m_raw; }
    // A finding about the record at index i (0-based).
    void add(CheckSeverity severity, qsizetype i, const QString& field, const QString& text);
    // A finding about the bank or several records; the text names them.
    void addBankWide(CheckSeverity severity, const QString& text);
    // A finding about several records whose text names them all; it is
    // placed on the first of them (index `first`), so an editor can show it.
    void addGroup(CheckSeverity severity, qsizetype first, const QString& field,
                  const QString& text);

private:
    void store(BankProblem problem);

    // The record's "Счетчик" as its findings name it; empty when null.
    QString counterOf(qsizetype i) const;

    const RecordTexts& m_raw;
    BankCheckReport& m_report;
};

// Each question text that more than one record carries, and too few
// distinct questions for a test of the default size.
void checkDuplicates(CheckCollector& out);
// Gaps and repeats in "Счетчик": deleted records or a damaged file.
void checkCounters(CheckCollector& out);

} // namespace kt

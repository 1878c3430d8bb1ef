// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/check/BankCheck.h"

#include <QHash>

#include <map>
#include <utility>
#include <vector>

namespace kt {

// The texts of the findings across records, so that a check kept up to date
// edit by edit words them as the check of the whole bank does. Records are
// given by position, from 0.
QString duplicateQuestionText(const std::vector<qsizetype>& records, QStringView question);
// Empty when there are enough distinct questions for a test: of the saved
// test's size when there is one, else of the built-in size.
QString fewQuestionsText(qsizetype distinct, const std::optional<SavedTest>& saved = {});
// Which records of a bank of `records` the saved range can never draw (the
// bank grew after the range was saved); empty when it takes them all.
QString rangeLeavesOutText(qsizetype records, const std::optional<SavedTest>& saved);
QString sameCounterText(const std::vector<qsizetype>& records, qint64 counter);
// Empty when no number from 1 to the largest is missing.
QString counterGapsText(const std::vector<qint64>& sortedDistinct);

// Gathers the findings of one check into its report, naming the record.
// It reads the records kept for the checks across records: each one's
// question and counter, every other field empty.
class CheckCollector {
public:
    CheckCollector(const RecordTexts& kept, BankCheckReport& report)
        : m_kept(kept), m_report(report) {}

    const RecordTexts& kept() const { return m_kept; }
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

    const RecordTexts& m_kept;
    BankCheckReport& m_report;
};

// What the checks across records gather while the records arrive, so that
// little is left for the end: which records share a question, and every
// counter.
class AcrossRecords {
public:
    void reserve(qsizetype records);
    // Record i of the kept ones; it stays where it is until the check ends.
    void add(const RecordTexts& kept, qsizetype i);
    // Each question text that more than one record carries, and too few
    // distinct questions for a test of the default size.
    void reportDuplicates(CheckCollector& out, const std::optional<SavedTest>& saved) const;
    // Gaps and repeats in "Счетчик": deleted records or a damaged file.
    void reportCounters(CheckCollector& out);

private:
    QHash<QStringView, qsizetype> m_firstOf;              // views into the kept records: no copies
    std::map<qsizetype, std::vector<qsizetype>> m_groups; // by the group's first record
    std::vector<std::pair<qint64, qsizetype>> m_counters;
};

} // namespace kt

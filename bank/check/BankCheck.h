// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/RawBank.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kt {

enum class CheckSeverity {
    Error,   // a record can never be drawn or never be answered right
    Problem, // the student would see something wrong: to be fixed
    Warning  // worth knowing: deleted records, a damaged file
};

// One finding of the check, as a program (the teacher's editor) can use it.
struct BankProblem {
    CheckSeverity severity = CheckSeverity::Problem;
    int record = 0;  // position of the record in the table, from 1; 0: the bank
    QString counter; // the record's "Счетчик", empty when it has none
    QString field;   // the field's name, empty when not one field's
    QString text;    // the line as printed, naming the record
};

// What a teacher learns about a bank before using it.
struct BankCheckReport {
    int recordCount = 0;
    QString subject;      // "Предмет" of the first record
    QStringList problems; // errors and problems, one line each
    QStringList warnings;
    std::vector<BankProblem> details; // all of the above, in order, with their kind
    // Some record can never be drawn or never be answered right (or there
    // is no record at all).
    bool fatal = false;
};

// Whether a text, as the student's screen shows it (the program's 1251
// view), fits its box; the screen's layout code answers this.
using TextFits = std::function<bool(QStringView shownText)>;

// The test that the settings file beside the bank sets up, in the numbers
// the settings screen shows (records from 1).
struct SavedTest {
    int count = 0;
    int from = 1;
    int to = 0;       // 0: the bank's last record
    QString fileName; // the settings file, as the findings name it
};

struct BankCheckOptions {
    TextFits questionFits; // unset: not checked
    TextFits answerFits;
    // Unset: the built-in test, 60 questions from the whole bank.
    std::optional<SavedTest> savedTest;
};

// A finding about one record on its own, without the record's name: the
// record's position and counter name it where it is shown.
struct RecordFinding {
    CheckSeverity severity = CheckSeverity::Problem;
    QString field; // the field's name
    QString text;
};
inline bool operator==(const RecordFinding& a, const RecordFinding& b) {
    return a.severity == b.severity && a.field == b.field && a.text == b.text;
}
inline bool operator!=(const RecordFinding& a, const RecordFinding& b) {
    return !(a == b);
}

// What the check finds in record `row` of `records` by itself, in the order
// the check of the whole bank lists it. `first`: it is the bank's first
// record, whose subject is the one the student sees.
std::vector<RecordFinding> checkRecordAlone(const RecordTexts& records, qsizetype row, bool first,
                                            const BankCheckOptions& options);

// How the check names a record in its findings: "Запись 5 (Счетчик 7)";
// `position` from 0, no counter when it is null.
QString recordName(qsizetype position, QStringView counter, bool counterIsNull);

class AcrossRecords;

// Checks a bank record by record as its records arrive, so that a tool
// reading a large bank neither keeps it whole nor waits for its end to
// begin. Records are the raw ones: texts as the file holds them.
class BankChecker : public RawRecordSink {
public:
    explicit BankChecker(BankCheckOptions options = {});
    ~BankChecker() override;
    // The bank's next record: the one at `row` of `records`.
    void add(const RecordTexts& records, qsizetype row);
    // As a sink of a read: room for the records, and each one as it comes.
    void expect(qsizetype records) override;
    void take(const RecordTexts& record) override { add(record, 0); }
    // The findings across records, after the last one; the checker is then
    // ready for another bank.
    BankCheckReport finish();

private:
    BankCheckOptions m_options;
    RawBank m_kept; // each record's question and counter, for the checks across records
    std::unique_ptr<AcrossRecords> m_across;
    BankCheckReport m_report;
};

// Checks the raw records (texts as the file holds them).
BankCheckReport checkBank(const RecordTexts& raw, const BankCheckOptions& options = {});
inline BankCheckReport checkBank(const BankTable& raw, const BankCheckOptions& options = {}) {
    return checkBank(TableTexts(raw), options);
}

// The report as printed: count, subject, then one line per problem, errors
// marked "ОШИБКА:", then the warnings.
QString formatBankCheck(const BankCheckReport& report);

} // namespace kt

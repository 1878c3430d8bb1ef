// SPDX-License-Identifier: GPL-3.0-or-later
// qbank check: everything in a bank that would spoil a test.

#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/check/BankCheck.h"
#include "bank/check/BankOpenAdvice.h"
#include "engine/SavedTestFile.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"
#include "ui/layout/FitAheadCheck.h"

#include <optional>

namespace kt {

// The message the program itself would show, then the advice.
void printUnreadable(const KtError& e) {
    print(stderr, e.message() + u'\n' + bankOpenAdvice(e) + u'\n');
}

namespace {

// The records are checked while the reader still reads the file, their
// screen fit on a second thread, and only what the checks across records
// need is kept.
std::optional<BankCheckReport> checkBankFile(MdbBankSource& source,
                                             const BankCheckOptions& options) {
    FitAheadCheck checker(options);
    try {
        source.ReadRaw(checker);
    } catch (const KtError& e) {
        printUnreadable(e);
        return std::nullopt;
    }
    return checker.finish();
}

} // namespace

int runCheck(const QStringList& args) {
    if (args.size() != 1)
        return usage();
    MdbBankSource source(args[0]);
    source.StartEarly(); // the reader works while the fonts are made ready
    BankCheckOptions options;
    options.savedTest = savedTestBeside(args[0]);
    const std::optional<BankCheckReport> report = checkBankFile(source, options);
    if (!report)
        return kExitUnreadable;
    print(stdout, formatBankCheck(*report));
    return report->fatal ? kExitProblems : 0;
}

} // namespace kt

// qbank check: everything in a bank that would spoil a test.

#include "BankCheck.h"
#include "Commands.h"
#include "KtError.h"
#include "MdbBankSource.h"
#include "QbankOutput.h"
#include "QuestionFit.h"

namespace kt {

// A bank that cannot be read gets the message the program itself would
// show, then what the teacher can do about it.
bool loadRaw(const QString& path, BankTable& raw) {
    try {
        raw = MdbBankSource(path).LoadRaw();
        return true;
    } catch (const KtError& e) {
        print(stderr, e.message() + u'\n' + bankOpenAdvice(e.message()) + u'\n');
        return false;
    }
}

int runCheck(const QStringList& args) {
    if (args.size() != 1)
        return usage();
    BankTable raw;
    if (!loadRaw(args[0], raw))
        return kExitUnreadable;
    QuestionFit fit;
    BankCheckOptions options;
    options.questionFits = [&fit](const QString& text) { return fit.questionFits(text); };
    options.answerFits = [&fit](const QString& text) { return fit.answerFits(text); };
    const BankCheckReport report = checkBank(raw, options);
    print(stdout, formatBankCheck(report));
    return report.fatal ? kExitProblems : 0;
}

} // namespace kt

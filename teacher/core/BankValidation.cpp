#include "BankValidation.h"

#include "BankCheck.h"

#include <QRegularExpression>

namespace kt {
namespace {

// The checker names a record as "Запись N" or a group as "Записи N, M" and
// a field in «»; the first of each is where the problem is shown.
void place(BankProblem& p) {
    static const QRegularExpression kRecord(QStringLiteral("^Запис[ьи] (\\d+)"));
    static const QRegularExpression kQuoted(QStringLiteral("«([^»]*)»"));
    const QRegularExpressionMatch record = kRecord.match(p.text);
    if (record.hasMatch())
        p.row = record.captured(1).toInt() - 1;
    const auto& names = bankFieldNames();
    for (auto it = kQuoted.globalMatch(p.text); it.hasNext() && p.field < 0;) {
        const QString quoted = it.next().captured(1);
        for (int f = 0; f < FieldCountTotal; ++f)
            if (names[static_cast<size_t>(f)] == quoted)
                p.field = f;
    }
    if (p.text.startsWith(QStringLiteral("Записи ")))
        p.field = FieldQuestion; // the same question text in several records
    p.fatal = p.field == FieldRightAnswer;
}

} // namespace

std::vector<BankProblem> validateBank(const BankTable& raw) {
    const BankCheckReport report = checkBank(raw);
    std::vector<BankProblem> problems;
    for (const QString& text : report.problems) {
        BankProblem p;
        p.text = text;
        place(p);
        problems.push_back(p);
    }
    if (raw.empty() && !problems.empty())
        problems.front().fatal = true;
    return problems;
}

} // namespace kt

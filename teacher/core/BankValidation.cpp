// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/BankValidation.h"

namespace kt {

bool operator==(const EditorProblem& a, const EditorProblem& b) {
    return a.text == b.text && a.row == b.row && a.field == b.field && a.fatal == b.fatal &&
           a.warning == b.warning;
}

int bankFieldIndex(const QString& name) {
    const auto& names = bankFieldNames();
    for (int f = 0; f < FieldCountTotal; ++f)
        if (names[static_cast<size_t>(f)] == name)
            return f;
    return -1;
}

std::vector<EditorProblem> validateBank(const BankRows& raw, const BankCheckOptions& options) {
    const BankCheckReport report = checkBank(raw, options);
    std::vector<EditorProblem> problems;
    problems.reserve(report.details.size());
    for (const BankProblem& d : report.details) {
        EditorProblem p;
        p.text = d.text;
        p.row = d.record - 1;
        p.field = bankFieldIndex(d.field);
        p.fatal = d.severity == CheckSeverity::Error;
        p.warning = d.severity == CheckSeverity::Warning;
        problems.push_back(p);
    }
    // An empty bank cannot give a test: the check says so as its one error.
    if (raw.empty() && !problems.empty())
        problems.front().fatal = true;
    return problems;
}

} // namespace kt

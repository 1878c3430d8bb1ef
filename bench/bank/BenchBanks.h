// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt::bench {

// Writes a bank of `records` questions with the Jet writer: a Cyrillic
// question and five answers of some thirty characters each, the right
// answer, a mark, the counter and one subject. Returns `path`.
QString writeBenchBank(const QString& path, int records);

// The same with texts as real banks have them: questions of 40 to 200
// characters and answers of 5 to 60, Cyrillic, varying from record to record
// (always the same for the same `records`).
QString writeVariedBank(const QString& path, int records);

// This process's peak resident memory in MB (0 where it cannot be had).
double peakResidentMb();

} // namespace kt::bench

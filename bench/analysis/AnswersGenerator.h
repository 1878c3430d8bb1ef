// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt::bench {

// A large school's year of answers: `rows` rows spread over `pcs` files
// Answers-PC01.csv… in `folder`, twenty questions a test drawn from a bank
// of 600 records, with the commas and quotes of real questions. Returns the
// bytes written, or -1 when a file could not be written.
qint64 writeAnswers(const QString& folder, int rows, int pcs);

} // namespace kt::bench

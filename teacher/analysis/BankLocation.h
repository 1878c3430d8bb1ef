// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// The bank that an answers file names by its file name: beside the answers
// file first (a class folder often holds its bank), then in the folder of
// the built-in bank. Names are matched without regard to case, as the
// Windows PCs that wrote them do. Empty when neither has it.
QString locateBank(const QString& bankName, const QString& answersFile);

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace kt {

class KtError;

// The usage text, printed by --help and after a wrong command line.
extern const char* const kUsage;
int usage();

int runImport(QStringList args);
int runCheck(const QStringList& args);
int runExport(QStringList args);
// qbank class FOLDER: the live status of every PC of a class folder as CSV.
int runClass(const QStringList& args);
int runExamPassword(const QStringList& args);

// A bank that cannot be read: the message and what the teacher can do, on
// standard error.
void printUnreadable(const KtError& e);

} // namespace kt

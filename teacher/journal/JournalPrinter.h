// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/journal/Marks.h"

#include <QList>
#include <QStringList>
#include <functional>

class QPrinter;

namespace kt {

// What a printout of the journal holds: a heading, the lines about the
// selection, the mark chart and the table (first row the header).
struct JournalPrintout {
    QString title;
    QStringList notes;
    MarkSummary summary;
    QList<QStringList> table;
};

// Paints the printout page by page in landscape. `progress` gets the rows
// done and returns false to stop; returns false when stopped or when the
// printer could not start.
bool printJournal(QPrinter& printer, const JournalPrintout& printout,
                  const std::function<bool(int)>& progress = {});

} // namespace kt

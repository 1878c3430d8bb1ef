// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportParser.h"
#include "teacher/journal/Marks.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QTime>
#include <vector>

namespace kt {

// Where a block was found: the file's index among the opened ones and the
// block's number in that file, from 1.
struct JournalSource {
    int file = 0;
    int block = 0;
};

// One test of the journal with its values read once, for sorting and filters.
struct JournalRow {
    ReportEntry entry;
    int percent = 0;
    int bankSize = 0;
    int count = 0;
    int from = 0;
    int to = 0;
    int minutes = 0;
    int timeLeftSeconds = 0;
    QDate date;
    QTime time;
    std::vector<JournalSource> sources; // the first is the one shown
};

// The tests of every opened report file. A block that is found again in
// another file (copies of one PC's report gathered twice, or several files
// gathered from one PC) is kept once and counted as a repeat; repeats inside
// one file are separate tests.
class JournalData {
public:
    // False (and nothing changes) when the path is open already.
    bool addReport(const QString& path, ParsedReport report);
    void clear();

    const std::vector<JournalRow>& rows() const { return m_rows; }
    const QStringList& files() const { return m_files; }
    // "ФАЙЛ:СТРОКА: …" for every damaged block, in the order read.
    const QStringList& warnings() const { return m_warnings; }
    int repeats() const { return m_repeats; }

private:
    std::vector<JournalRow> m_rows;
    QStringList m_files;
    QStringList m_warnings;
    // By a block's hash: the rows of each block with that hash, in order.
    QHash<size_t, std::vector<std::vector<size_t>>> m_rowsByHash;
    int m_repeats = 0;
};

JournalRow journalRow(ReportEntry entry);

// Which tests are shown: every condition that is set must hold.
struct JournalFilter {
    QString name;      // a part of the name, in any case
    QDate from;        // no limit when null
    QDate to;          // no limit when null
    int bankSize = -1; // any when negative
    int count = -1;    // any when negative
    bool accepts(const JournalRow& row) const;
    bool operator==(const JournalFilter& o) const;
};

} // namespace kt

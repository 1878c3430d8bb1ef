// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportParser.h"
#include "teacher/journal/Marks.h"
#include "teacher/journal/TestLabels.h"

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
    int title = -1; // into JournalData::titles(); -1 when the answers do not name it
    int pc = -1;    // into JournalData::pcs()
    std::vector<JournalSource> sources; // the first is the one shown
};

// The tests of every opened report file. A block that is found again in
// another file (copies of one PC's report gathered twice, or several files
// gathered from one PC) is kept once and counted as a repeat; repeats inside
// one file are separate tests.
class JournalData {
public:
    // False (and nothing changes) when the path is open already. `labels`
    // are the tests of the answers file beside it.
    bool addReport(const QString& path, ParsedReport report, const TestLabels& labels = {});
    void clear();

    const std::vector<JournalRow>& rows() const { return m_rows; }
    const QStringList& files() const { return m_files; }
    // "ФАЙЛ:СТРОКА: …" for every damaged block, in the order read.
    const QStringList& warnings() const { return m_warnings; }
    int repeats() const { return m_repeats; }
    // The tests' titles and PCs, each once, in the order first met.
    const QStringList& titles() const { return m_titles; }
    const QStringList& pcs() const { return m_pcs; }
    QString titleOf(const JournalRow& row) const { return m_titles.value(row.title); }
    QString pcOf(const JournalRow& row) const { return m_pcs.value(row.pc); }

private:
    void label(JournalRow& row, const TestLabels& labels);
    static int intern(QStringList& list, QHash<QString, int>& index, const QString& text);

    std::vector<JournalRow> m_rows;
    QStringList m_files;
    QStringList m_warnings;
    // By a block's hash: the rows of each block with that hash, in order.
    QHash<size_t, std::vector<std::vector<size_t>>> m_rowsByHash;
    int m_repeats = 0;
    QStringList m_titles;
    QStringList m_pcs;
    QHash<QString, int> m_titleIndex;
    QHash<QString, int> m_pcIndex;
};

JournalRow journalRow(ReportEntry entry);

// Which tests are shown: every condition that is set must hold.
struct JournalFilter {
    QString name;      // a part of the name, in any case
    QDate from;        // no limit when null
    QDate to;          // no limit when null
    int bankSize = -1; // any when negative
    int count = -1;    // any when negative
    QString title;     // the test's title as it stands; any when empty
    bool accepts(const JournalData& data, const JournalRow& row) const;
    bool operator==(const JournalFilter& o) const;
};

} // namespace kt

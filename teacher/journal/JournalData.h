// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportParser.h"
#include "teacher/journal/Marks.h"
#include "teacher/journal/TestLabels.h"
#include "teacher/journal/TextPool.h"

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

// One test of the journal, kept small: a journal may hold a school's years
// of tests. Its texts are made only when shown, from the numbers here; a
// block whose numbers are written unusually ("007") keeps its texts aside.
struct JournalRow {
    int name = 0;   // into the names of the journal (or of the file being read)
    int title = -1; // into the titles; -1 when the answers do not name it
    int pc = -1;    // into the PCs
    int percent = 0;
    int bankSize = 0;
    int count = 0;
    int from = 0;
    int to = 0;
    int minutes = 0;
    int timeLeftSeconds = 0;
    QDate date;
    QTime time;
    quint8 shape = 0;    // kTwoDigitHour, kTwoDigitHourLeft
    int texts = -1;      // into the texts kept as written, or -1
    JournalSource first; // the source shown
    int more = -1;       // into the further sources of a block found in several files
    int nextSame = -1;   // the next row with the same values: a repeat inside one file
    static constexpr quint8 kTwoDigitHour = 1;
    static constexpr quint8 kTwoDigitHourLeft = 2;
};

// One report file's blocks as the journal keeps them, read away from the
// window and then added whole.
struct JournalFile {
    std::vector<JournalRow> rows; // `name` into names, `title` and `pc` into the labels'
    QStringList names;
    QStringList titles;
    QStringList pcs;
    std::vector<ReportEntry> texts;
    std::vector<ReportDamage> damage;
};

// Reads a report file and the answers file beside it in one pass over
// each. Throws KtError with a Russian message when the report cannot be read.
JournalFile readJournalFile(const QString& path);
JournalFile journalFileOf(const ParsedReport& report, const TestLabels& labels = {});

// The columns of reportTableHeader() that a row has texts for.
enum class JournalField {
    Name = 2,
    Percent,
    Date,
    Time,
    TimeLeft,
    BankSize,
    Count,
    From,
    To,
    Minutes
};

// The tests of every opened report file. A block that is found again in
// another file (copies of one PC's report gathered twice, or several files
// gathered from one PC) is kept once and counted as a repeat; repeats inside
// one file are separate tests.
class JournalData {
public:
    // False (and nothing changes) when the path is open already.
    bool addFile(const QString& path, JournalFile file);
    // The same for blocks parsed elsewhere; `labels` are the tests of the
    // answers file beside it.
    bool addReport(const QString& path, const ParsedReport& report, const TestLabels& labels = {});
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
    QStringView nameOf(const JournalRow& row) const { return m_names.at(row.name); }
    // A value's text as the block has it.
    QString text(const JournalRow& row, JournalField field) const;
    ReportEntry entryOf(const JournalRow& row) const;
    // Every file the block was found in; the first is the one shown.
    std::vector<JournalSource> sources(const JournalRow& row) const;
    int sourceCount(const JournalRow& row) const;
    // The date and time of row i as one number, to sort by: apart from the
    // rows, so that sorting reads a few megabytes, not the whole journal.
    qint64 whenOf(int i) const { return m_when[static_cast<size_t>(i)]; }

private:
    void takeNames(JournalFile& file);
    size_t hashOf(const JournalRow& row) const;
    bool sameValues(const JournalRow& a, const JournalRow& b) const;
    int groupOf(int row);
    void reserveGroups(size_t rows);
    void addRepeat(JournalRow& row, const JournalRow& copy);

    std::vector<JournalRow> m_rows;
    std::vector<qint64> m_when;
    TextPool<QString, QStringView> m_names;
    std::vector<ReportEntry> m_texts;
    std::vector<std::vector<JournalSource>> m_more;
    QStringList m_files;
    QStringList m_warnings;
    // The first row of every set of rows with the same values, by their
    // hash: open addressing; `row` is a row's index + 1, 0 for a free slot.
    struct GroupSlot {
        int row = 0;
        quint32 hash = 0;
    };
    std::vector<GroupSlot> m_groups;
    size_t m_groupCount = 0;
    int m_repeats = 0;
    QStringList m_titles;
    QStringList m_pcs;
    QHash<QString, int> m_titleIndex;
    QHash<QString, int> m_pcIndex;
};

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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kt {

// One whole block of a report file, its values as the block has them, with
// the literals around them taken off. The numbers are plain digits: the
// thousands separators that the settings screen's arrows write are removed.
struct ReportEntry {
    int line = 0; // line of the file where the block starts, from 1
    QString studentName;
    QString percent; // "85" of "85 %"
    QString date;    // "07.12.2026"
    QString time;    // "9:05:03"
    QString timeLeft;
    QString bankSize;
    QString count;
    QString from;
    QString to;
    QString minutes;
};

// Lines that are not a whole block: an edited file or one cut by a full disk.
// Damaged blocks and stray lines that follow each other without a whole block
// between them are one record.
struct ReportDamage {
    int line = 0;     // first line of the skipped lines, from 1
    int badLine = 0;  // the line that broke the first block, from 1
    QString reason;   // why the first block is broken
    int lastLine = 0; // last of the skipped lines
    int blocks = 1;   // damaged blocks or runs of stray lines in the record
};

// A whole block's values as its bytes have them, before any text is made,
// for a reader that keeps many blocks its own way. The views stay valid
// only while the block is handed on.
struct ReportValues {
    int line = 0;
    QByteArrayView studentName; // in the block's encoding
    bool utf8 = false;          // the block was converted to UTF-8; code page 1251 otherwise
    QByteArrayView percent;     // the texts of ReportEntry, in ASCII
    QByteArrayView date;
    QByteArrayView time;
    QByteArrayView timeLeft;
    QByteArrayView bankSize;
    QByteArrayView count;
    QByteArrayView from;
    QByteArrayView to;
    QByteArrayView minutes;
};

ReportEntry reportEntry(const ReportValues& values);
QString studentNameOf(const ReportValues& values);

using ReportBlockSink = std::function<void(const ReportValues&)>;

struct ParsedReport {
    std::vector<ReportEntry> entries;
    std::vector<ReportDamage> damage;
};

// Reads the blocks out of a report file's bytes (code page 1251; blocks that
// someone converted to UTF-8 are read as well, each block in its own). Lines
// may end in CR LF or LF. Empty lines between blocks are passed over; any
// other line that is not part of a whole block is reported, and reading goes
// on at the next block: its opening line, or a student line glued to a line
// cut short before it.
ParsedReport parseReport(const QByteArray& bytes);

// Reads and parses a file. Throws KtError with a Russian message when the
// file cannot be read or is not a plain file.
ParsedReport readReportFile(const QString& path);

// The same reading, each whole block handed to `sink` as it is read; gives
// the damage. The file is read a piece at a time, so a report of hundreds
// of megabytes never is in memory whole.
std::vector<ReportDamage> scanReport(const QByteArray& bytes, const ReportBlockSink& sink);
std::vector<ReportDamage> scanReportFile(const QString& path, const ReportBlockSink& sink);

// The most blocks a file of this many bytes can hold: room to keep them
// can be set aside once.
qint64 maxBlocksIn(qint64 bytes);

// The table of blocks as the teacher's tool and the journal hand it on:
// "Файл,Блок,Ученик,Процент,…" and one row per block, `number` from 1.
QStringList reportTableHeader();
QStringList reportTableRow(const QString& file, int number, const ReportEntry& entry);

// "ФАЙЛ:СТРОКА: блок отчета поврежден и пропущен (причина)"; a record of
// several damaged blocks names its range of lines.
QString damageText(const QString& file, const ReportDamage& damage);

} // namespace kt

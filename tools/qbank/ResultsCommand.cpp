// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/qbank/ResultsCommand.h"

#include "bank/KtError.h"
#include "csv/CsvWriter.h"
#include "csv/SpreadsheetCsv.h"
#include "report/ClassFiles.h"
#include "report/ReportParser.h"

#include <QFileInfo>

#include <cstdio>

namespace kt {
namespace {

constexpr int kExitUnread = 1;
constexpr int kExitUsage = 2;

void write(FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void warn(const QString& text) {
    write(stderr, (QStringLiteral("qbank: ") + text + u'\n').toUtf8());
}

// Where the table goes: plain CSV for scripts (UTF-8 without a byte-order
// mark, commas, LF) is written as it grows, so a large report never sits in
// memory twice; the spreadsheet form needs the whole table to choose its
// code page.
class TableOut {
public:
    explicit TableOut(bool excel) : m_excel(excel) {}
    void add(const QStringList& row) {
        if (m_excel) {
            m_rows.append(row);
            return;
        }
        m_text += csvRecord(row, u',', u"\n");
        if (m_text.size() > kChunk)
            flush();
    }
    void finish() {
        if (m_excel)
            write(stdout, spreadsheetCsv(m_rows));
        flush();
    }

private:
    static constexpr qsizetype kChunk = 1 << 18;
    void flush() {
        write(stdout, m_text.toUtf8());
        m_text.clear();
    }
    bool m_excel;
    QString m_text;
    QList<QStringList> m_rows;
};

// Adds the file's whole blocks to the table; false when it could not be read.
bool addFile(const QString& path, TableOut& out) {
    ParsedReport report;
    try {
        report = readReportFile(path);
    } catch (const KtError& e) {
        warn(e.message());
        return false;
    }
    for (const ReportDamage& d : report.damage)
        warn(damageText(path, d));
    int number = 0;
    for (const ReportEntry& e : report.entries)
        out.add(reportTableRow(path, ++number, e));
    return true;
}

} // namespace

int runResults(const QStringList& args) {
    QStringList files = args;
    const bool excel = !files.isEmpty() && files.front() == u"--excel";
    if (excel)
        files.removeFirst();
    if (files.isEmpty() || (files.front().startsWith(u"--") && files.front() != u"--")) {
        warn(QStringLiteral("нужно: qbank results [--excel] ОТЧЕТ..."));
        return kExitUsage;
    }
    if (files.front() == u"--")
        files.removeFirst();
    TableOut out(excel);
    out.add(reportTableHeader());
    bool allRead = true;
    for (const QString& path : files) {
        // A class folder stands for every PC's report file in it.
        const QStringList inFolder =
            QFileInfo(path).isDir() ? classReportFiles(path) : QStringList{path};
        for (const QString& file : inFolder)
            allRead = addFile(file, out) && allRead;
    }
    out.finish();
    return allRead ? 0 : kExitUnread;
}

} // namespace kt

#include "ResultsCommand.h"

#include "KtError.h"
#include "ReportParser.h"
#include "SpreadsheetCsv.h"

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

// Plain CSV for scripts: UTF-8 without a byte-order mark, commas, LF.
QByteArray plainCsv(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows)
        text += csvRecord(row, u',', u"\n");
    return text.toUtf8();
}

// Adds the file's whole blocks to `rows`; false when it could not be read.
bool addFile(const QString& path, QList<QStringList>& rows) {
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
        rows.append(reportTableRow(path, ++number, e));
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
    QList<QStringList> rows{reportTableHeader()};
    bool allRead = true;
    for (const QString& path : files)
        allRead = addFile(path, rows) && allRead;
    write(stdout, excel ? spreadsheetCsv(rows) : plainCsv(rows));
    return allRead ? 0 : kExitUnread;
}

} // namespace kt

#pragma once

#include <QByteArray>
#include <QString>

namespace kt {

// The texts of one report block, already in their on-screen form.
struct ReportBlock {
    QString studentName;
    QString percent;      // "85 %"
    QString date;         // "07.12.2026"
    QString time;         // "9:05:03"
    QString timeLeft;     // the time panel's text
    QString bankSizeLine; // "Всего вопросов в базе - 100"
    QString count;
    QString from;
    QString to;
    QString minutes;
};

// The ten lines of a block in code page 1251, each ended by CR LF.
QByteArray reportBlockBytes(const ReportBlock& block);

// Appends the bytes in one write to the file, creating it when it is missing,
// and flushes them before returning. Throws KtError naming the file and the
// system's reason when the file cannot be opened or written.
void appendReport(const QString& path, const QByteArray& bytes);

// Creates the file empty when it does not exist; never touches an existing
// one. Throws KtError as appendReport does.
void ensureReportFile(const QString& path);

// The whole file decoded from code page 1251, lines ended by "\n". Throws
// KtError when it exists and cannot be read.
QString readReport(const QString& path);

} // namespace kt

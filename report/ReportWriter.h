// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportFile.h"

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

// "TestData.dat": the report file's name, in the folder the program starts in.
QString reportFileName();

// The ten lines of a block in code page 1251, each ended by CR LF.
QByteArray reportBlockBytes(const ReportBlock& block);

// "Ошибка записи файла отчета" with the file's full path and the reason.
QString reportWriteErrorText(const QString& path, const QString& reason);

// Appends the bytes all or nothing, under the file's lock, creating the file
// when it is missing, and forces them to the disk before returning. Throws
// KtError naming the file and the system's reason in Russian.
void appendReport(const QString& path, const QByteArray& bytes,
                  const ReportFileOptions& options = ReportFileOptions());

// Creates the file empty when it does not exist and confirms that it can
// take a block (checkReportFile); never changes an existing one. Throws
// KtError as appendReport does.
void ensureReportFile(const QString& path);

// The whole file decoded from code page 1251, lines ended by "\n". Throws
// KtError when it exists and cannot be read.
QString readReport(const QString& path);

} // namespace kt

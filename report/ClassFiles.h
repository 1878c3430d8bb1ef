// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kt {

// The files one PC writes into a class folder. Each PC writes only files
// named after itself, so no two machines ever write one file and no lock has
// to work across the network.

// The host name as a part of a file name: letters, digits, '-' and '_' kept,
// anything else (dots of a domain, spaces, slashes) becomes '_'; an empty
// name becomes "PC". At most 63 characters, as a host name label.
QString pcFileName(const QString& hostName);

QString classReportPath(const QString& folder, const QString& pc);  // TestData-PC.dat
QString classAnswersPath(const QString& folder, const QString& pc); // Answers-PC.csv
QString classStatusFolder(const QString& folder);                   // status/
QString classStatusPath(const QString& folder, const QString& pc);  // status/PC.json

// Every PC's report file in the folder (TestData-*.dat), sorted by name.
QStringList classReportFiles(const QString& folder);
// The PC a class report or answers file belongs to; empty for another name.
QString pcOfClassFile(const QString& path);

} // namespace kt

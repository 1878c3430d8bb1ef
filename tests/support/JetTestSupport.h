// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/jet/JetWriter.h"
#include "tests/support/QtPrinters.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kt::test {

using Values = std::vector<std::optional<QString>>;

// A table as the independent reader (node + mdb-reader) sees it.
struct NodeColumn {
    QString name;
    QString type;
    int size = 0;
    bool autoLong = false;
};
struct NodeTable {
    QStringList tables;
    int rowCount = -1;
    std::vector<NodeColumn> columns;
    std::vector<Values> rows;
};

// Runs the reader script; throws std::runtime_error when node fails.
NodeTable readWithNode(const QString& file, const QString& table);

struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};
ProcessResult runQbank(const QStringList& args);

void writeUtf8(const QString& path, const QString& text);
QByteArray readBytes(const QString& path);

// Data pages of the file that belong to the table defined on `tdefPage`.
int dataPagesOf(const QString& path, int tdefPage);
// First byte of the table's usage map row: 0 inline bitmap, 1 reference map.
int usageMapType(const QString& path, int tdefPage);

// A text of exactly n characters, Cyrillic mixed with digits.
QString cyrillicText(int n, int seed);

} // namespace kt::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportWriter.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kt::test {

// A block as the student's program writes it, with the values that matter
// to a test given and the rest ordinary.
struct BlockFields {
    QString name = QStringLiteral("Иванов Пётр");
    int percent = 85;
    QString date = QStringLiteral("07.12.2026");
    QString time = QStringLiteral("9:05:03");
    int bankSize = 100;
    int count = 20;
    QString from = QStringLiteral("1");
    QString to = QStringLiteral("100");
};

ReportBlock reportBlock(const BlockFields& fields);
// The blocks through the program's own report writer, one after another.
QByteArray reportBytes(const std::vector<BlockFields>& specs);
// Writes bytes to a file; the test fails when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace kt::test

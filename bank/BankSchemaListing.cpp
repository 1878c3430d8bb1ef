// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/BankSchemaListing.h"

#include "bank/MdbBankSource.h"

#include <QProcess>

namespace kt {

QByteArray encodeSchemaListing(const BankSchemaListing& listing) {
    if (!listing.ok)
        return QByteArray("E\n");
    QByteArray out;
    for (const SchemaObject& o : listing.objects)
        out += "O\t" + QByteArray::number(o.type) + '\t' + o.name.toUtf8() + '\n';
    for (const QString& c : listing.tableColumns)
        out += "C\t" + c.toUtf8() + '\n';
    return out + "Z\n";
}

BankSchemaListing decodeSchemaListing(const QByteArray& bytes) {
    BankSchemaListing listing;
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts[0] == "Z") {
            listing.ok = true;
            return listing;
        }
        if (parts[0] == "O" && parts.size() == 3)
            listing.objects.push_back(SchemaObject{parts[1].toInt(), QString::fromUtf8(parts[2])});
        else if (parts[0] == "C" && parts.size() == 2)
            listing.tableColumns.push_back(QString::fromUtf8(parts[1]));
        else
            break;
    }
    return BankSchemaListing{};
}

BankSchemaListing queryBankSchema(const QString& path, const QString& readerPath) {
    constexpr int kDeadlineMs = 30000;
    constexpr qint64 kOutputLimit = 4 * 1024 * 1024;
    QProcess p;
    p.setProgram(MdbBankSource(path, readerPath).readerPath());
    p.setArguments({QStringLiteral("--schema"), path});
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QIODevice::ReadOnly);
    QByteArray out;
    if (p.waitForStarted(kDeadlineMs)) {
        while (p.waitForReadyRead(kDeadlineMs) && out.size() <= kOutputLimit)
            out += p.readAllStandardOutput();
        if (p.state() != QProcess::NotRunning)
            p.kill();
        p.waitForFinished(5000);
        out += p.readAllStandardOutput();
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || out.size() > kOutputLimit)
        return BankSchemaListing{};
    return decodeSchemaListing(out);
}

} // namespace kt

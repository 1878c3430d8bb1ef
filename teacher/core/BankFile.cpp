// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/BankFile.h"

#include "bank/BankPath.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/jet/JetWriter.h"
#include "report/WholeFileWrite.h"
#include "teacher/core/RecordCollector.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace kt {
namespace {

QString objectKind(int type) {
    switch (type) {
    case 1:
        return QStringLiteral("таблица");
    case 4:
    case 6:
        return QStringLiteral("связанная таблица");
    case 5:
        return QStringLiteral("запрос");
    case -32768:
        return QStringLiteral("форма");
    case -32764:
        return QStringLiteral("отчёт");
    case -32766:
        return QStringLiteral("макрос");
    case -32761:
        return QStringLiteral("модуль");
    default:
        return QString(); // containers, relations and other bookkeeping of the file
    }
}

bool isStandardField(const QString& name) {
    for (const QString& f : bankFieldNames())
        if (f.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The records go to the writer one at a time from the editor's own store;
// only the row being written is ever copied.
void writeRecords(const QString& path, const BankRows& records) {
    JetFileWriter writer(path, bankTableName(), standardBankColumns(), JetWriteOptions{true});
    JetRow row(FieldCountTotal);
    for (const BankRecord& r : records) {
        for (int f = 0; f < FieldCountTotal; ++f) {
            const auto i = static_cast<size_t>(f);
            row[i] = r.isNull[i] ? std::nullopt : std::optional<QString>(r.text[i]);
        }
        writer.addRow(row);
    }
    writer.commit();
}

// About what the rewritten bank takes on the disk: no less than the file
// it replaces, and a page of 4 KiB for every few records.
qint64 expectedSize(const QString& path, const BankRows& records) {
    const qint64 estimate = (records.size() / 4 + 16) * 4096;
    return std::max(QFileInfo(path).size(), estimate);
}

} // namespace

QStringList extrasOf(const BankSchemaListing& listing) {
    if (!listing.ok)
        return {QStringLiteral("не удалось узнать, что ещё хранит файл, — всё, кроме вопросов")};
    QStringList extras;
    for (const SchemaObject& o : listing.objects) {
        const QString kind = objectKind(o.type);
        if (!kind.isEmpty() &&
            !(o.type == 1 && o.name.compare(bankTableName(), Qt::CaseInsensitive) == 0))
            extras << QStringLiteral("%1 «%2»").arg(kind, o.name);
    }
    for (const QString& c : listing.tableColumns)
        if (!isStandardField(c))
            extras << QStringLiteral("столбец «%1» таблицы «%2»").arg(c, bankTableName());
    return extras;
}

LoadedBank loadBankFile(const QString& path, ReadProgress* progress) {
    RecordCollector records;
    LoadedBank bank;
    bank.extras = readBankFile(path, records, progress);
    bank.records = records.takeRecords();
    return bank;
}

// The listing comes first: a reader started once a large bank fills this
// process's memory takes a while longer to start.
QStringList readBankFile(const QString& path, RawRecordSink& sink, ReadProgress* progress) {
    const QStringList extras = extrasOf(queryBankSchema(path));
    MdbBankSource source(path);
    source.setProgress(progress);
    source.ReadRaw(sink);
    return extras;
}

QStringList lossesIfSavedTo(const QString& target, const QString& openedPath,
                            const QStringList& openedExtras) {
    const QString file = QFileInfo(target).absoluteFilePath();
    if (!openedPath.isEmpty() && file == QFileInfo(openedPath).absoluteFilePath())
        return openedExtras;
    return QFileInfo::exists(file) ? extrasOf(queryBankSchema(file)) : QStringList();
}

void saveBankFile(const QString& path, const BankRows& records) {
    // The old backup is replaced only by a complete new one; the writer
    // itself writes a temporary file beside the target and renames it, so a
    // failed write leaves the old file as it was.
    if (QFileInfo::exists(path)) {
        const QString backup = backupPathOf(path);
        const QString reason = copyWholeFile(path, backup);
        if (!reason.isEmpty())
            throw KtError(QStringLiteral("Не удалось записать резервную копию «%1»: %2")
                              .arg(QDir::toNativeSeparators(backup), reason));
    }
    try {
        writeRecords(path, records);
    } catch (const KtError&) {
        // The writer's own text may only say that the write failed.
        const QString reason = writeFailureReason(path, expectedSize(path, records));
        if (reason.isEmpty())
            throw;
        throw KtError(QStringLiteral("Не удалось записать базу «%1»: %2")
                          .arg(QDir::toNativeSeparators(path), reason));
    }
}

} // namespace kt

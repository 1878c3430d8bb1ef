// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/BankSchemaListing.h"
#include "bank/ReadProgress.h"
#include "bank/RecordTexts.h"
#include "teacher/core/BankRows.h"

#include <QString>
#include <QStringList>

namespace kt {

// A bank read for editing.
struct LoadedBank {
    RecordHandles records;
    // What the file holds that a rewrite would lose, one line each.
    QStringList extras;
};

// Reads the question table with full texts and lists what else the file
// holds. Throws KtError with the reader's message, ReadCancelled when
// `progress` stopped the read.
LoadedBank loadBankFile(const QString& path, ReadProgress* progress = nullptr);
// The same read with the records handed to `sink` as they arrive; returns
// what else the file holds.
QStringList readBankFile(const QString& path, RawRecordSink& sink,
                         ReadProgress* progress = nullptr);

// The objects and columns of a listing that the writer does not write: one
// Russian line each ("таблица «Оценки»", "столбец «Картинка» таблицы...").
// A listing that could not be had gives one line saying so.
QStringList extrasOf(const BankSchemaListing& listing);

// What saving over `target` would lose: for the bank's own file what it
// held when opened (`openedPath`, `openedExtras`), for another existing file
// what that file holds; nothing for a new file.
QStringList lossesIfSavedTo(const QString& target, const QString& openedPath,
                            const QStringList& openedExtras);

// Writes the whole bank through the Jet writer into a temporary file beside
// `path` and renames it over `path`; an existing file is first copied to its
// backup, which replaces the previous backup only once it is complete.
// Record order, "Метка" and "Счетчик" are kept. Throws KtError naming the
// reason (no room, no permission, a read-only disk); on failure the file at
// `path` is untouched.
void saveBankFile(const QString& path, const BankRows& records);

} // namespace kt

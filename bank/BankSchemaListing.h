// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace kt {

// What a database file holds besides the question table's ten fields: the
// other objects of its catalog and the question table's columns. The
// teacher's editor rewrites a bank whole and must say what would be lost.
struct SchemaObject {
    int type = 0; // the catalog's object type (1 table, 5 query, -32768 form...)
    QString name;
};

struct BankSchemaListing {
    bool ok = false;                   // false: the file or its catalog could not be read
    std::vector<SchemaObject> objects; // user objects, the question table included
    std::vector<QString> tableColumns; // every column of the question table
};

// The listing as the reader sends it: UTF-8 lines "O<TAB>type<TAB>name",
// "C<TAB>name", ended by "Z"; a failure is the single line "E".
QByteArray encodeSchemaListing(const BankSchemaListing& listing);
BankSchemaListing decodeSchemaListing(const QByteArray& bytes);

// Asks the reader process (readerPath empty: the one beside the program)
// for the listing of a bank file; ok is false when it could not be had.
BankSchemaListing queryBankSchema(const QString& path, const QString& readerPath = QString());

} // namespace kt

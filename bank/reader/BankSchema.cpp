// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/reader/BankSchema.h"
#include "bank/reader/MdbSupport.h"

#include <QFile>

#include <cstring>
#include <memory>

namespace kt {
namespace {

constexpr qint64 kJetPage = 4096;

QString nameOf(const char* text, size_t capacity) {
    return QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, capacity)));
}

// Only a whole Jet 4 file is looked at; the bank reader has already
// refused anything else before the editor asks for a listing.
bool looksLikeJet4(const QByteArray& path) {
    QFile f(QFile::decodeName(path));
    if (!f.open(QIODevice::ReadOnly) || f.size() < 3 * kJetPage || f.size() % kJetPage != 0)
        return false;
    const QByteArray head = f.read(0x20);
    return head.startsWith(QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
}

// The catalog's Id, Name and Type columns, bound; libmdb ends each value
// with a zero within the bind size.
struct CatalogRow {
    std::vector<char> id, name, type;
};

bool bindCatalog(MdbTableDef* t, CatalogRow& row, size_t size) {
    int found = 0;
    for (guint i = 0; i < t->columns->len; ++i) {
        const QString cn = nameOf(columnAt(t, i)->name, sizeof columnAt(t, i)->name);
        std::vector<char>* target = cn == QLatin1String("Id")     ? &row.id
                                    : cn == QLatin1String("Name") ? &row.name
                                    : cn == QLatin1String("Type") ? &row.type
                                                                  : nullptr;
        if (!target)
            continue;
        target->assign(size + 1, '\0');
        mdb_bind_column(t, static_cast<int>(i) + 1, target->data(), nullptr);
        ++found;
    }
    return found == 3;
}

bool isUserObject(const QString& name) {
    return !name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive) &&
           !name.startsWith(QLatin1Char('~'));
}

void listColumns(MdbHandle* mdb, unsigned long page, const QString& tableName,
                 BankSchemaListing& out) {
    MdbCatalogEntry entry = tableEntry(mdb, page, tableName.toUtf8().constData());
    TablePtr t = openCheckedTable(&entry);
    if (!t)
        return;
    for (guint i = 0; i < t->columns->len; ++i)
        out.tableColumns.push_back(
            nameOf(columnAt(t.get(), i)->name, sizeof columnAt(t.get(), i)->name));
}

BankSchemaListing listOpened(MdbHandle* mdb, const QString& tableName) {
    BankSchemaListing out;
    MdbCatalogEntry sysEntry = tableEntry(mdb, kCatalogPage, "MSysObjects");
    TablePtr sys = openCheckedTable(&sysEntry);
    CatalogRow row;
    if (!sys || !bindCatalog(sys.get(), row, mdb->bind_size))
        return out;
    unsigned long tablePage = 0;
    mdb_rewind_table(sys.get());
    while (mdb_fetch_row(sys.get())) {
        const QString name = nameOf(row.name.data(), row.name.size());
        const int type = static_cast<qint16>(std::atoi(row.type.data()));
        if (isUserObject(name))
            out.objects.push_back(SchemaObject{type, name});
        if (type == MDB_TABLE && name.compare(tableName, Qt::CaseInsensitive) == 0)
            tablePage = static_cast<unsigned long>(std::atol(row.id.data())) & 0x00FFFFFFul;
        row.name[0] = row.type[0] = row.id[0] = '\0';
    }
    if (tablePage != 0)
        listColumns(mdb, tablePage, tableName, out);
    out.ok = true;
    return out;
}

} // namespace

BankSchemaListing readBankSchema(const QByteArray& path, const QString& tableName) {
    if (!looksLikeJet4(path))
        return BankSchemaListing{};
    HandlePtr mdb(mdb_open(path.constData(), MDB_NOFLAGS));
    if (!mdb)
        return BankSchemaListing{};
    return listOpened(mdb.get(), tableName);
}

} // namespace kt

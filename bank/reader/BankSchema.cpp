#include "BankSchema.h"

#include <QFile>

#include <cstring>
#include <memory>

// libmdb's header needs these in front of it when compiled as C++.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

namespace kt {
namespace {

// Page 2 of every Jet file holds the definition of the system catalog.
constexpr unsigned long kCatalogPage = 2;
constexpr qint64 kJetPage = 4096;

struct TableDeleter {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableDeleter>;

struct HandleDeleter {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
using HandlePtr = std::unique_ptr<MdbHandle, HandleDeleter>;

QString nameOf(const char* text, size_t capacity) {
    return QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, capacity)));
}

MdbColumn* columnAt(MdbTableDef* t, guint index) {
    return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, index));
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

// Every page the usage map names must lie in the file, or libmdb would read
// past it while walking the table.
bool usageMapFitsFile(MdbHandle* mdb, MdbTableDef* t, qint64 pages) {
    guint32 pg = 0;
    for (qint64 steps = 0; steps <= pages; ++steps) {
        const gint32 next =
            mdb_map_find_next(mdb, t->usage_map, static_cast<unsigned>(t->map_sz), pg);
        if (next == 0)
            return true;
        if (next < 0 || next >= pages || static_cast<guint32>(next) <= pg)
            return false;
        pg = static_cast<guint32>(next);
    }
    return false;
}

MdbCatalogEntry entryOf(MdbHandle* mdb, unsigned long page, const char* name) {
    MdbCatalogEntry e;
    std::memset(&e, 0, sizeof e);
    e.mdb = mdb;
    e.object_type = MDB_TABLE;
    e.table_pg = page;
    std::snprintf(e.object_name, sizeof e.object_name, "%s", name);
    return e;
}

// The table keeps a pointer to its entry: the entry must outlive it.
TablePtr openTable(MdbCatalogEntry& e, qint64 pages) {
    MdbHandle* mdb = e.mdb;
    TablePtr t(mdb_read_table(&e));
    if (!t || !t->usage_map || t->map_sz == 0 || t->usage_map[0] > 1)
        return nullptr;
    if (!mdb_read_columns(t.get()) || t->num_cols == 0 || t->columns->len != t->num_cols)
        return nullptr;
    if (!usageMapFitsFile(mdb, t.get(), pages))
        return nullptr;
    return t;
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

void listColumns(MdbHandle* mdb, unsigned long page, const QString& tableName, qint64 pages,
                 BankSchemaListing& out) {
    MdbCatalogEntry entry = entryOf(mdb, page, tableName.toUtf8().constData());
    TablePtr t = openTable(entry, pages);
    if (!t)
        return;
    for (guint i = 0; i < t->columns->len; ++i)
        out.tableColumns.push_back(
            nameOf(columnAt(t.get(), i)->name, sizeof columnAt(t.get(), i)->name));
}

BankSchemaListing listOpened(MdbHandle* mdb, const QString& tableName, qint64 pages) {
    BankSchemaListing out;
    MdbCatalogEntry sysEntry = entryOf(mdb, kCatalogPage, "MSysObjects");
    TablePtr sys = openTable(sysEntry, pages);
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
        listColumns(mdb, tablePage, tableName, pages, out);
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
    const qint64 pages = QFile(QFile::decodeName(path)).size() / kJetPage;
    return listOpened(mdb.get(), tableName, pages);
}

} // namespace kt

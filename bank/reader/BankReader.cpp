// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/reader/BankReader.h"
#include "bank/reader/MdbSupport.h"
#include "bank/reader/RowTexts.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace kt {
namespace {

constexpr qsizetype kHeaderBytes = 0x20;
constexpr int kVersionOffset = 0x14;
constexpr int kLastKnownVersion = MDB_VER_ACCDB_2019;

ReaderError fault(ReaderFailure f, QStringList args = {}) {
    return ReaderError{f, std::move(args)};
}

// The file starts with the Jet signature; its version byte names a page size.
std::optional<ReaderError> checkHeader(const QByteArray& head, qint64 fileSize) {
    static const QByteArray kStart("\x00\x01\x00\x00", 4);
    if (head.size() < kHeaderBytes || !head.startsWith(kStart))
        return fault(ReaderFailure::NotJet);
    const QByteArray magic = head.mid(4, 15);
    if (magic != "Standard Jet DB" && magic != "Standard ACE DB")
        return fault(ReaderFailure::NotJet);
    const int version = static_cast<unsigned char>(head[kVersionOffset]);
    if (version > kLastKnownVersion)
        return fault(ReaderFailure::Damaged);
    // A Jet file is whole pages, and page 2 is always there; anything else
    // was cut short or padded.
    const qint64 pageSize = version == MDB_VER_JET3 ? 2048 : 4096;
    if (fileSize % pageSize != 0 || fileSize < 3 * pageSize)
        return fault(ReaderFailure::Damaged);
    return std::nullopt;
}

// Bytes of the fixed-size types; 0 for the others.
int fixedSize(int type) {
    switch (type) {
    case MDB_BOOL:
        return 0;
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
        return 4;
    default:
        return -1;
    }
}

// libmdb converts a number from as many bytes as its type has, whatever
// size the row gives the value, and trusts the column's place in the row:
// a number column must be a fixed one of its type's size inside a page.
bool soundColumn(MdbHandle* mdb, const MdbColumn* c) {
    const int size = fixedSize(c->col_type);
    if (size < 0)
        return c->col_type != MDB_TEXT || !c->is_fixed;
    return c->is_fixed && (size == 0 || c->col_size == size) && c->fixed_offset >= 0 &&
           c->fixed_offset + size < mdb->fmt->pg_size;
}

// Index of the column with this name (names compare as Jet compares them,
// without regard to case), or -1.
int findColumn(MdbTableDef* t, const QString& name) {
    for (guint i = 0; i < t->columns->len; ++i) {
        const MdbColumn* c = columnAt(t, i);
        const QString cn =
            QString::fromUtf8(c->name, static_cast<qsizetype>(strnlen(c->name, sizeof c->name)));
        if (cn.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// Buffers that libmdb writes bound values into, one per bound column.
class Bindings {
public:
    explicit Bindings(MdbHandle* mdb) : m_size(mdb->bind_size) {}
    // The value's length is taken from the text itself: libmdb ends every
    // bound value with a zero within the bind size.
    void bind(MdbTableDef* t, int columnIndex) {
        m_buffers.emplace_back(m_size + 1, '\0');
        mdb_bind_column(t, columnIndex + 1, m_buffers.back().data(), nullptr);
    }
    // Keeps the place of a field the caller reads otherwise.
    void skip() { m_buffers.emplace_back(1, '\0'); }
    QByteArrayView bytes(size_t k) const {
        const std::vector<char>& b = m_buffers[k];
        return QByteArrayView(b.data(), static_cast<qsizetype>(strnlen(b.data(), b.size())));
    }
    QString text(size_t k) const { return QString::fromUtf8(bytes(k)); }
    void clear() {
        for (std::vector<char>& b : m_buffers)
            b[0] = '\0';
    }

private:
    size_t m_size;
    std::vector<std::vector<char>> m_buffers;
};

struct CatalogColumn {
    const char* name;
    int type;
};

// Finds the question table in the system catalog without reading the
// catalog's property column, whose parser loops forever on damaged data.
std::optional<ReaderError> locateTable(MdbHandle* mdb, const QString& tableName,
                                       unsigned long* page, RecordSink& sink) {
    MdbCatalogEntry sys = tableEntry(mdb, kCatalogPage, "MSysObjects");
    TablePtr t = openCheckedTable(&sys, [&sink] { sink.StillWorking(); });
    if (!t)
        return fault(ReaderFailure::Damaged);
    static const CatalogColumn kColumns[] = {
        {"Id", MDB_LONGINT}, {"Name", MDB_TEXT}, {"Type", MDB_INT}, {"Flags", MDB_LONGINT}};
    Bindings b(mdb);
    for (const CatalogColumn& c : kColumns) {
        const int i = findColumn(t.get(), QString::fromLatin1(c.name));
        if (i < 0 || columnAt(t.get(), static_cast<guint>(i))->col_type != c.type ||
            !soundColumn(mdb, columnAt(t.get(), static_cast<guint>(i))))
            return fault(ReaderFailure::Damaged);
        b.bind(t.get(), i);
    }
    mdb_rewind_table(t.get());
    for (b.clear(); mdb_fetch_row(t.get()); b.clear()) {
        const int type = std::atoi(b.text(2).toLatin1().constData()) & 0x7F;
        if (type == MDB_TABLE && b.text(1).compare(tableName, Qt::CaseInsensitive) == 0) {
            *page = static_cast<unsigned long>(std::atol(b.text(0).toLatin1().constData())) &
                    0x00FFFFFFul;
            return std::nullopt;
        }
    }
    return fault(ReaderFailure::TableMissing, {tableName});
}

const char* expectedType(int field) {
    switch (field) {
    case FieldRightAnswer:
        return "Word";
    case FieldMark:
        return "SmallInt";
    case FieldCounter:
        return "AutoInc";
    default:
        return "WideString";
    }
}

// Binds the ten fields by name, in field order, as the bank checks them.
std::optional<ReaderError> bindFields(MdbTableDef* t, Bindings& b, RowTexts& texts) {
    for (int f = 0; f < FieldCountTotal; ++f) {
        const QString& name = bankFieldNames()[static_cast<size_t>(f)];
        const int i = findColumn(t, name);
        if (i < 0)
            return fault(ReaderFailure::FieldMissing, {name});
        const MdbColumn* c = columnAt(t, static_cast<guint>(i));
        const QString actual = jetTypeName(c->col_type, c->is_long_auto != 0);
        const QString expected = QString::fromLatin1(expectedType(f));
        if (actual != expected)
            return fault(ReaderFailure::TypeMismatch, {name, expected, actual});
        if (!soundColumn(t->entry->mdb, c))
            return fault(ReaderFailure::Damaged);
        if (isNumberField(f)) {
            b.bind(t, i);
        } else {
            b.skip();
            texts.add(f, i);
        }
    }
    return std::nullopt;
}

// A null and an empty text both come back empty; for a number that can
// only be a null. The texts go out as UTF-8: the client decodes them once,
// straight into the form it keeps.
RecordFields recordOf(const Bindings& b, const RowTexts& texts) {
    RecordFields r;
    for (int f = 0; f < FieldCountTotal; ++f) {
        const auto k = static_cast<size_t>(f);
        r.text[k] = texts.has(f) ? texts.bytes(f) : b.bytes(k);
        r.isNull[k] = isNumberField(f) && r.text[k].isEmpty();
    }
    return r;
}

std::optional<ReaderError> readQuestions(MdbHandle* mdb, unsigned long page,
                                         const QString& tableName, RecordSink& sink) {
    MdbCatalogEntry entry = tableEntry(mdb, page, tableName.toUtf8().constData());
    TablePtr t = openCheckedTable(&entry, [&sink] { sink.StillWorking(); });
    if (!t)
        return fault(ReaderFailure::Damaged);
    Bindings b(mdb);
    RowTexts texts;
    if (std::optional<ReaderError> e = bindFields(t.get(), b, texts))
        return e;
    sink.ColumnsBound(t->num_rows);
    mdb_rewind_table(t.get());
    for (b.clear(); mdb_fetch_row(t.get()); b.clear()) {
        if (!texts.read(t.get()))
            return fault(ReaderFailure::Damaged);
        sink.Record(recordOf(b, texts));
    }
    return std::nullopt;
}

std::optional<ReaderError> readOpened(MdbHandle* raw, const QString& tableName, RecordSink& sink) {
    if (!raw)
        return fault(ReaderFailure::Damaged);
    HandlePtr mdb(raw);
    unsigned long page = 0;
    if (std::optional<ReaderError> e = locateTable(mdb.get(), tableName, &page, sink))
        return e;
    return readQuestions(mdb.get(), page, tableName, sink);
}

} // namespace

QString jetTypeName(int mdbColumnType, bool autoIncrement) {
    switch (mdbColumnType) {
    case MDB_BOOL:
        return QStringLiteral("Boolean");
    case MDB_BYTE:
        return QStringLiteral("Word");
    case MDB_INT:
        return QStringLiteral("SmallInt");
    case MDB_LONGINT:
        return autoIncrement ? QStringLiteral("AutoInc") : QStringLiteral("Integer");
    case MDB_MONEY:
        return QStringLiteral("BCD");
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return QStringLiteral("Float");
    case MDB_DATETIME:
        return QStringLiteral("DateTime");
    case MDB_BINARY:
        return QStringLiteral("VarBytes");
    case MDB_TEXT:
        return QStringLiteral("WideString");
    case MDB_OLE:
        return QStringLiteral("Blob");
    case MDB_MEMO:
        return QStringLiteral("WideMemo");
    case MDB_REPID:
        return QStringLiteral("Guid");
    case MDB_NUMERIC:
        return QStringLiteral("FMTBcd");
    default:
        return QStringLiteral("Unknown");
    }
}

std::optional<ReaderError> readBankFile(const QByteArray& path, const QString& tableName,
                                        RecordSink& sink) {
    const QString name = QFile::decodeName(path);
    const QFileInfo info(name);
    if (!info.exists())
        return fault(ReaderFailure::FileMissing);
    QFile file(name);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return fault(ReaderFailure::FileUnreadable);
    const QByteArray head = file.read(kHeaderBytes);
    if (std::optional<ReaderError> e = checkHeader(head, file.size()))
        return e;
    file.close();
    return readOpened(mdb_open(path.constData(), MDB_NOFLAGS), tableName, sink);
}

std::optional<ReaderError> readBankImage(const QByteArray& image, const QString& tableName,
                                         RecordSink& sink) {
    if (std::optional<ReaderError> e = checkHeader(image.left(kHeaderBytes), image.size()))
        return e;
    QByteArray copy(image.constData(), image.size()); // libmdb wants a writable buffer
    return readOpened(mdb_open_buffer(copy.data(), static_cast<size_t>(copy.size()), MDB_NOFLAGS),
                      tableName, sink);
}

} // namespace kt

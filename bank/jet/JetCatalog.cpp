// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/jet/JetCatalog.h"

#include "bank/ByteOrder.h"
#include "bank/KtError.h"

#include <map>

namespace kt::jet {
namespace {

// Objects of the catalog: containers hang under the root, tables under "Tables".
constexpr std::int32_t kRootId = 0x0F000000;
constexpr std::int32_t kTablesId = 0x0F000001;
constexpr std::int16_t kTypeTable = 1;
constexpr std::int16_t kTypeContainer = 3;
constexpr std::uint32_t kSystemObject = 0x80000000u;
constexpr std::uint32_t kSystemTable = 0x80000002u;

struct CatalogColumn {
    const char* name;
    std::uint8_t code;
    int size;
};

// The catalog's columns in the order the format documents them.
constexpr CatalogColumn kColumns[] = {{"Connect", CodeMemo, 0},
                                      {"Database", CodeMemo, 0},
                                      {"DateCreate", CodeDateTime, 8},
                                      {"DateUpdate", CodeDateTime, 8},
                                      {"Flags", CodeLong, 4},
                                      {"ForeignName", CodeText, 256},
                                      {"Id", CodeLong, 4},
                                      {"Lv", CodeOle, 0},
                                      {"LvExtra", CodeOle, 0},
                                      {"LvModule", CodeOle, 0},
                                      {"LvProp", CodeOle, 0},
                                      {"Name", CodeText, 256},
                                      {"Owner", CodeBinary, 255},
                                      {"ParentId", CodeLong, 4},
                                      {"RmtInfoLong", CodeOle, 0},
                                      {"RmtInfoShort", CodeBinary, 255},
                                      {"Type", CodeInteger, 2}};

TableLayout catalogLayout() {
    std::vector<ColumnLayout> columns;
    for (const CatalogColumn& s : kColumns) {
        ColumnLayout c;
        c.name = QString::fromLatin1(s.name);
        c.code = s.code;
        c.size = s.size;
        c.fixed =
            s.code != CodeMemo && s.code != CodeOle && s.code != CodeBinary && s.code != CodeText;
        columns.push_back(c);
    }
    return layOut(std::move(columns));
}

template <typename T> Cell number(T value) {
    Cell c;
    c.present = true;
    c.bytes = littleEndianBytes<T>(value);
    return c;
}

Cell text(const QString& value) {
    Cell c;
    c.present = true;
    c.bytes = utf16le(value);
    return c;
}

QByteArray catalogRow(const TableLayout& layout, const QString& name, std::int32_t id,
                      std::int32_t parent, std::int16_t type, std::uint32_t flags, double now) {
    std::map<QString, Cell> values = {{QStringLiteral("Id"), number<qint32>(id)},
                                      {QStringLiteral("ParentId"), number<qint32>(parent)},
                                      {QStringLiteral("Name"), text(name)},
                                      {QStringLiteral("Type"), number<qint16>(type)},
                                      {QStringLiteral("Flags"), number<quint32>(flags)},
                                      {QStringLiteral("DateCreate"), number<double>(now)},
                                      {QStringLiteral("DateUpdate"), number<double>(now)}};
    std::vector<Cell> cells;
    for (const ColumnLayout& c : layout.columns) {
        const auto it = values.find(c.name);
        cells.push_back(it == values.end() ? Cell() : it->second);
    }
    return encodeRow(layout, cells);
}

} // namespace

QString jetCatalogName() {
    return QStringLiteral("MSysObjects");
}

CatalogPages catalogPages(const QString& tableName, std::uint32_t tableDefinitionPage,
                          std::uint32_t dataPage, double now) {
    CatalogPages catalog;
    catalog.layout = catalogLayout();
    const TableLayout& l = catalog.layout;
    const std::vector<QByteArray> rows = {
        catalogRow(l, QStringLiteral("Tables"), kTablesId, kRootId, kTypeContainer, kSystemObject,
                   now),
        catalogRow(l, QStringLiteral("Databases"), kRootId + 2, kRootId, kTypeContainer,
                   kSystemObject, now),
        catalogRow(l, QStringLiteral("Relationships"), kRootId + 3, kRootId, kTypeContainer,
                   kSystemObject, now),
        catalogRow(l, jetCatalogName(), static_cast<std::int32_t>(kCatalogDefinitionPage),
                   kTablesId, kTypeTable, kSystemTable, now),
        catalogRow(l, tableName, static_cast<std::int32_t>(tableDefinitionPage), kTablesId,
                   kTypeTable, 0, now)};
    DataPage page(kCatalogDefinitionPage);
    for (const QByteArray& row : rows) {
        if (!page.fits(row.size()))
            throw KtError(QStringLiteral("Системный каталог не помещается на страницу"));
        page.add(row);
    }
    catalog.data = page.bytes();
    catalog.rowCount = static_cast<std::uint32_t>(rows.size());
    catalog.used = usageMap({dataPage}, 0);
    if (page.freeSpace() >= 32)
        catalog.freeSpace = usageMap({dataPage}, 0);
    else
        catalog.freeSpace = usageMap({}, 0);
    return catalog;
}

} // namespace kt::jet

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/jet/JetPages.h"

#include "bank/ByteOrder.h"
#include "bank/KtError.h"

#include <cmath>
#include <cstring>

namespace kt::jet {
namespace {

constexpr int kColumnEntrySize = 25;
constexpr int kColumnsStart = 63;
constexpr int kMapBitmapBytes = 64;  // a type 0 map covers 512 pages
constexpr int kMapPagePointers = 17; // a type 1 map refers to at most 17 bitmap pages
constexpr int kBitsPerMapPage = (kPageSize - 4) * 8;
constexpr quint16 kGeneralSortOrder = 0x0409;
constexpr quint16 kCodePage1251 = 1251;

void put8(QByteArray& b, int at, int v) {
    b[at] = static_cast<char>(v);
}

void putColumnEntry(QByteArray& page, int at, const ColumnLayout& c) {
    put8(page, at, c.code);
    put16(page, at + 5, c.number);
    put16(page, at + 7, c.varIndex);
    put16(page, at + 9, c.number);
    if (c.code == CodeText || c.code == CodeMemo)
        put16(page, at + 11, kGeneralSortOrder);
    int flags = c.fixed ? 0x01 : 0x00;
    flags |= c.autoNumber ? 0x04 : 0x02; // 0x02: the column may be written by the user
    put8(page, at + 15, flags);
    put16(page, at + 21, c.fixedOffset);
    put16(page, at + 23, c.size);
}

int putName(QByteArray& page, int at, const QString& name) {
    const int bytes = static_cast<int>(name.size()) * 2;
    if (at + 2 + bytes > kPageSize)
        throw KtError(QStringLiteral("Описание таблицы не помещается на одну страницу: "
                                     "слишком много столбцов или слишком длинные имена"));
    put16(page, at, bytes);
    page.replace(at + 2, bytes, utf16le(name));
    return at + 2 + bytes;
}

} // namespace

QByteArray tableDefinitionPage(const TableLayout& layout, const TableInfo& info) {
    const int count = static_cast<int>(layout.columns.size());
    if (kColumnsStart + count * kColumnEntrySize > kPageSize)
        throw KtError(QStringLiteral("Описание таблицы не помещается на одну страницу"));
    QByteArray page(kPageSize, '\0');
    put8(page, 0, 0x02);
    put8(page, 1, 0x01);
    put32(page, 16, info.rowCount);
    put32(page, 20, info.lastAutoNumber);
    bool hasAuto = false;
    for (const ColumnLayout& c : layout.columns)
        hasAuto = hasAuto || c.autoNumber;
    put8(page, 24, hasAuto ? 0x01 : 0x00);
    put8(page, 40, info.system ? 0x53 : 0x4E);
    put16(page, 41, count);
    put16(page, 43, layout.varCount);
    put16(page, 45, count);
    put32(page, 55, info.usedMap);
    put32(page, 59, info.freeMap);
    int at = kColumnsStart;
    for (const ColumnLayout& c : layout.columns) {
        putColumnEntry(page, at, c);
        at += kColumnEntrySize;
    }
    for (const ColumnLayout& c : layout.columns)
        at = putName(page, at, c.name);
    put16(page, 2, kPageSize - at);
    put32(page, 8, static_cast<std::uint32_t>(at));
    return page;
}

namespace {

void setBit(char* bitmap, std::uint32_t bit) {
    bitmap[bit / 8] = static_cast<char>(bitmap[bit / 8] | (1 << (bit % 8)));
}

UsageMap inlineMap(const std::vector<std::uint32_t>& pages) {
    UsageMap map;
    map.row = QByteArray(5 + kMapBitmapBytes, '\0');
    const std::uint32_t start = pages.empty() ? 0 : pages.front();
    put32(map.row, 1, start);
    for (std::uint32_t p : pages)
        setBit(map.row.data() + 5, p - start);
    return map;
}

// Larger tables: the row lists bitmap pages, each covering a fixed stretch
// of the file.
UsageMap referenceMap(const std::vector<std::uint32_t>& pages, std::uint32_t firstMapPage) {
    UsageMap map;
    map.row = QByteArray(1 + 4 * kMapPagePointers, '\0');
    map.row[0] = 0x01;
    std::vector<int> pageOfIndex(kMapPagePointers, -1);
    for (std::uint32_t p : pages) {
        const std::uint32_t index = p / kBitsPerMapPage;
        if (index >= static_cast<std::uint32_t>(kMapPagePointers))
            throw KtError(QStringLiteral("Файл базы данных получается слишком большим"));
        if (pageOfIndex[index] < 0) {
            pageOfIndex[index] = static_cast<int>(map.mapPages.size());
            QByteArray bitmapPage(kPageSize, '\0');
            bitmapPage[0] = 0x05;
            bitmapPage[1] = 0x01;
            map.mapPages.push_back(bitmapPage);
            put32(map.row, 1 + 4 * static_cast<int>(index),
                  firstMapPage + static_cast<std::uint32_t>(pageOfIndex[index]));
        }
        setBit(map.mapPages[pageOfIndex[index]].data() + 4, p % kBitsPerMapPage);
    }
    return map;
}

} // namespace

UsageMap usageMap(const std::vector<std::uint32_t>& pages, std::uint32_t firstMapPage) {
    if (pages.empty() || pages.back() - pages.front() < kMapBitmapBytes * 8)
        return inlineMap(pages);
    return referenceMap(pages, firstMapPage);
}

void rc4(const QByteArray& key, char* data, int size) {
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < size; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] = static_cast<char>(data[n] ^ s[(s[i] + s[j]) & 0xFF]);
    }
}

QByteArray databaseDefinitionPage(double creationDate) {
    QByteArray page(kPageSize, '\0');
    put8(page, 1, 0x01);
    std::memcpy(page.data() + 4, "Standard Jet DB", 16);
    put8(page, 0x14, 0x01);
    put16(page, 0x3C, kCodePage1251);
    put32(page, 0x3E, 0); // database key 0: the other pages are not masked
    // An empty password is stored as the mask derived from the creation date.
    const auto dateMask = static_cast<std::uint32_t>(static_cast<qint32>(std::floor(creationDate)));
    for (int i = 0; i < 40; i += 4)
        put32(page, 0x42 + i, dateMask);
    put16(page, 0x6E, kGeneralSortOrder);
    page.replace(0x72, 8, littleEndianBytes<double>(creationDate));
    rc4(QByteArray("\xC7\xDA\x39\x6B", 4), page.data() + 0x18, 128);
    return page;
}

} // namespace kt::jet

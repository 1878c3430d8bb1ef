// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// The page-level pieces of a Jet 4 file: row encoding, data pages, table
// definitions, usage maps and the database definition page.
namespace kt::jet {

constexpr int kPageSize = 4096;
constexpr int kDataHeaderSize = 14;  // type, free space, owner, unknown, row count
constexpr int kMaxRowsPerPage = 255; // a row pointer keeps the row number in one byte
constexpr int kMaxRowSize = kPageSize - kDataHeaderSize - 2;
// Readers look for the catalog's table definition on this page.
constexpr std::uint32_t kCatalogDefinitionPage = 2;

// Column type codes as the table definition stores them.
enum Code : std::uint8_t {
    CodeBoolean = 0x01,
    CodeByte = 0x02,
    CodeInteger = 0x03,
    CodeLong = 0x04,
    CodeCurrency = 0x05,
    CodeSingle = 0x06,
    CodeDouble = 0x07,
    CodeDateTime = 0x08,
    CodeBinary = 0x09,
    CodeText = 0x0A,
    CodeOle = 0x0B,
    CodeMemo = 0x0C
};

struct ColumnLayout {
    QString name;
    std::uint8_t code = CodeText;
    int size = 0; // bytes: fixed size, or the most a Text column holds
    bool fixed = false;
    bool autoNumber = false;
    int number = 0;
    int varIndex = 0;
    int fixedOffset = 0;
};

struct TableLayout {
    std::vector<ColumnLayout> columns;
    int fixedSize = 0;
    int varCount = 0;
};

// Numbers the columns and places them in the fixed and variable parts.
TableLayout layOut(std::vector<ColumnLayout> columns);

// One value of a row. A Boolean keeps its value in `flag`.
struct Cell {
    bool present = false;
    QByteArray bytes;
    bool flag = false;
};

// Throws KtError when a fixed-size value has not exactly its column's size.
QByteArray encodeRow(const TableLayout& layout, const std::vector<Cell>& cells);

// A page of rows packed from the end, with the row-offset table at the top.
class DataPage {
public:
    explicit DataPage(std::uint32_t ownerPage);
    bool fits(int rowSize) const;
    // Returns the row number on the page; throws KtError when the row does
    // not fit (ask fits() first).
    int add(const QByteArray& row);
    int freeSpace() const { return m_top - kDataHeaderSize - 2 * m_rows; }
    int rowCount() const { return m_rows; }
    const QByteArray& bytes() const { return m_page; }

private:
    QByteArray m_page;
    int m_rows = 0;
    int m_top = kPageSize;
};

struct TableInfo {
    std::uint32_t rowCount = 0;
    std::uint32_t lastAutoNumber = 0;
    bool system = false;
    std::uint32_t usedMap = 0; // page << 8 | row of the usage map rows
    std::uint32_t freeMap = 0;
};

// The table definition page; throws KtError when it does not fit one page.
QByteArray tableDefinitionPage(const TableLayout& layout, const TableInfo& info);

// A usage map row for the pages and the bitmap pages (type 0x05) it refers
// to; those are numbered from firstMapPage on.
struct UsageMap {
    QByteArray row;
    std::vector<QByteArray> mapPages;
};
UsageMap usageMap(const std::vector<std::uint32_t>& pages, std::uint32_t firstMapPage);

// Page 0, with its masked block written so that the database key is 0.
QByteArray databaseDefinitionPage(double creationDate);

// RC4 over data with the key, in place (the masking of page 0).
void rc4(const QByteArray& key, char* data, int size);

} // namespace kt::jet

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/jet/JetWriter.h"

#include "bank/BankRecord.h"
#include "bank/KtError.h"
#include "bank/jet/JetCatalog.h"
#include "bank/jet/JetPages.h"
#include "bank/jet/JetValue.h"

#include <QDateTime>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <limits>

namespace kt {
using namespace jet;
namespace {

// Fixed places of a written file; the table's data follows them, and the
// bitmap pages of large usage maps come last.
constexpr std::uint32_t kMapsPage = 1;
constexpr std::uint32_t kCatalogDataPage = 3;
constexpr std::uint32_t kTableDefinitionPage = 4;
constexpr std::uint32_t kFirstDataPage = 5;
constexpr int kMaxNameLength = 64;
constexpr int kMinFreeForInsert = 32;

std::uint8_t codeOf(JetType type) {
    switch (type) {
    case JetType::Boolean:
        return CodeBoolean;
    case JetType::Byte:
        return CodeByte;
    case JetType::Integer:
        return CodeInteger;
    case JetType::Long:
    case JetType::AutoLong:
        return CodeLong;
    case JetType::Currency:
        return CodeCurrency;
    case JetType::Single:
        return CodeSingle;
    case JetType::Double:
        return CodeDouble;
    case JetType::DateTime:
        return CodeDateTime;
    case JetType::Text:
        return CodeText;
    case JetType::Memo:
        return CodeMemo;
    }
    return CodeText;
}

ColumnLayout columnLayout(const JetColumn& column) {
    ColumnLayout c;
    c.name = column.name;
    c.code = codeOf(column.type);
    c.fixed = !jetIsVariable(column.type);
    c.autoNumber = column.type == JetType::AutoLong;
    if (column.type == JetType::Text)
        c.size = column.maxLength * 2;
    else if (column.type == JetType::Boolean)
        c.size = 1;
    else
        c.size = jetFixedSize(column.type);
    return c;
}

void checkName(const QString& name, const QString& what) {
    if (name.trimmed().isEmpty())
        throw KtError(QStringLiteral("Пустое имя %1").arg(what));
    if (name.size() > kMaxNameLength)
        throw KtError(
            QStringLiteral("Имя %1 «%2» длиннее %3 символов").arg(what, name).arg(kMaxNameLength));
}

void checkColumns(const QString& tableName, const std::vector<JetColumn>& columns) {
    checkName(tableName, QStringLiteral("таблицы"));
    if (tableName.compare(jetCatalogName(), Qt::CaseInsensitive) == 0)
        throw KtError(QStringLiteral("Имя таблицы «%1» занято системной таблицей").arg(tableName));
    if (columns.empty() || columns.size() > 255)
        throw KtError(QStringLiteral("В таблице должно быть от 1 до 255 столбцов"));
    QSet<QString> seen;
    int counters = 0;
    for (const JetColumn& c : columns) {
        if (c.type == JetType::AutoLong && ++counters > 1)
            throw KtError(QStringLiteral("В таблице может быть только один столбец-счётчик "
                                         "(AutoLong), а «%1» - второй")
                              .arg(c.name));
        checkName(c.name, QStringLiteral("столбца"));
        if (seen.contains(c.name.toLower()))
            throw KtError(QStringLiteral("Столбец «%1» встречается дважды").arg(c.name));
        seen.insert(c.name.toLower());
        if (c.type == JetType::Text && (c.maxLength < 1 || c.maxLength > 255))
            throw KtError(QStringLiteral("Длина текстового столбца «%1» должна быть от 1 до 255")
                              .arg(c.name));
    }
}

Cell encodeCell(const JetColumn& column, const QString& text, size_t record) {
    const JetEncoded value = encodeJetValue(column, text);
    if (!value.problem.isEmpty())
        throw KtError(QStringLiteral("Запись %1, столбец «%2»: %3")
                          .arg(record + 1)
                          .arg(column.name, value.problem));
    Cell cell;
    cell.present = true;
    cell.bytes = value.bytes;
    cell.flag = value.flag;
    return cell;
}

QByteArray encodeRecord(const std::vector<JetColumn>& columns, const TableLayout& layout,
                        const JetRow& row, size_t record, qint64 autoNumber) {
    if (row.size() != columns.size())
        throw KtError(QStringLiteral("Запись %1: %2 значений вместо %3")
                          .arg(record + 1)
                          .arg(row.size())
                          .arg(columns.size()));
    std::vector<Cell> cells(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].type == JetType::AutoLong)
            cells[i] = encodeCell(columns[i], QString::number(autoNumber), record);
        else if (row[i])
            cells[i] = encodeCell(columns[i], *row[i], record);
    }
    QByteArray bytes = encodeRow(layout, cells);
    if (bytes.size() > kMaxRowSize)
        throw KtError(QStringLiteral("Запись %1 не помещается на страницу данных "
                                     "(%2 байт, можно не больше %3)")
                          .arg(record + 1)
                          .arg(bytes.size())
                          .arg(kMaxRowSize));
    return bytes;
}

std::vector<DataPage> packRows(const std::vector<JetColumn>& columns, const TableLayout& layout,
                               const std::vector<JetRow>& rows,
                               const std::vector<qint64>& autoNumbers) {
    std::vector<DataPage> pages;
    for (size_t r = 0; r < rows.size(); ++r) {
        const QByteArray bytes = encodeRecord(columns, layout, rows[r], r, autoNumbers[r]);
        if (pages.empty() || !pages.back().fits(bytes.size()))
            pages.emplace_back(kTableDefinitionPage);
        pages.back().add(bytes);
    }
    return pages;
}

// The counter value of each row: 1, 2, 3... or, when kept, the rows' own
// values, a NULL taking the next number after the largest so far.
std::vector<qint64> autoNumbers(const std::vector<JetColumn>& columns,
                                const std::vector<JetRow>& rows, bool keep) {
    std::vector<qint64> numbers(rows.size());
    const auto column = std::find_if(columns.begin(), columns.end(), [](const JetColumn& c) {
        return c.type == JetType::AutoLong;
    });
    const auto at = static_cast<size_t>(column - columns.begin());
    qint64 largest = 0;
    QSet<qint64> seen;
    for (size_t r = 0; r < rows.size(); ++r) {
        const bool given = keep && column != columns.end() && r < rows.size() &&
                           at < rows[r].size() && rows[r][at];
        if (!given) {
            numbers[r] = keep ? largest + 1 : static_cast<qint64>(r) + 1;
        } else {
            bool ok = false;
            numbers[r] = rows[r][at]->trimmed().toLongLong(&ok);
            if (!ok || numbers[r] < 1 || numbers[r] > std::numeric_limits<qint32>::max())
                throw KtError(QStringLiteral("Запись %1: «%2» = «%3» — не номер счётчика")
                                  .arg(r + 1)
                                  .arg(column->name, *rows[r][at]));
        }
        if (seen.contains(numbers[r]))
            throw KtError(QStringLiteral("Запись %1: значение счётчика %2 повторяется")
                              .arg(r + 1)
                              .arg(numbers[r]));
        seen.insert(numbers[r]);
        largest = std::max(largest, numbers[r]);
    }
    return numbers;
}

double jetNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return QDate(1899, 12, 30).daysTo(now.date()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

std::vector<JetColumn> standardBankColumns() {
    const auto& names = bankFieldNames();
    std::vector<JetColumn> columns;
    for (int i = 0; i < FieldCountTotal; ++i) {
        JetColumn c{names[i], JetType::Text, 255};
        if (i == FieldRightAnswer)
            c.type = JetType::Byte;
        else if (i == FieldMark)
            c.type = JetType::Integer;
        else if (i == FieldCounter)
            c.type = JetType::AutoLong;
        else if (i == FieldSubject)
            c.maxLength = 50;
        columns.push_back(c);
    }
    return columns;
}

namespace {

struct TablePages {
    std::vector<QByteArray> data;
    UsageMap used;
    UsageMap freeSpace;
};

TablePages tablePages(const std::vector<DataPage>& packed) {
    TablePages t;
    std::vector<std::uint32_t> used, withRoom;
    for (size_t i = 0; i < packed.size(); ++i) {
        const auto number = kFirstDataPage + static_cast<std::uint32_t>(i);
        used.push_back(number);
        if (packed[i].freeSpace() >= kMinFreeForInsert)
            withRoom.push_back(number);
        t.data.push_back(packed[i].bytes());
    }
    const auto firstMapPage = kFirstDataPage + static_cast<std::uint32_t>(packed.size());
    t.used = usageMap(used, firstMapPage);
    t.freeSpace =
        usageMap(withRoom, firstMapPage + static_cast<std::uint32_t>(t.used.mapPages.size()));
    return t;
}

QByteArray assemble(const TableLayout& layout, const TablePages& table, std::uint32_t rowCount,
                    std::uint32_t lastAutoNumber, const QString& tableName, double now) {
    const CatalogPages catalog =
        catalogPages(tableName, kTableDefinitionPage, kCatalogDataPage, now);
    DataPage maps(0);
    const std::uint32_t base = kMapsPage << 8;
    const TableInfo catalogInfo{catalog.rowCount, 0, true, base | maps.add(catalog.used.row),
                                base | maps.add(catalog.freeSpace.row)};
    TableInfo info{rowCount, 0, false, base | maps.add(table.used.row),
                   base | maps.add(table.freeSpace.row)};
    for (const ColumnLayout& c : layout.columns)
        if (c.autoNumber)
            info.lastAutoNumber = lastAutoNumber;
    QByteArray file = databaseDefinitionPage(now);
    file += maps.bytes();
    file += tableDefinitionPage(catalog.layout, catalogInfo);
    file += catalog.data;
    file += tableDefinitionPage(layout, info);
    for (const QByteArray& p : table.data)
        file += p;
    for (const QByteArray& p : table.used.mapPages)
        file += p;
    for (const QByteArray& p : table.freeSpace.mapPages)
        file += p;
    return file;
}

void saveFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw KtError(
            QStringLiteral("Не удалось создать файл «%1»: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw KtError(
            QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, file.errorString()));
}

} // namespace

void writeJetDatabase(const QString& path, const QString& tableName,
                      const std::vector<JetColumn>& columns, const std::vector<JetRow>& rows) {
    writeJetDatabase(path, tableName, columns, rows, JetWriteOptions{});
}

void writeJetDatabase(const QString& path, const QString& tableName,
                      const std::vector<JetColumn>& columns, const std::vector<JetRow>& rows,
                      const JetWriteOptions& options) {
    checkColumns(tableName, columns);
    std::vector<ColumnLayout> layouts;
    for (const JetColumn& c : columns)
        layouts.push_back(columnLayout(c));
    const TableLayout layout = layOut(std::move(layouts));
    const std::vector<qint64> numbers = autoNumbers(columns, rows, options.keepAutoNumbers);
    const TablePages table = tablePages(packRows(columns, layout, rows, numbers));
    const qint64 last = numbers.empty() ? 0 : *std::max_element(numbers.begin(), numbers.end());
    saveFile(path, assemble(layout, table, static_cast<std::uint32_t>(rows.size()),
                            static_cast<std::uint32_t>(last), tableName, jetNow()));
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/jet/JetWriter.h"

#include "bank/BankRecord.h"
#include "bank/KtError.h"
#include "bank/jet/JetCatalog.h"
#include "bank/jet/JetPages.h"
#include "bank/jet/JetValue.h"
#include "report/ReportReasons.h"

#include <QDateTime>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

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

// The counter value of each row as it arrives: 1, 2, 3... or, when kept,
// the rows' own values, a NULL taking the next number after the largest so
// far. Only kept values can repeat, so only they are remembered.
class AutoNumbering {
public:
    AutoNumbering(const std::vector<JetColumn>& columns, bool keep) : m_keep(keep) {
        const auto column = std::find_if(columns.begin(), columns.end(), [](const JetColumn& c) {
            return c.type == JetType::AutoLong;
        });
        if (column != columns.end()) {
            m_at = static_cast<size_t>(column - columns.begin());
            m_name = column->name;
        }
    }

    qint64 next(const JetRow& row, size_t record) {
        const bool given = m_keep && m_at < row.size() && row[m_at];
        qint64 number = m_keep ? m_largest + 1 : static_cast<qint64>(record) + 1;
        if (given) {
            bool ok = false;
            number = row[m_at]->trimmed().toLongLong(&ok);
            if (!ok || number < 1 || number > std::numeric_limits<qint32>::max())
                throw KtError(QStringLiteral("Запись %1: «%2» = «%3» — не номер счётчика")
                                  .arg(record + 1)
                                  .arg(m_name, *row[m_at]));
        }
        if (m_keep && m_seen.contains(number))
            throw KtError(QStringLiteral("Запись %1: значение счётчика %2 повторяется")
                              .arg(record + 1)
                              .arg(number));
        if (m_keep)
            m_seen.insert(number);
        m_largest = std::max(m_largest, number);
        return number;
    }

    qint64 largest() const { return m_largest; }

private:
    bool m_keep;
    size_t m_at = std::numeric_limits<size_t>::max();
    QString m_name;
    qint64 m_largest = 0;
    QSet<qint64> m_seen;
};

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

TableLayout tableLayout(const std::vector<JetColumn>& columns) {
    std::vector<ColumnLayout> layouts;
    for (const JetColumn& c : columns)
        layouts.push_back(columnLayout(c));
    return layOut(std::move(layouts));
}

// The reason in Russian from the reasons table: the file device's own text
// is the system's English one. errno still holds the failed call's error,
// as nothing has been called since.
QString fileError(const QString& what, const QString& path, const QFileDevice& file) {
#ifdef _WIN32
    return what.arg(path, file.errorString());
#else
    const int error = errno;
    Q_UNUSED(file)
    return what.arg(path,
                    error != 0 ? systemReason(error) : QStringLiteral("ошибка записи на диск"));
#endif
}

} // namespace

// The pages before the table's data are written at once, the maps page and
// the table definition (both needing the final counts) as blank pages that
// commit() fills in; data pages follow as they fill, the bitmap pages of
// large usage maps come last.
struct JetFileWriter::State {
    State(const QString& filePath, const std::vector<JetColumn>& cols, bool keep)
        : path(filePath), columns(cols), layout(tableLayout(cols)), numbers(cols, keep),
          file(filePath) {}

    QString path;
    std::vector<JetColumn> columns;
    TableLayout layout;
    AutoNumbering numbers;
    QSaveFile file;
    DataPage maps{0};
    std::optional<DataPage> page;
    std::vector<std::uint32_t> used;
    std::vector<std::uint32_t> withRoom;
    qint64 rows = 0;
};

JetFileWriter::JetFileWriter(const QString& path, const QString& tableName,
                             std::vector<JetColumn> columns, const JetWriteOptions& options) {
    checkColumns(tableName, columns);
    m_state = std::make_unique<State>(path, columns, options.keepAutoNumbers);
    State& s = *m_state;
    if (!s.file.open(QIODevice::WriteOnly))
        throw KtError(fileError(QStringLiteral("Не удалось создать файл «%1»: %2"), path, s.file));
    const double now = jetNow();
    const CatalogPages catalog =
        catalogPages(tableName, kTableDefinitionPage, kCatalogDataPage, now);
    const std::uint32_t base = kMapsPage << 8;
    const TableInfo catalogInfo{catalog.rowCount, 0, true, base | s.maps.add(catalog.used.row),
                                base | s.maps.add(catalog.freeSpace.row)};
    writePage(databaseDefinitionPage(now));
    writePage(QByteArray(kPageSize, '\0')); // the maps, at commit()
    writePage(tableDefinitionPage(catalog.layout, catalogInfo));
    writePage(catalog.data);
    writePage(QByteArray(kPageSize, '\0')); // the table definition, at commit()
}

JetFileWriter::~JetFileWriter() = default;

void JetFileWriter::writePage(const QByteArray& page) {
    if (m_state->file.write(page) != page.size())
        throw KtError(fileError(QStringLiteral("Не удалось записать файл «%1»: %2"), m_state->path,
                                m_state->file));
}

void JetFileWriter::flushPage() {
    State& s = *m_state;
    const auto number = kFirstDataPage + static_cast<std::uint32_t>(s.used.size());
    s.used.push_back(number);
    if (s.page->freeSpace() >= kMinFreeForInsert)
        s.withRoom.push_back(number);
    writePage(s.page->bytes());
    s.page.reset();
}

void JetFileWriter::addRow(const JetRow& row) {
    State& s = *m_state;
    const auto record = static_cast<size_t>(s.rows);
    const qint64 number = s.numbers.next(row, record);
    const QByteArray bytes = encodeRecord(s.columns, s.layout, row, record, number);
    if (s.page && !s.page->fits(bytes.size()))
        flushPage();
    if (!s.page)
        s.page.emplace(kTableDefinitionPage);
    s.page->add(bytes);
    ++s.rows;
}

qint64 JetFileWriter::rowCount() const {
    return m_state->rows;
}

void JetFileWriter::commit() {
    State& s = *m_state;
    if (s.page)
        flushPage();
    const auto firstMapPage = kFirstDataPage + static_cast<std::uint32_t>(s.used.size());
    const UsageMap used = usageMap(s.used, firstMapPage);
    const UsageMap withRoom =
        usageMap(s.withRoom, firstMapPage + static_cast<std::uint32_t>(used.mapPages.size()));
    for (const UsageMap* map : {&used, &withRoom})
        for (const QByteArray& p : map->mapPages)
            writePage(p);
    const std::uint32_t base = kMapsPage << 8;
    TableInfo info{static_cast<std::uint32_t>(s.rows), 0, false, base | s.maps.add(used.row),
                   base | s.maps.add(withRoom.row)};
    for (const ColumnLayout& c : s.layout.columns)
        if (c.autoNumber)
            info.lastAutoNumber = static_cast<std::uint32_t>(s.numbers.largest());
    if (!s.file.seek(qint64(kMapsPage) * kPageSize))
        throw KtError(
            fileError(QStringLiteral("Не удалось записать файл «%1»: %2"), s.path, s.file));
    writePage(s.maps.bytes());
    if (!s.file.seek(qint64(kTableDefinitionPage) * kPageSize))
        throw KtError(
            fileError(QStringLiteral("Не удалось записать файл «%1»: %2"), s.path, s.file));
    writePage(tableDefinitionPage(s.layout, info));
    if (!s.file.commit())
        throw KtError(
            fileError(QStringLiteral("Не удалось записать файл «%1»: %2"), s.path, s.file));
}

void writeJetDatabase(const QString& path, const QString& tableName,
                      const std::vector<JetColumn>& columns, const std::vector<JetRow>& rows) {
    writeJetDatabase(path, tableName, columns, rows, JetWriteOptions{});
}

void writeJetDatabase(const QString& path, const QString& tableName,
                      const std::vector<JetColumn>& columns, const std::vector<JetRow>& rows,
                      const JetWriteOptions& options) {
    JetFileWriter writer(path, tableName, columns, options);
    for (const JetRow& row : rows)
        writer.addRow(row);
    writer.commit();
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/BankImport.h"

#include "bank/import/BankImportHeader.h"
#include "bank/import/RightAnswerLetters.h"
#include "bank/import/workbook/Workbook.h"
#include "bank/jet/JetValue.h"

#include <QBuffer>

namespace kt {
namespace {

void addProblem(ImportResult& result, const ImportProblem& problem) {
    if (result.problems.size() < kImportKeptMessages)
        result.problems.push_back(problem);
    else
        ++result.problemsLeftOut;
}

void addWarning(ImportResult& result, const QString& warning) {
    if (result.warnings.size() < kImportKeptMessages)
        result.warnings << warning;
    else
        ++result.warningsLeftOut;
}

bool isBlankRecord(const CsvRecord& record) {
    for (const CsvCell& c : record.cells)
        if (c.quoted || !c.text.isEmpty())
            return false;
    return true;
}

// Reads the records of a teacher's file after its header was mapped.
class RecordReader {
public:
    RecordReader(const BankHeaderMap& map, const ImportOptions& options, ImportResult& result,
                 const ImportRowSink& sink)
        : m_map(map), m_options(options), m_result(result), m_sink(sink) {}

    void read(const CsvRecord& record) {
        if (isBlankRecord(record) || !widthFits(record))
            return;
        m_line = record.line;
        JetRow row(FieldCountTotal);
        for (int f = 0; f < FieldCountTotal; ++f) {
            if (f == FieldCounter)
                continue;
            const int at = m_map.column[f];
            if (at < 0)
                row[f] = absentValue(f);
            else
                row[f] = cellValue(f, record.cells[at]);
        }
        ++m_result.recordCount;
        if (m_result.ok())
            m_sink(std::move(row));
    }

    const RightAnswerLetters& letters() const { return m_letters; }

private:
    // Spreadsheets may end a line with empty cells past the header's width.
    bool widthFits(const CsvRecord& record) {
        const size_t width = m_map.names.size();
        bool extraEmpty = true;
        for (size_t i = width; i < record.cells.size(); ++i)
            extraEmpty = extraEmpty && record.cells[i].text.isEmpty();
        if (record.cells.size() >= width && extraEmpty)
            return true;
        problem(record.line, QString(),
                QStringLiteral("полей %1, а в заголовке столбцов %2")
                    .arg(record.cells.size())
                    .arg(width));
        return false;
    }

    std::optional<QString> absentValue(int f) const {
        if (f == FieldMark)
            return QStringLiteral("0");
        return m_options.subject;
    }

    std::optional<QString> cellValue(int f, const CsvCell& cell) {
        if (cell.text.isEmpty() && !cell.quoted) {
            if (f == FieldRightAnswer)
                addWarning(m_result, QStringLiteral("Строка %1: «%2» не заполнен — запись нельзя "
                                                    "будет выбрать в тест")
                                         .arg(m_line)
                                         .arg(bankFieldNames()[f]));
            return std::nullopt;
        }
        if (f == FieldRightAnswer)
            return rightAnswer(cell.text.trimmed());
        const QString value = isTextField(f) ? restoreFormula(cell.text) : cell.text.trimmed();
        if (value.contains(QChar(0))) {
            problem(m_line, bankFieldNames()[f],
                    QStringLiteral("в тексте есть символ NUL (код 0) — удалите его"));
            return std::nullopt;
        }
        const JetEncoded encoded = encodeJetValue(standardBankColumns()[f], value);
        if (!encoded.problem.isEmpty())
            problem(m_line, bankFieldNames()[f], encoded.problem);
        return value;
    }

    std::optional<QString> rightAnswer(const QString& value) {
        m_letters.add(m_line, value);
        const int number = rightAnswerNumber(value);
        if (number == 0)
            problem(m_line, bankFieldNames()[FieldRightAnswer],
                    QStringLiteral("«%1» — не номер верного ответа: нужна цифра от 1 до 5 или "
                                   "буква от А до Д (A–E)")
                        .arg(value));
        return QString::number(number);
    }

    void problem(int line, const QString& column, const QString& text) {
        addProblem(m_result, {line, 0, column, text});
    }

    const BankHeaderMap& m_map;
    const ImportOptions& m_options;
    ImportResult& m_result;
    const ImportRowSink& m_sink;
    int m_line = 0;
    RightAnswerLetters m_letters;
};

// Gives the next record of the table; false at its end.
using RecordSource = std::function<bool(CsvRecord&)>;

void importTeacherFile(const RecordSource& next, const ImportOptions& options, ImportResult& result,
                       const ImportRowSink& sink) {
    CsvRecord record;
    if (!next(record)) {
        result.problems.push_back(
            {0, 0, QString(), QStringLiteral("Файл CSV пуст: нет строки заголовка")});
        return;
    }
    const BankHeaderMap map = mapBankHeader(record, options, result);
    if (!result.ok())
        return;
    result.table.columns = standardBankColumns();
    RecordReader reader(map, options, result, sink);
    while (next(record))
        reader.read(record);
    for (const RightAnswerLetters::Mixed& m : reader.letters().mixed())
        addProblem(result, {m.line, 0, bankFieldNames()[FieldRightAnswer], m.text});
    if (result.ok() && result.recordCount == 0)
        result.problems.push_back(
            {0, 0, QString(), QStringLiteral("В файле нет ни одной записи — только заголовок")});
}

void importFixture(const QString& text, const ImportOptions& options, ImportResult& result) {
    try {
        result.table = bankTableFromCsv(text, options.addCounter, result.separator);
    } catch (const CsvError& e) {
        result.problems.push_back({e.line(), e.column(), QString(), e.reason()});
    } catch (const KtError& e) {
        result.problems.push_back({0, 0, QString(), e.message()});
    }
}

void notUtf8(ImportResult& result) {
    result.problems.push_back({0, 0, QString(),
                               QStringLiteral("Файл не в кодировке UTF-8; если он сохранён в "
                                              "Windows-1251, укажите --encoding cp1251")});
}

ImportResult importWholeFixture(QIODevice& file, const ImportOptions& options,
                                const ImportRowSink& sink) {
    ImportResult result;
    QString text;
    if (!decodeCsvBytes(file.readAll(), options.encoding, text, result.encoding)) {
        notUtf8(result);
        return result;
    }
    result.separator = options.separator.isNull() ? detectCsvSeparator(text) : options.separator;
    importFixture(text, options, result);
    result.recordCount = static_cast<qint64>(result.table.rows.size());
    if (result.ok())
        for (JetRow& row : result.table.rows)
            sink(std::move(row));
    result.table.rows.clear();
    return result;
}

// Reads the file in pieces; the first piece also gives the separator.
void importStream(QIODevice& file, const ImportOptions& options, ImportResult& result,
                  const ImportRowSink& sink) {
    CsvFileText text(file, result.encoding);
    QString first = text.next();
    result.separator = options.separator.isNull() ? detectCsvSeparator(first) : options.separator;
    CsvReader records(
        [&]() {
            QString piece = first.isEmpty() ? text.next() : std::move(first);
            first.clear();
            return piece;
        },
        result.separator);
    try {
        importTeacherFile([&](CsvRecord& r) { return records.next(r); }, options, result, sink);
    } catch (const CsvError& e) {
        result.problems.push_back({e.line(), e.column(), QString(), e.reason()});
    }
}

} // namespace

ImportResult importBankCsv(QIODevice& file, const ImportOptions& options,
                           const ImportRowSink& sink) {
    if (options.fixture)
        return importWholeFixture(file, options, sink);
    QBuffer whole; // a pipe cannot be read twice, so it is read into memory first
    QIODevice* device = &file;
    if (file.isSequential()) {
        whole.setData(file.readAll());
        whole.open(QIODevice::ReadOnly);
        device = &whole;
    }
    ImportResult result;
    if (!detectCsvEncoding(*device, options.encoding, result.encoding)) {
        notUtf8(result);
        return result;
    }
    importStream(*device, options, result, sink);
    return result;
}

ImportResult importBankWorkbook(const QString& path, const ImportOptions& options,
                                const ImportRowSink& sink) {
    ImportResult result;
    std::vector<CsvRecord> rows;
    try {
        rows = readWorkbookSheet(path, options.sheet);
    } catch (const KtError& e) {
        result.problems.push_back({0, 0, QString(), e.message()});
        return result;
    }
    size_t at = 0;
    importTeacherFile(
        [&](CsvRecord& r) {
            if (at == rows.size())
                return false;
            r = std::move(rows[at++]);
            return true;
        },
        options, result, sink);
    return result;
}

ImportResult importBankCsv(const QByteArray& fileBytes, const ImportOptions& options) {
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<JetRow> rows;
    ImportResult result =
        importBankCsv(buffer, options, [&](JetRow&& row) { rows.push_back(std::move(row)); });
    result.table.rows = std::move(rows);
    return result;
}

QString formatImportProblem(const ImportProblem& p) {
    if (p.line <= 0)
        return p.text;
    if (!p.column.isEmpty())
        return QStringLiteral("Строка %1, столбец «%2»: %3").arg(p.line).arg(p.column, p.text);
    if (p.field > 0)
        return QStringLiteral("Строка %1, поле %2: %3").arg(p.line).arg(p.field).arg(p.text);
    return QStringLiteral("Строка %1: %2").arg(p.line).arg(p.text);
}

QString formatImportProblems(const std::vector<ImportProblem>& problems, int limit,
                             qint64 leftOut) {
    QString out;
    const int shown = std::min<int>(limit, static_cast<int>(problems.size()));
    for (int i = 0; i < shown; ++i)
        out += formatImportProblem(problems[static_cast<size_t>(i)]) + u'\n';
    const qint64 more = static_cast<qint64>(problems.size()) - shown + leftOut;
    if (more > 0)
        out += QStringLiteral("… и ещё %1 — исправьте показанные и запустите снова\n").arg(more);
    return out;
}

} // namespace kt

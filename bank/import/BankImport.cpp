// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/BankImport.h"

#include "bank/import/BankImportHeader.h"
#include "bank/jet/JetValue.h"

namespace kt {
namespace {

// "ВернОтв" as a teacher writes it: the number 1-5 or the variant's letter,
// Cyrillic А-Д or Latin A-E in either case. 0 when it is neither.
int rightAnswerNumber(const QString& value) {
    if (value.size() != 1)
        return 0;
    const QChar c = value.front().toUpper();
    const QString digits = QStringLiteral("12345");
    const QString cyrillic = QStringLiteral("АБВГД");
    const QString latin = QStringLiteral("ABCDE");
    for (const QString& set : {digits, cyrillic, latin})
        if (set.contains(c))
            return static_cast<int>(set.indexOf(c)) + 1;
    return 0;
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
    RecordReader(const BankHeaderMap& map, const ImportOptions& options, ImportResult& result)
        : m_map(map), m_options(options), m_result(result) {}

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
        m_result.table.rows.push_back(std::move(row));
    }

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
                m_result.warnings << QStringLiteral("Строка %1: «%2» не заполнен — запись нельзя "
                                                    "будет выбрать в тест")
                                         .arg(m_line)
                                         .arg(bankFieldNames()[f]);
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
        const int number = rightAnswerNumber(value);
        if (number == 0)
            problem(m_line, bankFieldNames()[FieldRightAnswer],
                    QStringLiteral("«%1» — не номер верного ответа: нужна цифра от 1 до 5 или "
                                   "буква от А до Д (A–E)")
                        .arg(value));
        return QString::number(number);
    }

    void problem(int line, const QString& column, const QString& text) {
        m_result.problems.push_back({line, 0, column, text});
    }

    const BankHeaderMap& m_map;
    const ImportOptions& m_options;
    ImportResult& m_result;
    int m_line = 0;
};

void importTeacherFile(const std::vector<CsvRecord>& records, const ImportOptions& options,
                       ImportResult& result) {
    const BankHeaderMap map = mapBankHeader(records.front(), options, result);
    if (!result.ok())
        return;
    result.table.columns = standardBankColumns();
    RecordReader reader(map, options, result);
    for (size_t r = 1; r < records.size(); ++r)
        reader.read(records[r]);
    if (result.ok() && result.table.rows.empty())
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

} // namespace

ImportResult importBankCsv(const QByteArray& fileBytes, const ImportOptions& options) {
    ImportResult result;
    QString text;
    if (!decodeCsvBytes(fileBytes, options.encoding, text, result.encoding)) {
        result.problems.push_back(
            {0, 0, QString(),
             QStringLiteral("Файл не в кодировке UTF-8; если он сохранён в Windows-1251, "
                            "укажите --encoding cp1251")});
        return result;
    }
    result.separator = options.separator.isNull() ? detectCsvSeparator(text) : options.separator;
    if (options.fixture) {
        importFixture(text, options, result);
        return result;
    }
    std::vector<CsvRecord> records;
    try {
        records = parseCsv(text, result.separator);
    } catch (const CsvError& e) {
        result.problems.push_back({e.line(), e.column(), QString(), e.reason()});
        return result;
    }
    if (records.empty())
        result.problems.push_back(
            {0, 0, QString(), QStringLiteral("Файл CSV пуст: нет строки заголовка")});
    else
        importTeacherFile(records, options, result);
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

QString formatImportProblems(const std::vector<ImportProblem>& problems, int limit) {
    QString out;
    const int shown = std::min<int>(limit, static_cast<int>(problems.size()));
    for (int i = 0; i < shown; ++i)
        out += formatImportProblem(problems[static_cast<size_t>(i)]) + u'\n';
    if (static_cast<int>(problems.size()) > shown)
        out += QStringLiteral("… и ещё %1 — исправьте показанные и запустите снова\n")
                   .arg(problems.size() - static_cast<size_t>(shown));
    return out;
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/CsvTable.h"

#include <QStringDecoder>

namespace kt {

CsvError::CsvError(int line, int column, const QString& reason)
    : KtError(QStringLiteral("Строка %1, поле %2: %3").arg(line).arg(column).arg(reason)),
      m_line(line), m_column(column), m_reason(reason) {}

namespace {

// 100000 -> "100 000" (no-break space), as the limits are named in messages.
QString grouped(int number) {
    QString digits = QString::number(number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x00A0));
    return digits;
}

} // namespace

CsvReader::CsvReader(CsvTextSource source, QChar separator)
    : m_source(std::move(source)), m_separator(separator) {}

// Makes sure `ahead` characters past the next unread one are in the buffer,
// taking further pieces as needed; false when the text ends before.
bool CsvReader::have(qsizetype ahead) {
    while (m_pos + ahead >= m_text.size()) {
        if (m_ended)
            return false;
        m_text.remove(0, m_pos);
        m_pos = 0;
        const QString piece = m_source();
        if (piece.isEmpty())
            m_ended = true;
        m_text += piece;
    }
    return true;
}

bool CsvReader::next(CsvRecord& out) {
    while (more()) {
        if (atLineEnd()) {
            skipLineEnd();
            continue;
        }
        out = record();
        return true;
    }
    return false;
}

void CsvReader::skipLineEnd() {
    if (at() == u'\r' && have(1) && at(1) == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}

CsvRecord CsvReader::record() {
    CsvRecord r;
    r.line = m_line;
    m_recordLength = 0;
    while (true) {
        const int column = static_cast<int>(r.cells.size()) + 1;
        if (column > kCsvMaxFields)
            throw CsvError(r.line, column,
                           QStringLiteral("в записи больше %1 полей — столько столбцов не бывает "
                                          "ни в одной таблице вопросов; проверьте разделитель "
                                          "полей «%2»")
                               .arg(grouped(kCsvMaxFields), separatorName(m_separator)));
        r.cells.push_back(field(r.line, column));
        if (!more())
            return r;
        if (atLineEnd()) {
            skipLineEnd();
            return r;
        }
        ++m_pos; // the separator
        ++m_recordLength;
    }
}

// Adds one character to the field, within the limits of a field and a record.
void CsvReader::take(CsvCell& cell, QChar c, int line, int column) {
    if (cell.text.size() >= kCsvMaxFieldLength)
        throw CsvError(line, column,
                       QStringLiteral("поле длиннее %1 символов — таких текстов в таблице "
                                      "вопросов не бывает; не осталась ли незакрытой кавычка?")
                           .arg(grouped(kCsvMaxFieldLength)));
    if (++m_recordLength > kCsvMaxRecordLength)
        throw CsvError(line, column,
                       QStringLiteral("запись длиннее %1 символов — таких в таблице вопросов "
                                      "не бывает")
                           .arg(grouped(kCsvMaxRecordLength)));
    cell.text.append(c);
}

CsvCell CsvReader::field(int recordLine, int column) {
    if (more() && at() == u'"')
        return quotedField(column);
    CsvCell cell;
    while (more() && at() != m_separator && !atLineEnd()) {
        if (at() == u'"')
            throw CsvError(recordLine, column,
                           QStringLiteral("кавычка внутри поля, не взятого в кавычки"));
        take(cell, at(), recordLine, column);
        ++m_pos;
    }
    return cell;
}

CsvCell CsvReader::quotedField(int column) {
    const int startLine = m_line;
    CsvCell cell;
    cell.quoted = true;
    ++m_pos;
    while (true) {
        if (!more())
            throw CsvError(startLine, column, QStringLiteral("не закрыта кавычка"));
        const QChar c = at();
        ++m_pos;
        if (c == u'"') {
            if (more() && at() == u'"') {
                take(cell, u'"', startLine, column);
                ++m_pos;
                continue;
            }
            break;
        }
        take(cell, c, startLine, column); // a line break here stays inside the row
    }
    if (more() && at() != m_separator && !atLineEnd())
        throw CsvError(m_line, column,
                       QStringLiteral("после закрывающей кавычки должен идти разделитель "
                                      "полей «%1» или конец строки")
                           .arg(separatorName(m_separator)));
    return cell;
}

std::vector<CsvRecord> parseCsv(const QString& text, QChar separator) {
    bool given = false;
    CsvReader reader(
        [&]() {
            if (given)
                return QString();
            given = true;
            return text;
        },
        separator);
    std::vector<CsvRecord> out;
    CsvRecord record;
    while (reader.next(record))
        out.push_back(std::move(record));
    return out;
}

QString separatorName(QChar separator) {
    return separator == u'\t' ? QStringLiteral("табуляция") : QString(separator);
}

QString decodeUtf8Strict(const QByteArray& bytes, const QString& fileName) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw KtError(QStringLiteral("Файл «%1» не в кодировке UTF-8").arg(fileName));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace kt

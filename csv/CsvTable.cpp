// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/CsvTable.h"

#include <QStringDecoder>

namespace kt {

CsvError::CsvError(int line, int column, const QString& reason)
    : KtError(QStringLiteral("Строка %1, поле %2: %3").arg(line).arg(column).arg(reason)),
      m_line(line), m_column(column), m_reason(reason) {}

namespace {

// Walks the text once; `m_pos` always points at the next unread character.
class CsvParser {
public:
    CsvParser(const QString& text, QChar separator) : m_text(text), m_separator(separator) {}

    std::vector<CsvRecord> records() {
        std::vector<CsvRecord> out;
        while (m_pos < m_text.size()) {
            if (atLineEnd()) {
                skipLineEnd();
                continue;
            }
            out.push_back(record());
        }
        return out;
    }

private:
    bool atLineEnd() const { return m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r'; }

    void skipLineEnd() {
        if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    CsvRecord record() {
        CsvRecord r;
        r.line = m_line;
        while (true) {
            r.cells.push_back(field(r.line, static_cast<int>(r.cells.size()) + 1));
            if (m_pos >= m_text.size())
                return r;
            if (atLineEnd()) {
                skipLineEnd();
                return r;
            }
            ++m_pos; // the separator
        }
    }

    CsvCell field(int recordLine, int column) {
        if (m_pos < m_text.size() && m_text[m_pos] == u'"')
            return quotedField(column);
        CsvCell cell;
        while (m_pos < m_text.size() && m_text[m_pos] != m_separator && !atLineEnd()) {
            if (m_text[m_pos] == u'"')
                throw CsvError(recordLine, column,
                               QStringLiteral("кавычка внутри поля, не взятого в кавычки"));
            cell.text.append(m_text[m_pos++]);
        }
        return cell;
    }

    CsvCell quotedField(int column) {
        const int startLine = m_line;
        CsvCell cell;
        cell.quoted = true;
        ++m_pos;
        while (true) {
            if (m_pos >= m_text.size())
                throw CsvError(startLine, column, QStringLiteral("не закрыта кавычка"));
            const QChar c = m_text[m_pos++];
            if (c == u'"') {
                if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                    cell.text.append(u'"');
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (c == u'\n' || (c == u'\r' && (m_pos >= m_text.size() || m_text[m_pos] != u'\n')))
                ++m_line;
            cell.text.append(c);
        }
        if (m_pos < m_text.size() && m_text[m_pos] != m_separator && !atLineEnd())
            throw CsvError(m_line, column,
                           QStringLiteral("после закрывающей кавычки должен идти разделитель "
                                          "полей «%1» или конец строки")
                               .arg(separatorName(m_separator)));
        return cell;
    }

    const QString& m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace

std::vector<CsvRecord> parseCsv(const QString& text, QChar separator) {
    return CsvParser(text, separator).records();
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/AnswersFile.h"

#include "bank/KtError.h"
#include "report/ReportReasons.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace kt {
namespace {

constexpr qsizetype kBlock = qsizetype(1) << 22;
constexpr int kLastField = ColCount - 1;

QString fileText(const QString& path) {
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

// Where an unquoted field ends: the next comma or line feed, or `end`.
const char* fieldEnd(const char* p, const char* end) {
    while (p < end && *p != ',' && *p != '\n')
        ++p;
    return p;
}

} // namespace

QStringList answersHeader() {
    return {QStringLiteral("Тест"),   QStringLiteral("Дата"),   QStringLiteral("Время"),
            QStringLiteral("ПК"),     QStringLiteral("Ученик"), QStringLiteral("Название"),
            QStringLiteral("База"),   QStringLiteral("Номер"),  QStringLiteral("Счетчик"),
            QStringLiteral("Вопрос"), QStringLiteral("Выбран"), QStringLiteral("Верный"),
            QStringLiteral("Итог")};
}

AnswerVerdict answerVerdict(QByteArrayView field) {
    if (field == QByteArrayView("верно"))
        return AnswerVerdict::Right;
    if (field == QByteArrayView("неверно"))
        return AnswerVerdict::Wrong;
    if (field == QByteArrayView("нет ответа"))
        return AnswerVerdict::Unanswered;
    return AnswerVerdict::Unknown;
}

bool isAnswersFileName(const QString& fileName) {
    return fileName.startsWith(u"Answers", Qt::CaseInsensitive) &&
           fileName.endsWith(u".csv", Qt::CaseInsensitive);
}

QStringList answersFilesIn(const QStringList& filesOrFolders) {
    QStringList files;
    for (const QString& path : filesOrFolders) {
        if (!QFileInfo(path).isDir()) {
            files.append(path);
            continue;
        }
        const QDir dir(path);
        const QStringList names = dir.entryList(QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& name : names)
            if (isAnswersFileName(name))
                files.append(dir.filePath(name));
    }
    return files;
}

AnswersReader::AnswersReader(const QString& path) : m_file(path), m_path(path) {
    if (!QFileInfo(path).isFile() || !m_file.open(QIODevice::ReadOnly))
        throw KtError(QStringLiteral("Файл ответов %1 не открыт: %2")
                          .arg(fileText(path), openFailureReason(path)));
    readHeader();
}

void AnswersReader::readHeader() {
    fill();
    if (m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    AnswerFields fields;
    bool header = next(fields) && m_skipped.empty();
    const QStringList expected = answersHeader();
    for (int i = 0; header && i < ColCount; ++i)
        header = QString::fromUtf8(fields[size_t(i)]) == expected[i];
    if (!header)
        throw KtError(QStringLiteral("%1 — не файл ответов: первая строка не «%2»")
                          .arg(fileText(m_path), expected.join(u',')));
}

bool AnswersReader::fill() {
    if (m_eof)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kBlock);
    const qint64 got = m_file.read(m_buffer.data() + old, kBlock);
    if (got < 0)
        throw KtError(QStringLiteral("Файл ответов %1 не дочитан: %2")
                          .arg(fileText(m_path), readFailedText()));
    m_buffer.resize(old + got);
    m_eof = got == 0;
    return !m_eof;
}

bool AnswersReader::next(AnswerFields& fields) {
    for (;;) {
        const Parse result = parseRecord(fields);
        if (result == Parse::Row)
            return true;
        if (result == Parse::End)
            return false;
        if (result == Parse::NeedMore && !fill() && m_pos >= m_buffer.size())
            return false;
    }
}

AnswersReader::Parse AnswersReader::parseRecord(AnswerFields& fields) {
    const char* data = m_buffer.constData();
    const qsizetype size = m_buffer.size();
    while (m_pos < size && data[m_pos] == '\n') {
        ++m_pos;
        ++m_line;
    }
    if (m_pos >= size)
        return m_eof ? Parse::End : Parse::NeedMore;
    const int startLine = m_line;
    qsizetype pos = m_pos;
    bool broken = false;
    for (int i = 0;; ++i) {
        const qsizetype end = parseField(pos, std::min(i, kLastField), fields, broken);
        if (end < 0) {
            m_line = startLine;
            return Parse::NeedMore;
        }
        const bool lineEnds = end >= size || data[end] == '\n';
        if (!lineEnds && i < kLastField && !broken) {
            pos = end + 1;
            continue;
        }
        if (!lineEnds || i != kLastField)
            broken = true;
        if (broken && !lineEnds) {
            const void* nl = std::memchr(data + end, '\n', size_t(size - end));
            if (!nl && !m_eof) {
                m_line = startLine;
                return Parse::NeedMore;
            }
            pos = nl ? static_cast<const char*>(nl) - data : size;
        } else {
            pos = end;
        }
        m_pos = std::min(pos + 1, size);
        ++m_line;
        if (!broken)
            return Parse::Row;
        m_skipped.push_back(startLine);
        return Parse::Broken;
    }
}

// Parses the field at `pos` into fields[index]; returns where its terminator
// is (a comma, a line feed or the end of the file), or -1 when the buffer
// ends first and more of the file is to come.
qsizetype AnswersReader::parseField(qsizetype pos, int index, AnswerFields& fields, bool& broken) {
    const char* data = m_buffer.constData();
    const qsizetype size = m_buffer.size();
    if (pos >= size || data[pos] != '"') {
        const char* end = fieldEnd(data + pos, data + size);
        if (end == data + size && !m_eof)
            return -1;
        qsizetype length = end - (data + pos);
        if (length > 0 && end[-1] == '\r' && (end == data + size || *end == '\n'))
            --length;
        fields[size_t(index)] = QByteArrayView(data + pos, length);
        return end - data;
    }
    QByteArray& text = m_unquoted[size_t(index)];
    text.resize(0); // keeps the capacity: clear() would free it for every field
    qsizetype from = pos + 1;
    for (;;) {
        const void* q = std::memchr(data + from, '"', size_t(size - from));
        if (!q) {
            if (!m_eof)
                return -1;
            broken = true;
            return size;
        }
        const qsizetype at = static_cast<const char*>(q) - data;
        if (at + 1 >= size && !m_eof)
            return -1;
        m_line += int(std::count(data + from, data + at, '\n'));
        text.append(data + from, at - from);
        if (at + 1 < size && data[at + 1] == '"') {
            text.append('"');
            from = at + 2;
            continue;
        }
        qsizetype end = at + 1;
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        if (end < size && data[end] != ',' && data[end] != '\n')
            broken = true;
        fields[size_t(index)] = QByteArrayView(text);
        return end;
    }
}

} // namespace kt

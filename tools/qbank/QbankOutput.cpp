// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/qbank/QbankOutput.h"

#include "report/ReportReasons.h"

#include <cerrno>

namespace kt {

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

CheckedOutput::CheckedOutput(FILE* stream) : m_stream(stream) {}

bool CheckedOutput::write(const QByteArray& bytes) {
    if (!m_error.isEmpty())
        return false;
    errno = 0;
    const size_t n = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_stream);
    return n == static_cast<size_t>(bytes.size()) || fail();
}

bool CheckedOutput::finish() {
    if (!m_error.isEmpty())
        return false;
    errno = 0;
    return (std::fflush(m_stream) == 0 && !std::ferror(m_stream)) || fail();
}

bool CheckedOutput::fail() {
    const int code = errno;
    if (code == ENOSPC)
        m_error = QStringLiteral("на диске нет места");
    else if (code == EPIPE)
        m_error = QStringLiteral("программа, принимавшая вывод, закрылась раньше времени");
    else
        m_error = systemReason(code);
    m_error = QStringLiteral("Не удалось записать вывод: %1; выгрузка не закончена\n").arg(m_error);
    return false;
}

} // namespace kt

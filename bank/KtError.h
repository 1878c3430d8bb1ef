// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>

namespace kt {

// The one error type of the program: it carries the text that the user sees.
// Whoever catches it decides which box shows it.
class KtError : public std::exception {
public:
    explicit KtError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Opening the bank failed: the file, the table or a field could not be had.
// Startup and every draw treat this one error apart from the others.
class BankOpenError : public KtError {
public:
    using KtError::KtError;
};

} // namespace kt

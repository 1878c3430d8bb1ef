// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace kt {

constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;
constexpr int kExitUnreadable = 2;

// Messages to the terminal, in UTF-8.
void print(FILE* stream, const QString& text);

// Standard output checked at every write and at the final flush: a full
// disk or a reader that went away is a message, not silent loss.
class CheckedOutput {
public:
    explicit CheckedOutput(FILE* stream);
    // False from the first failed write on; later writes do nothing.
    bool write(const QByteArray& bytes);
    bool finish();
    // Why the output failed, in Russian.
    const QString& error() const { return m_error; }

private:
    bool fail();

    FILE* m_stream;
    QString m_error;
};

} // namespace kt

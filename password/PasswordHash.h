// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kt {

// The settings file keeps the teacher's password only as
// "pbkdf2-sha256$ITERATIONS$SALT$HASH" (salt and hash in base64), so a
// student who reads the file learns nothing that opens the locks quickly.
struct PasswordHash {
    int iterations = 0;
    QByteArray salt;
    QByteArray hash;

    // False for a text that is not such a line (or has absurd numbers).
    static bool parse(const QString& text, PasswordHash* into);
    QString text() const;
};

// A new hash of `password` with a fresh random salt.
QString makePasswordHash(const QString& password);
// Whether `password` is the one `stored` was made of; false as well when
// `stored` cannot be read.
bool passwordMatches(const QString& stored, const QString& password);

// PBKDF2 with HMAC-SHA-256 over the password's UTF-8 bytes.
QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations,
                        int length);

} // namespace kt

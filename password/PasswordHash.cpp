// SPDX-License-Identifier: GPL-3.0-or-later
#include "password/PasswordHash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace kt {
namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
// About a fifth of a second on a school PC: nothing for a teacher typing it
// once, slow for a student trying a dictionary against a copied file.
constexpr int kIterations = 200000;
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;
// A hand-edited line with a huge count would freeze the program at every
// check; nothing the editor writes comes near it.
constexpr int kMaxIterations = 10000000;

bool decode(const QString& text, QByteArray* into) {
    const auto result = QByteArray::fromBase64Encoding(
        text.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.isEmpty())
        return false;
    *into = result.decoded;
    return true;
}

} // namespace

bool PasswordHash::parse(const QString& text, PasswordHash* into) {
    const QStringList parts = text.trimmed().split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != kScheme)
        return false;
    bool ok = false;
    PasswordHash h;
    h.iterations = parts[1].toInt(&ok);
    if (!ok || h.iterations < 1 || h.iterations > kMaxIterations)
        return false;
    if (!decode(parts[2], &h.salt) || !decode(parts[3], &h.hash) || h.hash.size() > 64)
        return false;
    *into = h;
    return true;
}

QString PasswordHash::text() const {
    return QStringLiteral("%1$%2$%3$%4")
        .arg(kScheme)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations,
                        int length) {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password, salt,
                                              iterations, static_cast<quint64>(length));
}

QString makePasswordHash(const QString& password) {
    PasswordHash h;
    h.iterations = kIterations;
    h.salt.resize(kSaltBytes);
    QRandomGenerator::system()->generate(h.salt.begin(), h.salt.end());
    h.hash = pbkdf2Sha256(password.toUtf8(), h.salt, h.iterations, kHashBytes);
    return h.text();
}

bool passwordMatches(const QString& stored, const QString& password) {
    PasswordHash h;
    if (!PasswordHash::parse(stored, &h))
        return false;
    const QByteArray typed =
        pbkdf2Sha256(password.toUtf8(), h.salt, h.iterations, static_cast<int>(h.hash.size()));
    // Compared in full whatever differs first, so the time says nothing.
    char diff = 0;
    for (qsizetype i = 0; i < typed.size(); ++i)
        diff = static_cast<char>(diff | (typed[i] ^ h.hash[i]));
    return typed.size() == h.hash.size() && diff == 0;
}

} // namespace kt

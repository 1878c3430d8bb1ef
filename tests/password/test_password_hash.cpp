// SPDX-License-Identifier: GPL-3.0-or-later
#include "password/PasswordHash.h"

#include <gtest/gtest.h>

namespace kt {
namespace {

TEST(PasswordHash, DerivesThePublishedPbkdf2Sha256Vector) {
    // The widely published vector for "password" / "salt" at 4096 rounds.
    EXPECT_EQ(pbkdf2Sha256("password", "salt", 4096, 32).toHex(),
              QByteArray("c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"));
}

TEST(PasswordHash, MatchesOnlyThePasswordItWasMadeOf) {
    const QString stored = makePasswordHash(QStringLiteral("Учитель-2026"));
    EXPECT_FALSE(stored.contains(QStringLiteral("Учитель")));
    EXPECT_TRUE(passwordMatches(stored, QStringLiteral("Учитель-2026")));
    EXPECT_FALSE(passwordMatches(stored, QStringLiteral("учитель-2026")));
    EXPECT_FALSE(passwordMatches(stored, QString()));
    // A fresh salt each time: two hashes of one password differ.
    EXPECT_NE(stored, makePasswordHash(QStringLiteral("Учитель-2026")));
}

TEST(PasswordHash, ReadsAHandMadeLineAndRefusesDamagedOnes) {
    // "пароль", salt "salt", 2 rounds, made by an independent implementation.
    const QString line =
        QStringLiteral("pbkdf2-sha256$2$c2FsdA==$w9AF9O1izxSG4VY0ptbAj+3lRxD5sT+2Fe6bTwLK4/4=");
    EXPECT_TRUE(passwordMatches(line, QStringLiteral("пароль")));
    const QString damaged[] = {
        QStringLiteral("пароль"),
        QStringLiteral("pbkdf2-sha256$0$c2FsdA==$w9AF9O1izxSG4VY0ptbAj+3lRxD5sT+2Fe6bTwLK4/4="),
        QStringLiteral("pbkdf2-sha256$99999999$c2FsdA==$w9AF9O1izxSG4VY0ptbAj+/lRxD5sT+2Fe6bT="),
        QStringLiteral("pbkdf2-sha256$2$c2FsdA==$не base64"),
        QStringLiteral("md5$2$c2FsdA==$w9AF9O1izxSG4VY0ptbAj+3lRxD5sT+2Fe6bTwLK4/4="),
        QStringLiteral("pbkdf2-sha256$2$c2FsdA==")};
    for (const QString& text : damaged) {
        PasswordHash h;
        EXPECT_FALSE(PasswordHash::parse(text, &h)) << text.toStdString();
        EXPECT_FALSE(passwordMatches(text, QStringLiteral("пароль")));
    }
}

} // namespace
} // namespace kt

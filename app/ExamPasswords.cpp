// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExamPasswords.h"

#include "password/PasswordHash.h"

namespace kt {

bool HashPasswordCheck::Readable(const QString& stored) {
    PasswordHash hash;
    return PasswordHash::parse(stored, &hash);
}

bool HashPasswordCheck::Matches(const QString& stored, const QString& typed) {
    return passwordMatches(stored, typed);
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/KtError.h"

namespace kt {

// Why a bank file could not be read, as the tools tell a teacher what to do
// about it; the message the user sees is worded apart from it.
enum class BankFailure {
    FileMissing,
    FileUnreadable,
    NotAFile, // a folder, a device or a pipe
    NotJet,
    Damaged,
    TableMissing,
    FieldMissing,
    TypeMismatch,
    ReaderMissing // the reader program could not be started
};

class BankReadError : public KtError {
public:
    BankReadError(BankFailure failure, QString message)
        : KtError(std::move(message)), m_failure(failure) {}
    BankFailure failure() const { return m_failure; }

private:
    BankFailure m_failure;
};

} // namespace kt

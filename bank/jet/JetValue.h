// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/jet/JetWriter.h"

#include <QByteArray>
#include <QString>

namespace kt {

// A value as a row stores it: the bytes of its fixed or variable part, or,
// for a Boolean, the flag that goes into the row's null mask.
struct JetEncoded {
    QByteArray bytes;
    bool flag = false;
    QString problem; // why the text cannot be stored; empty when it can
};

// Converts one text to the column's stored form. Numbers use the C locale.
JetEncoded encodeJetValue(const JetColumn& column, const QString& text);

// Bytes a value of the type takes in the fixed part of a row; 0 for the
// types kept in the variable part and for Boolean (held in the null mask).
int jetFixedSize(JetType type);
bool jetIsVariable(JetType type);

// The name used for a type in CSV headers ("Byte", "Text", "Text(50)"...).
QString jetTypeName(const JetColumn& column);
// Parses a type name (case-insensitive, "Text(N)" sets maxLength).
// Returns false for an unknown name.
bool parseJetTypeName(const QString& name, JetColumn& column);

// Longest Memo text the writer keeps inside the row, in characters.
constexpr int kJetMemoMaxLength = 1800;

} // namespace kt

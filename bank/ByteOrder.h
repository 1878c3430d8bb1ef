// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

// Little-endian numbers and UTF-16LE texts as the Jet file and the reader's
// frames store them. Both formats are little-endian whatever the machine.
namespace kt {

// The value's bytes, least significant first.
template <typename T> QByteArray littleEndianBytes(T value) {
    QByteArray out(static_cast<qsizetype>(sizeof(T)), '\0');
    qToLittleEndian<T>(value, out.data());
    return out;
}

inline void put16(QByteArray& buffer, qsizetype at, int value) {
    qToLittleEndian<quint16>(static_cast<quint16>(value), buffer.data() + at);
}

inline void put32(QByteArray& buffer, qsizetype at, quint32 value) {
    qToLittleEndian<quint32>(value, buffer.data() + at);
}

inline void append16(QByteArray& buffer, int value) {
    buffer.append(littleEndianBytes<quint16>(static_cast<quint16>(value)));
}

inline void append32(QByteArray& buffer, quint32 value) {
    buffer.append(littleEndianBytes<quint32>(value));
}

// The text's UTF-16 code units, two bytes each, least significant first.
inline QByteArray utf16le(const QString& text) {
    QByteArray out(text.size() * 2, '\0');
    qToLittleEndian<char16_t>(text.utf16(), text.size(), out.data());
    return out;
}

} // namespace kt

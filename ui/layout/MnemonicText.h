// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// Label texts treat "&" as a mnemonic prefix, as the platform's static texts
// do: a single "&" is not shown and underlines the character after it, "&&"
// shows one "&". A trailing single "&" shows nothing.

// The text as rich text (HTML-escaped, the mnemonic character underlined).
QString mnemonicRichText(const QString& text);
// The text as it reads on screen, without the underline.
QString mnemonicPlainText(const QString& text);

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layout/MnemonicText.h"

namespace kt {
namespace {

QString escapedChar(QChar c) {
    switch (c.unicode()) {
    case '<':
        return QStringLiteral("&lt;");
    case '>':
        return QStringLiteral("&gt;");
    case '&':
        return QStringLiteral("&amp;");
    case '"':
        return QStringLiteral("&quot;");
    case '\r':
        return QString();
    case '\n':
        return QStringLiteral("<br>");
    default:
        return QString(c);
    }
}

} // namespace

QString mnemonicRichText(const QString& text) {
    // Runs of spaces are kept as they are stored, so the text wraps and
    // centres like a plain static text.
    QString out = QStringLiteral("<span style=\"white-space:pre-wrap\">");
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('&')) {
            out += escapedChar(c);
            continue;
        }
        if (i + 1 >= text.size())
            break;
        const QChar next = text.at(++i);
        if (next == QLatin1Char('&'))
            out += escapedChar(next);
        else
            out += QStringLiteral("<u>") + escapedChar(next) + QStringLiteral("</u>");
    }
    return out + QStringLiteral("</span>");
}

QString mnemonicPlainText(const QString& text) {
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (++i >= text.size())
                break;
        }
        out += text.at(i);
    }
    return out;
}

} // namespace kt

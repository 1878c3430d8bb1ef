// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layout/Look.h"

#include <cmath>

namespace kt {
namespace {

QString familyName(FontFamily family) {
    switch (family) {
    case FontFamily::MsSansSerif:
    case FontFamily::Arial:
        return QStringLiteral("Liberation Sans");
    case FontFamily::TimesNewRoman:
        return QStringLiteral("Liberation Serif");
    case FontFamily::CourierNew:
        return QStringLiteral("Liberation Mono");
    case FontFamily::Courier:
        return QStringLiteral("Nimbus Mono PS");
    case FontFamily::MonotypeCorsiva:
        return QStringLiteral("Z003");
    case FontFamily::BookmanOldStyle:
        return QStringLiteral("URW Bookman");
    }
    return QStringLiteral("Liberation Sans");
}

QFont::StyleHint hintFor(FontFamily family) {
    switch (family) {
    case FontFamily::TimesNewRoman:
    case FontFamily::BookmanOldStyle:
        return QFont::Serif;
    case FontFamily::CourierNew:
    case FontFamily::Courier:
        return QFont::TypeWriter;
    case FontFamily::MonotypeCorsiva:
        return QFont::Cursive;
    default:
        return QFont::SansSerif;
    }
}

} // namespace

int pixelSizeForPoints(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont makeFont(FontFamily family, int points, bool bold, bool italic) {
    QFont font(familyName(family));
    font.setStyleHint(hintFor(family));
    font.setPixelSize(pixelSizeForPoints(points));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace kt

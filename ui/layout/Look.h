// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>

namespace kt {

// The fixed colours of the program. The system colours stand for the
// classic desktop scheme the screens were laid out against; naming them here
// keeps every widget on the same values whatever the desktop theme is.
namespace look {
inline const QColor kSkyBlue{166, 202, 240};
inline const QColor kNavy{0, 0, 128};
inline const QColor kPurple{128, 0, 128};
inline const QColor kAqua{0, 255, 255};
inline const QColor kFuchsia{255, 0, 255};
inline const QColor kTeal{0, 128, 128};
inline const QColor kGreen{0, 128, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kBlack{0, 0, 0};
inline const QColor kWhite{255, 255, 255};

inline const QColor kDesktop{58, 110, 165};
inline const QColor kActiveCaption{10, 36, 106};
inline const QColor kButtonFace{212, 208, 200};
inline const QColor kTooltipBackground{255, 255, 225};
inline const QColor kHotTrack{0, 102, 204};
inline const QColor kInactiveCaptionText{212, 208, 200};
inline const QColor kWindowText{0, 0, 0};
} // namespace look

// The font families the screens name, mapped to fonts Debian installs.
enum class FontFamily {
    MsSansSerif,     // a plain sans
    TimesNewRoman,   // Liberation Serif
    Arial,           // Liberation Sans
    CourierNew,      // Liberation Mono
    Courier,         // Nimbus Mono PS
    MonotypeCorsiva, // Z003
    BookmanOldStyle  // URW Bookman
};

// Character height in pixels of a point size at 96 dots per inch
// (8 pt = 11 px, 12 pt = 16 px, 24 pt = 32 px).
int pixelSizeForPoints(int points);

// A font of the family at the point size, given in pixels so that layouts
// hold at any screen resolution.
QFont makeFont(FontFamily family, int points, bool bold = false, bool italic = false);

} // namespace kt

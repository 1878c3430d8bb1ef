// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kt {

// 16 x 16 red arrow with a black outline; points right unless told otherwise.
QImage makeArrowGlyph(bool pointsLeft);

// 16 x 16 green check mark for OK buttons.
QImage makeOkGlyph();

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kt {

// The window's background: a light, low-contrast water surface with soft
// caustic lines, calm enough to sit behind sky-blue panels.
QImage makeWaterBackground(int width, int height);

} // namespace kt

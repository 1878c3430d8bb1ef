// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kt {

// The program's icon: a test sheet with ticked answers and a clock. It is
// drawn on a 32 x 32 grid, which is the window's icon; other sides scale it
// for the desktop's menus.
QImage makeAppIcon(int side = 32);

} // namespace kt

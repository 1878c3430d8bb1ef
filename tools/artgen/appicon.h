#pragma once

#include <QImage>

namespace kt {

// The program's 32 x 32 icon: a test sheet with ticked answers and a clock.
QImage makeAppIcon();

} // namespace kt

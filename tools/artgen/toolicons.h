// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kt {

// The toolbar's 16 x 16 pictures, in the toolbar's image order.
QImage makeHandIcon();    // a raised open hand: stop the test
QImage makeSpannerIcon(); // a spanner beside a question mark: settings
QImage makeBookIcon();    // a book with a question mark: help
QImage makeDoorIcon();    // an open door with an arrow: leave the program

// The greyed look of a picture for a disabled button; transparency is kept.
QImage makeDisabledLook(const QImage& normal);

} // namespace kt

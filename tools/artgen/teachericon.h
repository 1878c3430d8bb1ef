// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kt {

// The teacher's program's icon: a green class register with a red mark "5"
// on its label and a red pencil across it. Drawn on a 32 x 32 grid and
// scaled to the given side.
QImage makeTeacherIcon(int side);

} // namespace kt

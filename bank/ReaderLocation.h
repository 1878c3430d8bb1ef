// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// The reader executable `name` for a program living in `programDir`: the one
// in the installed layout (bin/ beside libexec/knowtest/) when it is there,
// otherwise the one next to the program, as in the build tree. An empty
// programDir gives the bare name, to be found through PATH.
QString locateReader(const QString& programDir, const QString& name);

} // namespace kt

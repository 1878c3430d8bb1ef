// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ScoreBarGeometry.h"

class QPainter;

namespace kt {

// Paints a laid-out score bar: the sunken edge, the button-face background,
// the boxes face by face, the labels and the legend with its shadow.
void paintScoreBar(QPainter& painter, const ScoreBarLayout& layout, QSize widgetSize);

} // namespace kt

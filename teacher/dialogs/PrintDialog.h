// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace kt {

// The teacher's program chooses a printer through this dialog only. A test
// sets the next answer: it sets the printer up (a PDF file, for instance)
// and says whether the teacher pressed «Печать».
class PrintDialog {
public:
    using Answer = std::function<bool(QPrinter&)>;

    // True when the printer is chosen and printing may start.
    static bool choose(QPrinter& printer, QWidget* parent);
    static void setNextAnswer(Answer answer);
};

} // namespace kt

#pragma once

#include <QApplication>

namespace kt {

// One application for the whole test run, in the Fusion style so that the
// rendering does not depend on the desktop's theme.
inline void ensureScoreBarTestApp() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_scorebar";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
}

} // namespace kt

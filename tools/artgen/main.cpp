// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's pictures into a folder:  artgen <folder>
// or the menu icons of both programs in the desktop's theme layout
// (<folder>/<side>x<side>/apps/<name>.png):  artgen --icons <folder>
// Every picture is drawn from fixed figures, so a run always gives the same files.
#include "tools/artgen/appicon.h"
#include "tools/artgen/background.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/teachericon.h"
#include "tools/artgen/toolicons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

namespace kt {

namespace {

bool save(const QDir& dir, const QString& name, const QImage& image) {
    QImageWriter writer(dir.filePath(name));
    if (name.endsWith(QLatin1String(".jpg")))
        writer.setQuality(92);
    if (writer.write(image))
        return true;
    QTextStream(stderr) << name << ": " << writer.errorString() << '\n';
    return false;
}

bool writeAll(const QDir& dir) {
    const QImage hand = makeHandIcon();
    const QImage spanner = makeSpannerIcon();
    bool ok = save(dir, "background.jpg", makeWaterBackground(801, 601));
    ok = save(dir, "icon.png", makeAppIcon()) && ok;
    ok = save(dir, "tool_hand.png", hand) && ok;
    ok = save(dir, "tool_spanner.png", spanner) && ok;
    ok = save(dir, "tool_book.png", makeBookIcon()) && ok;
    ok = save(dir, "tool_door.png", makeDoorIcon()) && ok;
    ok = save(dir, "tool_hand_disabled.png", makeDisabledLook(hand)) && ok;
    ok = save(dir, "tool_spanner_disabled.png", makeDisabledLook(spanner)) && ok;
    ok = save(dir, "arrow_left.png", makeArrowGlyph(true)) && ok;
    ok = save(dir, "arrow_right.png", makeArrowGlyph(false)) && ok;
    return save(dir, "ok.png", makeOkGlyph()) && ok;
}

// The sides a desktop's icon theme asks for, from menus to large launchers.
const int kMenuIconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool writeMenuIcons(const QDir& dir) {
    bool ok = true;
    for (const int side : kMenuIconSides) {
        const QString sub = QStringLiteral("%1x%1/apps").arg(side);
        if (!dir.mkpath(sub)) {
            QTextStream(stderr) << "cannot create " << dir.filePath(sub) << '\n';
            return false;
        }
        const QDir apps(dir.filePath(sub));
        ok = save(apps, "knowtest.png", makeAppIcon(side)) && ok;
        ok = save(apps, "knowtest-teacher.png", makeTeacherIcon(side)) && ok;
    }
    return ok;
}

} // namespace

} // namespace kt

int main(int argc, char** argv) {
    // Only raster images are drawn, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool icons = argc == 3 && qstrcmp(argv[1], "--icons") == 0;
    if (argc != 2 && !icons) {
        QTextStream(stderr) << "usage: artgen <folder>\n       artgen --icons <folder>\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[argc - 1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << "cannot create " << dir.path() << '\n';
        return 1;
    }
    if (icons)
        return kt::writeMenuIcons(dir) ? 0 : 1;
    return kt::writeAll(dir) ? 0 : 1;
}

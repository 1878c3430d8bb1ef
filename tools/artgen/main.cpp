// Writes the program's pictures into a folder:  artgen <folder>
// Every picture is drawn from fixed figures, so a run always gives the same files.
#include "appicon.h"
#include "background.h"
#include "glyphs.h"
#include "toolicons.h"

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

} // namespace

} // namespace kt

int main(int argc, char** argv) {
    // Only raster images are drawn, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: artgen <folder>\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << "cannot create " << dir.path() << '\n';
        return 1;
    }
    return kt::writeAll(dir) ? 0 : 1;
}

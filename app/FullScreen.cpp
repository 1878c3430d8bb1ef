// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FullScreen.h"

#include "app/MainWindow.h"
#include "engine/BankSettingsFile.h"
#include "engine/ExamSettings.h"
#include "ui/layout/Look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <cmath>

namespace kt {
namespace {

// The window's client area; the menu bar comes on top of it.
constexpr double kClientWidth = 793.0;
constexpr double kClientHeight = 554.0;

int menuBarHeight() {
    QMenuBar bar;
    bar.setFont(makeFont(FontFamily::MsSansSerif, 8));
    bar.addMenu(QStringLiteral("Файл"));
    return bar.sizeHint().height();
}

} // namespace

bool examAsksFullScreen(const QString& bankPath) {
    const SettingsFileContent file = readBankSettingsFile(bankSettingsPath(bankPath));
    if (!file.exam)
        return false;
    // Only the full screen matters here; the window names every bad value
    // once it stands.
    return resolveExamSettings(*file.exam, nullptr, nullptr).fullscreen;
}

void useFullScreenScale(int& argc, char** argv) {
    double factor = 1.0;
    {
        QApplication probe(argc, argv);
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QSize size = screen->geometry().size();
        factor = std::min(size.width() / kClientWidth,
                          size.height() / (kClientHeight + menuBarHeight()));
    }
    // Rounded down, so the scaled window never overflows the screen.
    factor = std::floor(factor * 100.0) / 100.0;
    if (factor > 0.0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'f', 2));
}

FullScreenBackdrop::FullScreenBackdrop(TForm1& form)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_form(form) {
    setWindowTitle(form.windowTitle());
    setWindowIcon(form.windowIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::kSkyBlue);
    setPalette(pal);
    setAutoFillBackground(true);
    m_form.setParent(this, Qt::Widget);
}

FullScreenBackdrop::~FullScreenBackdrop() {
    m_form.setParent(nullptr);
}

void FullScreenBackdrop::showOnScreen() {
    // Also where no window manager places it. The screen's size in the
    // scaled pixels is rounded down: one more keeps its last row and column
    // covered.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry().adjusted(0, 0, 1, 1));
    m_form.show();
    showFullScreen();
    activateWindow();
}

void FullScreenBackdrop::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize form = m_form.size();
    m_form.move((width() - form.width()) / 2, (height() - form.height()) / 2);
}

void FullScreenBackdrop::closeEvent(QCloseEvent* event) {
    if (m_form.close())
        event->accept();
    else
        event->ignore();
}

} // namespace kt

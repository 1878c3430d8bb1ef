// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageDialogs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace kt {
namespace {

MessageDialogs::Interceptor& interceptor() {
    static MessageDialogs::Interceptor instance;
    return instance;
}

// Centres a box on its screen once it is shown at its final size.
class ScreenCentre : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QWidget*>(watched);
        // The box fixes its size while it is being shown, after this filter
        // has seen the Show event; a later resize centres it again.
        const bool placed = event->type() == QEvent::Show ||
                            (event->type() == QEvent::Resize && box && box->isVisible());
        if (box && placed) {
            QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
            if (screen) {
                QRect frame = box->frameGeometry();
                frame.moveCenter(screen->geometry().center());
                box->move(frame.topLeft());
            }
        }
        return false;
    }
};

std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const QString& text) {
    auto box = std::make_unique<QMessageBox>();
    box->setIcon(icon);
    box->setWindowTitle(programCaption(QCoreApplication::applicationFilePath()));
    box->setText(text);
    box->setTextFormat(Qt::PlainText);
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

} // namespace

QString programCaption(const QString& executablePath) {
    const QString name = QFileInfo(executablePath).completeBaseName();
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

std::unique_ptr<QMessageBox> MessageDialogs::errorBox(const QString& message) {
    return makeBox(QMessageBox::Critical, message);
}

std::unique_ptr<QMessageBox> MessageDialogs::connectionErrorBox(const QString& text) {
    auto box = makeBox(QMessageBox::NoIcon, text);
    box->installEventFilter(new ScreenCentre(box.get()));
    return box;
}

void MessageDialogs::ShowError(const QString& message) {
    run(*errorBox(message));
}

void MessageDialogs::ShowConnectionError(const QString& text) {
    // The box has no owner window (none is shown yet at startup); it
    // stands in the middle of the screen.
    run(*connectionErrorBox(text));
}

void MessageDialogs::setInterceptor(Interceptor next) {
    interceptor() = std::move(next);
}

void MessageDialogs::run(QMessageBox& box) {
    if (interceptor()) {
        interceptor()(box);
        return;
    }
    box.exec();
}

} // namespace kt

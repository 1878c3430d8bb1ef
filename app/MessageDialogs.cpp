#include "MessageDialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace kt {
namespace {

MessageDialogs::Interceptor& interceptor() {
    static MessageDialogs::Interceptor instance;
    return instance;
}

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
    return makeBox(QMessageBox::NoIcon, text);
}

void MessageDialogs::ShowError(const QString& message) {
    run(*errorBox(message));
}

void MessageDialogs::ShowConnectionError(const QString& text) {
    auto box = connectionErrorBox(text);
    // The box has no owner window (none is shown yet at startup), so it is
    // placed in the middle of the screen itself.
    box->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = box->frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        box->move(r.topLeft());
    }
    run(*box);
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

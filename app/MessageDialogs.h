// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Seams.h"

#include <QMessageBox>
#include <functional>
#include <memory>

namespace kt {

// The program's name as the dialogs show it: the executable's file name
// without folder and extension, every letter after the first in lower case.
QString programCaption(const QString& executablePath);

// The two dialogs as real message boxes. Tests set an interceptor that
// receives each box instead of it being shown modally.
class MessageDialogs : public Dialogs {
public:
    using Interceptor = std::function<void(QMessageBox&)>;

    void ShowError(const QString& message) override;
    void ShowConnectionError(const QString& text) override;

    // The boxes as they are shown (caption from the running executable).
    static std::unique_ptr<QMessageBox> errorBox(const QString& message);
    static std::unique_ptr<QMessageBox> connectionErrorBox(const QString& text);

    // While set, boxes go to the interceptor instead of being executed.
    static void setInterceptor(Interceptor interceptor);

private:
    static void run(QMessageBox& box);
};

} // namespace kt

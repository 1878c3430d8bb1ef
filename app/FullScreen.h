// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kt {

class TForm1;

// Whether the [exam] section of the bank's settings asks for the full
// screen. Read before the application exists: the scale must be set then.
bool examAsksFullScreen(const QString& bankPath);

// Makes every element of the program larger by one factor, so that the
// window fills the screen with its layout, fonts and pictures in
// proportion. Reads the screen's size with a short-lived application of its
// own; call before the program's application is made.
void useFullScreenScale(int& argc, char** argv);

// The screen in the window's sky blue, without frame, with the window
// centred on it. Closing it in any way closes the window first, so the
// window's own rules for closing hold.
class FullScreenBackdrop : public QWidget {
    Q_OBJECT
public:
    explicit FullScreenBackdrop(TForm1& form);
    // The window is the caller's: it is handed back, not deleted.
    ~FullScreenBackdrop() override;
    void showOnScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TForm1& m_form;
};

} // namespace kt

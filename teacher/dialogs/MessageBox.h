// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace kt {

// The teacher's program asks and tells through these boxes only. A test
// sets the next answer; the box is then not shown, only remembered, so that
// the test can read what the teacher would have seen.
class MessageBox {
public:
    enum Button { NoButton = 0, Ok = 1, Save = 2, Discard = 4, Cancel = 8, SaveAs = 16 };
    using Buttons = int;
    enum class Icon { Information, Warning, Question };

    // A box as it was asked for.
    struct Shown {
        Icon icon = Icon::Information;
        QString title;
        QString text;
        Buttons buttons = NoButton;
    };

    static Button information(QWidget* parent, const QString& title, const QString& text);
    static Button warning(QWidget* parent, const QString& title, const QString& text,
                          Buttons buttons = Ok, Button defaultButton = Ok);
    static Button question(QWidget* parent, const QString& title, const QString& text,
                           Buttons buttons, Button defaultButton);

    // The answers of the next boxes, in order; each is used once.
    static void setNextAnswer(Button answer);
    // Every box answered that way since the last call, oldest first; the
    // list is emptied.
    static QList<Shown> takeShown();

private:
    static Button ask(QWidget* parent, const Shown& box, Button defaultButton);
};

} // namespace kt

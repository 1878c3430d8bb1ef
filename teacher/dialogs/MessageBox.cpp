// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/dialogs/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <map>
#include <utility>

namespace kt {
namespace {

QList<MessageBox::Button>& nextAnswers() {
    static QList<MessageBox::Button> answers;
    return answers;
}

QList<MessageBox::Shown>& shownBoxes() {
    static QList<MessageBox::Shown> boxes;
    return boxes;
}

QMessageBox::Icon qtIcon(MessageBox::Icon icon) {
    switch (icon) {
    case MessageBox::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
    case MessageBox::Icon::Information:
        break;
    }
    return QMessageBox::Information;
}

// The buttons with their Russian texts: the box does not depend on whether
// Qt's own translations are installed.
QPushButton* addButton(QMessageBox& box, MessageBox::Button button) {
    switch (button) {
    case MessageBox::Ok:
        return box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    case MessageBox::Save:
        return box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    case MessageBox::Discard:
        return box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    case MessageBox::Cancel:
        return box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    case MessageBox::SaveAs:
        return box.addButton(QStringLiteral("Сохранить как…"), QMessageBox::AcceptRole);
    case MessageBox::NoButton:
        break;
    }
    return nullptr;
}

MessageBox::Button execBox(QWidget* parent, const MessageBox::Shown& shown,
                           MessageBox::Button defaultButton) {
    QMessageBox box(qtIcon(shown.icon), shown.title, shown.text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, MessageBox::Button> buttons;
    for (MessageBox::Button b : {MessageBox::Save, MessageBox::SaveAs, MessageBox::Discard,
                                 MessageBox::Ok, MessageBox::Cancel}) {
        if (!(shown.buttons & b))
            continue;
        QPushButton* button = addButton(box, b);
        buttons[button] = b;
        if (b == defaultButton)
            box.setDefaultButton(button);
    }
    box.exec();
    const auto clicked = buttons.find(box.clickedButton());
    if (clicked != buttons.end())
        return clicked->second;
    // Closed by Esc or the window's cross.
    return (shown.buttons & MessageBox::Cancel) ? MessageBox::Cancel : MessageBox::Ok;
}

} // namespace

MessageBox::Button MessageBox::information(QWidget* parent, const QString& title,
                                           const QString& text) {
    return ask(parent, Shown{Icon::Information, title, text, Ok}, Ok);
}

MessageBox::Button MessageBox::warning(QWidget* parent, const QString& title, const QString& text,
                                       Buttons buttons, Button defaultButton) {
    return ask(parent, Shown{Icon::Warning, title, text, buttons}, defaultButton);
}

MessageBox::Button MessageBox::question(QWidget* parent, const QString& title, const QString& text,
                                        Buttons buttons, Button defaultButton) {
    return ask(parent, Shown{Icon::Question, title, text, buttons}, defaultButton);
}

void MessageBox::setNextAnswer(Button answer) {
    nextAnswers().append(answer);
}

QList<MessageBox::Shown> MessageBox::takeShown() {
    return std::exchange(shownBoxes(), {});
}

MessageBox::Button MessageBox::ask(QWidget* parent, const Shown& box, Button defaultButton) {
    if (nextAnswers().isEmpty())
        return execBox(parent, box, defaultButton);
    shownBoxes().append(box);
    return nextAnswers().takeFirst();
}

} // namespace kt

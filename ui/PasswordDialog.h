// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kt {

// The small dialog that asks for the teacher's password before a locked
// command: one hidden-text box, OK and «Отмена». It only asks; whether the
// password is right is the caller's to decide.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* passwordBox() const { return m_box; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QLineEdit* m_box;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace kt

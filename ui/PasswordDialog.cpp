// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PasswordDialog.h"

#include "ui/TextLabel.h"
#include "ui/layout/Look.h"

#include <QLineEdit>
#include <QPushButton>

namespace kt {

PasswordDialog::PasswordDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Пароль учителя"));
    setFixedSize(265, 129);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::kSkyBlue);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* prompt = new TextLabel(QStringLiteral("Пароль учителя"), look::kRed,
                                 makeFont(FontFamily::MsSansSerif, 14, true), this);
    prompt->move(48, 16);
    m_box = new QLineEdit(this);
    m_box->setObjectName(QStringLiteral("passwordBox"));
    m_box->setFont(makeFont(FontFamily::MsSansSerif, 12, true));
    m_box->setEchoMode(QLineEdit::Password);
    m_box->setGeometry(8, 48, 249, m_box->sizeHint().height());

    m_ok = new QPushButton(QIcon(QStringLiteral(":/images/ok.png")), QStringLiteral("OK"), this);
    m_ok->setIconSize(QSize(16, 16));
    m_ok->setGeometry(48, 92, 75, 25);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Отмена"), this);
    m_cancel->setGeometry(142, 92, 75, 25);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_box->setFocus();
}

QString PasswordDialog::password() const {
    return m_box->text();
}

} // namespace kt

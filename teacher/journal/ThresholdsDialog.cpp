// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ThresholdsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kt {

ThresholdsDialog::ThresholdsDialog(const MarkThresholds& t, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("thresholdsDialog"));
    setWindowTitle(QStringLiteral("Оценки"));
    auto* form = new QFormLayout;
    m_five = addSpin(QStringLiteral("fiveSpin"), t.five);
    m_four = addSpin(QStringLiteral("fourSpin"), t.four);
    m_three = addSpin(QStringLiteral("threeSpin"), t.three);
    form->addRow(QStringLiteral("«5» - от"), m_five);
    form->addRow(QStringLiteral("«4» - от"), m_four);
    form->addRow(QStringLiteral("«3» - от"), m_three);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("thresholdsProblem"));
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::RestoreDefaults);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setText(QStringLiteral("По умолчанию"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { setThresholds(MarkThresholds()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Процент верных ответов, с которого ставится "
                                                "оценка; ниже порога «3» - оценка «2».")));
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    check();
}

QSpinBox* ThresholdsDialog::addSpin(const QString& name, int value) {
    auto* spin = new QSpinBox(this);
    spin->setObjectName(name);
    spin->setRange(0, 100);
    spin->setSuffix(QStringLiteral(" %"));
    spin->setValue(value);
    connect(spin, &QSpinBox::valueChanged, this, &ThresholdsDialog::check);
    return spin;
}

void ThresholdsDialog::setThresholds(const MarkThresholds& t) {
    m_five->setValue(t.five);
    m_four->setValue(t.four);
    m_three->setValue(t.three);
}

MarkThresholds ThresholdsDialog::thresholds() const {
    return {m_five->value(), m_four->value(), m_three->value()};
}

void ThresholdsDialog::check() {
    const QString problem = thresholdsProblem(thresholds());
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_ok->setEnabled(problem.isEmpty());
}

} // namespace kt

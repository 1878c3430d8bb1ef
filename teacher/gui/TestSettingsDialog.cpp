// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/TestSettingsDialog.h"

#include "teacher/dialogs/MessageBox.h"
#include "teacher/gui/ClassSettingsGroup.h"
#include "teacher/gui/ExamSettingsGroup.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kt {
namespace {

int upperOf(const SettingsKey& key, int bankSize) {
    return key.upper > 0 ? key.upper : std::max(1, bankSize);
}

// A control named after its key ("countBox"), in the key's range; the last
// record given as 0 shows as that record's number.
QSpinBox* makeBox(int TestSettings::*member, const TestSettings& s, int bankSize, QWidget* parent) {
    const SettingsKey& key = testSettingsKey(member);
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(key.name) + QStringLiteral("Box"));
    const int upper = upperOf(key, bankSize);
    box->setRange(key.lower, std::max(key.lower, upper));
    box->setValue(member == &TestSettings::to && s.to <= 0 ? upper : s.*member);
    return box;
}

QString rangeText(int TestSettings::*member) {
    const SettingsKey& key = testSettingsKey(member);
    return QStringLiteral("(%1–%2)").arg(key.lower).arg(key.upper);
}

} // namespace

TestSettingsDialog::TestSettingsDialog(const TestSettings& s, int bankSize, QWidget* parent)
    : QDialog(parent), m_bankSize(bankSize) {
    setWindowTitle(QStringLiteral("Параметры теста"));
    m_count = makeBox(&TestSettings::count, s, bankSize, this);
    m_minutes = makeBox(&TestSettings::minutes, s, bankSize, this);
    m_from = makeBox(&TestSettings::from, s, bankSize, this);
    m_to = makeBox(&TestSettings::to, s, bankSize, this);
    m_minutes->setSuffix(QStringLiteral(" мин"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Число вопросов в тесте %1:").arg(rangeText(&TestSettings::count)),
                 m_count);
    form->addRow(QStringLiteral("Время на один вопрос %1:").arg(rangeText(&TestSettings::minutes)),
                 m_minutes);
    form->addRow(QStringLiteral("Вопросы из записей с номера:"), m_from);
    form->addRow(QStringLiteral("по номер (всего записей %1):").arg(bankSize), m_to);

    auto* explain = new QLabel(
        QStringLiteral("Вопросы теста выбираются случайно из записей диапазона. Как и на экране "
                       "настройки программы ученика, диапазон должен быть шире числа вопросов: "
                       "последний номер — не меньше первого + число вопросов + %1. Эти значения "
                       "программа ученика берёт при запуске из файла рядом с базой; на экране "
                       "настройки их можно изменить до конца работы программы.")
            .arg(kRangeMargin),
        this);
    explain->setWordWrap(true);
    m_problems = new QLabel(this);
    m_problems->setObjectName(QStringLiteral("settingsProblems"));
    m_problems->setWordWrap(true);
    m_problems->setStyleSheet(QStringLiteral("color: #b00000"));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(explain);
    layout->addWidget(buildGroups());
    layout->addWidget(m_problems);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QSpinBox* box : {m_count, m_minutes, m_from, m_to})
        connect(box, &QSpinBox::valueChanged, this, &TestSettingsDialog::check);
    setMinimumWidth(480);
    check();
}

// Side by side in tabs, so that the dialog fits a screen 768 pixels high.
QWidget* TestSettingsDialog::buildGroups() {
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("settingsGroups"));
    m_exam = new ExamSettingsGroup(tabs);
    m_class = new ClassSettingsGroup(tabs);
    tabs->addTab(m_exam, QStringLiteral("Экзамен"));
    tabs->addTab(m_class, QStringLiteral("Тест для класса"));
    connect(m_exam, &ExamSettingsGroup::changed, this, &TestSettingsDialog::check);
    connect(m_class, &ClassSettingsGroup::changed, this, &TestSettingsDialog::check);
    return tabs;
}

TestSettings TestSettingsDialog::settings() const {
    return TestSettings{m_count->value(), m_minutes->value(), m_from->value(), m_to->value()};
}

void TestSettingsDialog::setExamEntries(const std::optional<SettingsEntries>& entries) {
    m_exam->setEntries(entries);
    check();
}

std::optional<SettingsEntries> TestSettingsDialog::examEntries() const {
    return m_exam->entries();
}

void TestSettingsDialog::setClassEntries(const QString& bankFolder,
                                         const std::optional<SettingsEntries>& entries) {
    m_class->setBankFolder(bankFolder);
    m_class->setEntries(entries);
    check();
}

std::optional<SettingsEntries> TestSettingsDialog::classEntries() const {
    return m_class->entries();
}

void TestSettingsDialog::writeTo(const QString& iniPath) const {
    writeBankSettingsFile(iniPath, settings(), examEntries(), classEntries());
}

void TestSettingsDialog::accept() {
    const QStringList missing = m_class->missing();
    if (!missing.isEmpty() &&
        MessageBox::question(
            this, windowTitle(),
            missing.join(QStringLiteral("\n\n")) + QStringLiteral("\n\nСохранить параметры так?"),
            MessageBox::Save | MessageBox::Cancel, MessageBox::Save) != MessageBox::Save)
        return;
    QDialog::accept();
}

void TestSettingsDialog::check() {
    QStringList problems = testSettingsProblems(settings(), m_bankSize);
    for (const QString& group : {m_exam->problem(), m_class->problem()})
        if (!group.isEmpty())
            problems << group;
    QStringList lines;
    for (const QString& p : problems)
        lines << p.left(1).toUpper() + p.mid(1) + QLatin1Char('.');
    m_problems->setText(lines.join(QLatin1Char('\n')));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(problems.isEmpty());
}

} // namespace kt

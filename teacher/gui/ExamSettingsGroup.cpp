// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/ExamSettingsGroup.h"

#include "password/PasswordHash.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace kt {
namespace {

bool hashReadable(const QString& stored) {
    PasswordHash hash;
    return PasswordHash::parse(stored, &hash);
}

QLineEdit* passwordBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

} // namespace

ExamSettingsGroup::ExamSettingsGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Экзамен"), parent) {
    setObjectName(QStringLiteral("examGroup"));
    setCheckable(true);
    setChecked(false);
    buildPassword();
    buildRules();
    connect(this, &QGroupBox::toggled, this, &ExamSettingsGroup::changed);
}

void ExamSettingsGroup::buildPassword() {
    m_passwordState = new QLabel(this);
    m_passwordState->setWordWrap(true);
    m_password = passwordBox(QStringLiteral("examPassword"), this);
    m_repeat = passwordBox(QStringLiteral("examPasswordRepeat"), this);
    m_noPassword = new QCheckBox(QStringLiteral("Без пароля: ничего не запирать"), this);
    m_noPassword->setObjectName(QStringLiteral("examNoPassword"));
    for (QLineEdit* box : {m_password, m_repeat})
        connect(box, &QLineEdit::textChanged, this, &ExamSettingsGroup::changed);
    connect(m_noPassword, &QCheckBox::toggled, this, [this](bool on) {
        m_password->setEnabled(!on);
        m_repeat->setEnabled(!on);
        emit changed();
    });
    showPasswordState();
}

void ExamSettingsGroup::buildRules() {
    m_shuffle = new QCheckBox(QStringLiteral("Варианты ответа в случайном порядке"), this);
    m_attempts = new QSpinBox(this);
    m_attempts->setRange(0, 99);
    m_attempts->setSpecialValueText(QStringLiteral("без ограничения"));
    m_fullscreen = new QCheckBox(QStringLiteral("Во весь экран, без рамки окна"), this);
    m_countChosen = new QCheckBox(
        QStringLiteral("Когда время вышло, засчитать выбранный, но не подтверждённый ответ"), this);
    m_review = new QComboBox(this);
    m_review->addItems({QStringLiteral("нет"), QStringLiteral("список неверных вопросов"),
                        QStringLiteral("список с ответом ученика и верным ответом")});
    m_showMark = new QCheckBox(QStringLiteral("Показать оценку; от процента:"), this);
    auto* marks = new QHBoxLayout;
    marks->addWidget(m_showMark);
    const int defaults[3] = {85, 70, 50};
    for (int i = 0; i < 3; ++i) {
        m_marks[i] = new QSpinBox(this);
        m_marks[i]->setRange(0, 100);
        m_marks[i]->setValue(defaults[i]);
        m_marks[i]->setPrefix(QStringLiteral("«%1» ").arg(5 - i));
        marks->addWidget(m_marks[i]);
        connect(m_marks[i], &QSpinBox::valueChanged, this, &ExamSettingsGroup::changed);
    }

    auto* form = new QFormLayout(this);
    form->addRow(m_passwordState);
    form->addRow(QStringLiteral("Новый пароль учителя:"), m_password);
    form->addRow(QStringLiteral("Ещё раз:"), m_repeat);
    form->addRow(m_noPassword);
    form->addRow(m_shuffle);
    form->addRow(QStringLiteral("Попыток на одно имя:"), m_attempts);
    form->addRow(m_fullscreen);
    form->addRow(m_countChosen);
    form->addRow(QStringLiteral("Разбор после результата:"), m_review);
    form->addRow(marks);
}

void ExamSettingsGroup::showPasswordState() {
    if (m_loaded.passwordUnreadable)
        m_passwordState->setText(QStringLiteral("Пароль в файле не читается: программа ученика "
                                                "заперта наглухо. Задайте новый пароль."));
    else if (!m_loaded.passwordHash.isEmpty())
        m_passwordState->setText(
            QStringLiteral("Пароль задан. Оставьте поля пустыми, чтобы сохранить его."));
    else
        m_passwordState->setText(QStringLiteral("Пароль не задан: программа ученика не спросит "
                                                "его ни перед настройкой, ни перед выходом."));
}

void ExamSettingsGroup::setEntries(const std::optional<SettingsEntries>& entries) {
    setChecked(entries.has_value());
    m_loaded = entries ? resolveExamSettings(*entries, hashReadable, nullptr) : ExamSettings();
    m_shuffle->setChecked(m_loaded.shuffleAnswers);
    m_attempts->setValue(m_loaded.attempts);
    m_fullscreen->setChecked(m_loaded.fullscreen);
    m_countChosen->setChecked(m_loaded.countChosenAtTimeout);
    m_review->setCurrentIndex(static_cast<int>(m_loaded.review));
    m_showMark->setChecked(m_loaded.showMark);
    for (int i = 0; i < 3; ++i)
        m_marks[i]->setValue(m_loaded.marks[static_cast<size_t>(i)]);
    showPasswordState();
}

QString ExamSettingsGroup::problem() const {
    if (!isChecked())
        return QString();
    if (!m_noPassword->isChecked() && m_password->text() != m_repeat->text())
        return QStringLiteral("Пароли в двух полях не совпадают");
    if (m_showMark->isChecked() &&
        !(m_marks[0]->value() > m_marks[1]->value() && m_marks[1]->value() > m_marks[2]->value()))
        return QStringLiteral("Проценты оценок должны убывать: «5» выше «4», «4» выше «3»");
    return QString();
}

std::optional<SettingsEntries> ExamSettingsGroup::entries() const {
    if (!isChecked())
        return std::nullopt;
    ExamSettings s;
    if (!m_noPassword->isChecked())
        s.passwordHash = m_password->text().isEmpty() ? m_loaded.passwordHash
                                                      : makePasswordHash(m_password->text());
    s.shuffleAnswers = m_shuffle->isChecked();
    s.attempts = m_attempts->value();
    s.fullscreen = m_fullscreen->isChecked();
    s.countChosenAtTimeout = m_countChosen->isChecked();
    s.review = static_cast<ExamReview>(m_review->currentIndex());
    s.showMark = m_showMark->isChecked();
    for (int i = 0; i < 3; ++i)
        s.marks[static_cast<size_t>(i)] = m_marks[i]->value();
    return examEntries(s);
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/ClassSettingsGroup.h"

#include "engine/ClassSettings.h"
#include "teacher/dialogs/FileDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kt {
namespace {

void addIfSet(SettingsEntries& entries, ClassKey key, const QString& value) {
    if (!value.trimmed().isEmpty())
        entries.append({classSettingsKey(key), value.trimmed()});
}

} // namespace

ClassSettingsGroup::ClassSettingsGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Тест для всего класса"), parent) {
    setObjectName(QStringLiteral("classGroup"));
    setCheckable(true);
    setChecked(false);
    QWidget* folderRow = nullptr;
    QWidget* listRow = nullptr;
    m_folder =
        pathRow(QStringLiteral("classFolder"), &ClassSettingsGroup::chooseFolder, &folderRow);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("classTitle"));
    m_title->setPlaceholderText(QStringLiteral("например, Биология, 9Б, контрольная №3"));
    m_list = pathRow(QStringLiteral("classList"), &ClassSettingsGroup::chooseList, &listRow);
    m_listOnly = new QCheckBox(QStringLiteral("Только ученики из списка"), this);
    m_listOnly->setObjectName(QStringLiteral("classListOnly"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Папка класса:"), folderRow);
    form->addRow(QStringLiteral("Название теста:"), m_title);
    form->addRow(QStringLiteral("Список класса:"), listRow);
    form->addRow(m_listOnly);
    connect(this, &QGroupBox::toggled, this, &ClassSettingsGroup::changed);
    for (QLineEdit* box : {m_folder, m_title, m_list})
        connect(box, &QLineEdit::textChanged, this, &ClassSettingsGroup::changed);
    connect(m_listOnly, &QCheckBox::toggled, this, &ClassSettingsGroup::changed);
}

// A line edit named `name` with a «Выбрать…» button named `name` + "Choose".
QLineEdit* ClassSettingsGroup::pathRow(const QString& name, void (ClassSettingsGroup::*choose)(),
                                       QWidget** row) {
    *row = new QWidget(this);
    auto* edit = new QLineEdit(*row);
    edit->setObjectName(name);
    auto* button = new QPushButton(QStringLiteral("Выбрать…"), *row);
    button->setObjectName(name + QStringLiteral("Choose"));
    auto* layout = new QHBoxLayout(*row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, choose);
    return edit;
}

void ClassSettingsGroup::setBankFolder(const QString& folder) {
    m_bankFolder = folder;
}

void ClassSettingsGroup::setEntries(const std::optional<SettingsEntries>& entries) {
    setChecked(entries.has_value());
    const SettingsEntries keys = entries.value_or(SettingsEntries());
    m_folder->setText(classSettingValue(keys, ClassKey::Folder));
    m_title->setText(classSettingValue(keys, ClassKey::Title));
    m_list->setText(classSettingValue(keys, ClassKey::List));
    m_listOnly->setChecked(classSettingYes(classSettingValue(keys, ClassKey::ListOnly)));
}

std::optional<SettingsEntries> ClassSettingsGroup::entries() const {
    if (!isChecked())
        return std::nullopt;
    SettingsEntries out;
    addIfSet(out, ClassKey::Folder, m_folder->text());
    addIfSet(out, ClassKey::Title, m_title->text());
    addIfSet(out, ClassKey::List, m_list->text());
    if (m_listOnly->isChecked())
        out.append({classSettingsKey(ClassKey::ListOnly), QStringLiteral("yes")});
    return out;
}

QString ClassSettingsGroup::problem() const {
    if (isChecked() && m_listOnly->isChecked() && m_list->text().trimmed().isEmpty())
        return QStringLiteral("«Только ученики из списка» требует списка класса: выберите его "
                              "файл или снимите отметку");
    return QString();
}

QStringList ClassSettingsGroup::missing() const {
    QStringList out;
    if (!isChecked())
        return out;
    const QString folder = m_folder->text().trimmed();
    if (!folder.isEmpty() && !QFileInfo(absolute(folder)).isDir())
        out << QStringLiteral("Папки класса «%1» на этом компьютере нет. Если это общая папка, "
                              "подключённая только на компьютерах учеников, так и должно быть; "
                              "иначе проверьте путь: без папки программа ученика не начнёт тест.")
                   .arg(QDir::toNativeSeparators(absolute(folder)));
    const QString list = m_list->text().trimmed();
    if (!list.isEmpty() && !QFileInfo(absolute(list)).isFile())
        out << QStringLiteral("Файла списка класса «%1» нет. Программа ученика скажет об этом "
                              "при запуске и примет любое имя.")
                   .arg(QDir::toNativeSeparators(absolute(list)));
    return out;
}

void ClassSettingsGroup::chooseFolder() {
    keepChosen(m_folder,
               FileDialog::existingFolder(this, QStringLiteral("Папка класса"), startOf(m_folder)));
}

void ClassSettingsGroup::chooseList() {
    keepChosen(m_list,
               FileDialog::openFileName(this, QStringLiteral("Список класса"), startOf(m_list),
                                        QStringLiteral("Списки класса (*.txt);;Все файлы (*)")));
}

// Where a chooser opens: at the path the box names, else in the bank's folder.
QString ClassSettingsGroup::startOf(const QLineEdit* box) const {
    const QString text = box->text().trimmed();
    return text.isEmpty() ? m_bankFolder : absolute(text);
}

void ClassSettingsGroup::keepChosen(QLineEdit* box, const QString& chosen) {
    if (!chosen.isEmpty()) // empty: «Отмена»
        box->setText(storedPath(chosen));
}

// As the student's program reads it: against the bank's folder.
QString ClassSettingsGroup::absolute(const QString& stored) const {
    return QDir::cleanPath(QDir(m_bankFolder).absoluteFilePath(QDir::fromNativeSeparators(stored)));
}

QString ClassSettingsGroup::storedPath(const QString& chosen) const {
    const QString whole = QDir::cleanPath(QDir(m_bankFolder).absoluteFilePath(chosen));
    const QString relative = QDir(m_bankFolder).relativeFilePath(whole);
    const bool outside = relative == QStringLiteral("..") ||
                         relative.startsWith(QStringLiteral("../")) ||
                         QDir::isAbsolutePath(relative);
    return outside ? QDir::toNativeSeparators(whole) : QDir::toNativeSeparators(relative);
}

} // namespace kt

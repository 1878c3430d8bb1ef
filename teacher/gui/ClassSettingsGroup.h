// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/BankSettingsFile.h"

#include <QGroupBox>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace kt {

// The group «Тест для всего класса» of «Параметры теста»: whether the settings
// file has a [class] section, and its class folder, title and class list.
// Paths are shown as the file keeps them; a path picked inside the bank's
// folder is kept relative to it, so that the bank and its settings may move
// together, and any other path whole.
class ClassSettingsGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit ClassSettingsGroup(QWidget* parent = nullptr);

    // The folder relative paths start from; empty: the current folder.
    void setBankFolder(const QString& folder);
    // The file's section (none: the group starts switched off).
    void setEntries(const std::optional<SettingsEntries>& entries);
    // The keys to write, empty ones left out; none when switched off.
    std::optional<SettingsEntries> entries() const;
    // Why the group cannot be written as it stands; empty when it can.
    QString problem() const;
    // What the named folder and list lack on this computer, one Russian
    // sentence each. The class folder is often a share mounted only on the
    // students' computers, so this is asked about, not refused.
    QStringList missing() const;

signals:
    void changed();

private:
    QLineEdit* pathRow(const QString& name, void (ClassSettingsGroup::*choose)(), QWidget** row);
    void chooseFolder();
    void chooseList();
    QString startOf(const QLineEdit* box) const;
    void keepChosen(QLineEdit* box, const QString& chosen);
    QString absolute(const QString& stored) const;
    QString storedPath(const QString& chosen) const;

    QString m_bankFolder;
    QLineEdit* m_folder;
    QLineEdit* m_title;
    QLineEdit* m_list;
    QCheckBox* m_listOnly;
};

} // namespace kt

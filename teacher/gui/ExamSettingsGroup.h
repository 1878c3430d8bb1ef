// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ExamSettings.h"

#include <QGroupBox>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kt {

// The group «Экзамен» of «Параметры теста»: whether the settings file has an
// [exam] section, and what it locks. The teacher's password is typed twice
// and kept only as its salted hash; left empty, the hash already in the
// file stays.
class ExamSettingsGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit ExamSettingsGroup(QWidget* parent = nullptr);

    // The file's section (none: the group starts switched off).
    void setEntries(const std::optional<SettingsEntries>& entries);
    // The section to write; none when the group is switched off. Makes a new
    // hash when a new password was typed.
    std::optional<SettingsEntries> entries() const;
    // Why the group cannot be written as it stands (the two passwords
    // differ); empty when it can.
    QString problem() const;

signals:
    void changed();

private:
    void buildPassword();
    void buildRules();
    void showPasswordState();

    ExamSettings m_loaded;
    QLabel* m_passwordState;
    QLineEdit* m_password;
    QLineEdit* m_repeat;
    QCheckBox* m_noPassword;
    QCheckBox* m_shuffle;
    QSpinBox* m_attempts;
    QCheckBox* m_fullscreen;
    QCheckBox* m_countChosen;
    QComboBox* m_review;
    QCheckBox* m_showMark;
    QSpinBox* m_marks[3];
};

} // namespace kt

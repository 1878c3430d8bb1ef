// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/BankSettingsFile.h"
#include "engine/ExamSettings.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace kt {

class ClassSettingsGroup;
class ExamSettingsGroup;

// "Параметры теста": the question count, minutes per question and record
// range that knowtest takes at startup from the file beside the bank, with
// its exam rules and the class test. The limits are those of the student
// program's settings screen; the dialog names them and accepts only settings
// that keep them.
class TestSettingsDialog : public QDialog {
    Q_OBJECT
public:
    TestSettingsDialog(const TestSettings& initial, int bankSize, QWidget* parent = nullptr);

    TestSettings settings() const;
    // The [exam] section: as the file has it, and as it is to be written.
    void setExamEntries(const std::optional<SettingsEntries>& entries);
    std::optional<SettingsEntries> examEntries() const;
    // The [class] section likewise; its paths are read and picked against
    // the bank's folder.
    void setClassEntries(const QString& bankFolder, const std::optional<SettingsEntries>& entries);
    std::optional<SettingsEntries> classEntries() const;
    // Everything the dialog holds into the settings file in one write;
    // throws KtError with a Russian message.
    void writeTo(const QString& iniPath) const;

    // Asks before closing when the class folder or list is not found here.
    void accept() override;

private:
    QWidget* buildGroups();
    void check();

    int m_bankSize;
    QSpinBox* m_count;
    QSpinBox* m_minutes;
    QSpinBox* m_from;
    QSpinBox* m_to;
    ExamSettingsGroup* m_exam;
    ClassSettingsGroup* m_class;
    QLabel* m_problems;
    QDialogButtonBox* m_buttons;
};

} // namespace kt

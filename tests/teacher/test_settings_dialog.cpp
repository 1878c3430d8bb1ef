// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's «Параметры теста» against the settings file: what the teacher
// sets is what knowtest reads, and the dialog offers no value the file's
// reader would refuse.
#include "engine/BankSettingsFile.h"
#include "teacher/gui/TestSettingsDialog.h"
#include "tests/support/Widgets.h"

#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kt {
namespace {

constexpr int kBankSize = 200;

QSpinBox* boxOf(const TestSettingsDialog& dialog, const SettingsKey& key) {
    return test::findNamed<QSpinBox>(dialog, QLatin1String(key.name) + QStringLiteral("Box"));
}

TEST(TestSettingsDialogFile, TheValuesSetInTheDialogAreTheValuesTheReaderReadsBack) {
    TestSettingsDialog dialog(TestSettings(), kBankSize);
    // Each different from its default and from the others, so that a value
    // written under another key shows.
    const TestSettings chosen{12, 3, 7, 150};
    for (const SettingsKey& key : testSettingsKeys())
        boxOf(dialog, key)->setValue(chosen.*key.value);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DB1.ini"));
    writeBankSettingsFile(path, dialog.settings());
    const SettingsFileContent read = readBankSettingsFile(path);
    ASSERT_TRUE(read.problems.isEmpty()) << read.problems.join(u'\n').toStdString();
    for (const SettingsKey& key : testSettingsKeys()) {
        ASSERT_TRUE((read.*key.read).has_value()) << key.name;
        EXPECT_EQ(*(read.*key.read), chosen.*key.value) << key.name;
    }

    QStringList problems;
    const TestSettingsDialog again(resolveTestSettings(read, kBankSize, &problems), kBankSize);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    for (const SettingsKey& key : testSettingsKeys())
        EXPECT_EQ(boxOf(again, key)->value(), chosen.*key.value) << key.name;
}

TEST(TestSettingsDialogFile, EveryControlKeepsItsKeysRangeAndTheEndsAreAccepted) {
    const TestSettingsDialog dialog(TestSettings(), kBankSize);
    for (const SettingsKey& key : testSettingsKeys()) {
        const QSpinBox* box = boxOf(dialog, key);
        EXPECT_EQ(box->minimum(), key.lower) << key.name;
        EXPECT_EQ(box->maximum(), key.upper > 0 ? key.upper : kBankSize) << key.name;
    }
    // The ends of the count's and the minutes' controls are values the
    // reader takes without a word, and one step beyond either it refuses.
    for (int TestSettings::*member : {&TestSettings::count, &TestSettings::minutes}) {
        const QSpinBox* box = boxOf(dialog, testSettingsKey(member));
        for (int value : {box->minimum() - 1, box->minimum(), box->maximum(), box->maximum() + 1}) {
            TestSettings s{1, 1, 1, kBankSize};
            s.*member = value;
            EXPECT_EQ(testSettingsProblems(s, kBankSize).isEmpty(),
                      value >= box->minimum() && value <= box->maximum())
                << box->objectName().toStdString() << " " << value;
        }
    }
}

TEST(TestSettingsDialogFile, ANewDialogShowsTheBuiltInTestOverTheWholeBank) {
    const TestSettingsDialog dialog(TestSettings(), kBankSize);
    EXPECT_EQ(boxOf(dialog, testSettingsKey(&TestSettings::count))->value(), kDefaultQuestionCount);
    EXPECT_EQ(boxOf(dialog, testSettingsKey(&TestSettings::minutes))->value(),
              kDefaultMinutesPerQuestion);
    EXPECT_EQ(boxOf(dialog, testSettingsKey(&TestSettings::from))->value(), 1);
    EXPECT_EQ(boxOf(dialog, testSettingsKey(&TestSettings::to))->value(), kBankSize);
    EXPECT_EQ(dialog.settings().to, kBankSize);
}

} // namespace
} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
// The group «Экзамен» of «Параметры теста»: what it reads from the settings
// file's [exam] section and what it writes back.
#include "password/PasswordHash.h"
#include "teacher/gui/ExamSettingsGroup.h"
#include "tests/support/Widgets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace kt;

namespace {

QString valueOf(const SettingsEntries& entries, const QString& key) {
    for (const auto& [k, v] : entries)
        if (k == key)
            return v;
    return QString();
}

} // namespace

TEST(ExamGroup, KeepsTheSectionAndItsHashUntilANewPasswordIsTyped) {
    ExamSettingsGroup group;
    EXPECT_FALSE(group.entries().has_value()); // no section: none written
    const QString hash = makePasswordHash(QStringLiteral("старый"));
    const SettingsEntries file{{"password", hash},   {"shuffle_answers", "yes"},
                               {"attempts", "2"},    {"review", "answers"},
                               {"show_mark", "yes"}, {"marks", "90,75,55"}};
    group.setEntries(file);
    ASSERT_TRUE(group.entries().has_value());
    EXPECT_EQ(*group.entries(), file); // read and written back unchanged

    auto* password = test::findNamed<QLineEdit>(group, QStringLiteral("examPassword"));
    auto* repeat = test::findNamed<QLineEdit>(group, QStringLiteral("examPasswordRepeat"));
    password->setText(QStringLiteral("новый"));
    EXPECT_FALSE(group.problem().isEmpty()); // typed once only
    repeat->setText(QStringLiteral("новый"));
    EXPECT_TRUE(group.problem().isEmpty());
    const QString made = valueOf(*group.entries(), QStringLiteral("password"));
    EXPECT_TRUE(passwordMatches(made, QStringLiteral("новый")));
    EXPECT_FALSE(made.contains(QStringLiteral("новый")));

    test::findNamed<QCheckBox>(group, QStringLiteral("examNoPassword"))->setChecked(true);
    EXPECT_TRUE(valueOf(*group.entries(), QStringLiteral("password")).isEmpty());
    group.setChecked(false);
    EXPECT_FALSE(group.entries().has_value());
}

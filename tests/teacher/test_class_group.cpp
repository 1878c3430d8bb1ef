// SPDX-License-Identifier: GPL-3.0-or-later
// The group for a class test in «Параметры теста»: what the teacher picks
// there is what the student's program reads from the [class] section.
#include "engine/ClassSettings.h"
#include "teacher/dialogs/FileDialog.h"
#include "teacher/dialogs/MessageBox.h"
#include "teacher/gui/TestSettingsDialog.h"
#include "tests/support/Widgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;

namespace {

struct ClassGroupFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("banks/9Б")));
        QFile list(bankFolder + QStringLiteral("/список.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("Ким Лёша\nЛи Мин\n");
        dialog.setClassEntries(bankFolder, std::nullopt);
        FileDialog::takeCaptions(); // those of the tests before
    }
    template <typename T> T* named(const char* name) {
        return test::findNamed<T>(dialog, QString::fromLatin1(name));
    }
    // «OK» pressed; whether the dialog closed.
    bool pressOk() {
        dialog.setResult(0);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return dialog.result() == QDialog::Accepted;
    }

    QTemporaryDir dir;
    const QString bankFolder = dir.filePath(QStringLiteral("banks"));
    const QString bankPath = bankFolder + QStringLiteral("/DB1.MDB");
    const QString iniPath = bankFolder + QStringLiteral("/DB1.ini");
    TestSettingsDialog dialog{TestSettings(), 200};
};

TEST_F(ClassGroupFixture, PathsPickedBesideTheBankAreKeptRelativeAndReadBackWhole) {
    auto* group = named<QGroupBox>("classGroup");
    EXPECT_FALSE(group->isChecked());
    group->setChecked(true);
    FileDialog::setNextFolder(bankFolder + QStringLiteral("/9Б"));
    named<QPushButton>("classFolderChoose")->click();
    FileDialog::setNextFileName(bankFolder + QStringLiteral("/список.txt"));
    named<QPushButton>("classListChoose")->click();
    EXPECT_EQ(named<QLineEdit>("classFolder")->text(), QStringLiteral("9Б"));
    EXPECT_EQ(named<QLineEdit>("classList")->text(), QStringLiteral("список.txt"));
    named<QLineEdit>("classTitle")->setText(QStringLiteral("Биология, 9Б, контрольная №3"));
    named<QCheckBox>("classListOnly")->setChecked(true);
    EXPECT_EQ(FileDialog::takeCaptions(),
              (QStringList{QStringLiteral("Папка класса"), QStringLiteral("Список класса")}));

    ASSERT_TRUE(pressOk());
    EXPECT_TRUE(MessageBox::takeShown().isEmpty()); // both found: nothing to ask
    dialog.writeTo(iniPath);
    const ClassSettings read = readClassSettings(iniPath, bankPath);
    EXPECT_TRUE(read.present);
    EXPECT_EQ(read.folder, bankFolder + QStringLiteral("/9Б"));
    EXPECT_EQ(read.title, QStringLiteral("Биология, 9Б, контрольная №3"));
    EXPECT_EQ(read.names, (QStringList{QStringLiteral("Ким Лёша"), QStringLiteral("Ли Мин")}));
    EXPECT_TRUE(read.listOnly);
    EXPECT_TRUE(read.problems.isEmpty()) << read.problems.join(u'\n').toStdString();

    // Opened again, the dialog shows the file's values; switched off, the
    // section is gone and the student's program works as without it.
    TestSettingsDialog again(TestSettings(), 200);
    again.setClassEntries(bankFolder, readBankSettingsFile(iniPath).classroom);
    EXPECT_EQ(again.classEntries(), dialog.classEntries());
    test::findNamed<QGroupBox>(again, QStringLiteral("classGroup"))->setChecked(false);
    again.writeTo(iniPath);
    EXPECT_FALSE(readClassSettings(iniPath, bankPath).present);
}

TEST_F(ClassGroupFixture, AFolderNotFoundHereIsAskedAboutAndAListOnlyWithoutAListRefused) {
    named<QGroupBox>("classGroup")->setChecked(true);
    const QString share = dir.filePath(QStringLiteral("share"));
    ASSERT_TRUE(QDir().mkpath(share + QStringLiteral("/9Б")));
    FileDialog::setNextFolder(share + QStringLiteral("/9Б"));
    named<QPushButton>("classFolderChoose")->click();
    EXPECT_EQ(named<QLineEdit>("classFolder")->text(), share + QStringLiteral("/9Б"));

    named<QCheckBox>("classListOnly")->setChecked(true);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(named<QLabel>("settingsProblems")->text().contains("Только ученики из списка"));
    named<QCheckBox>("classListOnly")->setChecked(false);
    EXPECT_TRUE(ok->isEnabled());

    // The share, not mounted on the teacher's computer: «Отмена» stays in
    // the dialog, «Сохранить» closes it.
    const QString unmounted = dir.filePath(QStringLiteral("mnt/9Б"));
    named<QLineEdit>("classFolder")->setText(unmounted);
    MessageBox::setNextAnswer(MessageBox::Cancel);
    EXPECT_FALSE(pressOk());
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.contains(unmounted)) << shown[0].text.toStdString();
    MessageBox::setNextAnswer(MessageBox::Save);
    EXPECT_TRUE(pressOk());
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
    dialog.writeTo(iniPath);
    EXPECT_EQ(readClassSettings(iniPath, bankPath).folder, unmounted);
}

} // namespace

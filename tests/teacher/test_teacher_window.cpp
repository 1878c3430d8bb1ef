// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/BankFile.h"
#include "teacher/gui/QuestionsPart.h"
#include "teacher/gui/TeacherWindow.h"
#include "teacher/gui/TestSettingsDialog.h"
#include "tests/support/Widgets.h"
#include "ui/AnswerLabel.h"
#include "ui/BevelText.h"
#include "ui/QuestionScreen.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace kt;

namespace {

void trigger(TeacherWindow& w, const char* name) {
    QAction* a = w.questions()->action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
}

// A fresh window with no remembered files or geometry; its question table
// is held to the item model contract through every edit a test makes.
struct WindowFixture : ::testing::Test {
    WindowFixture() {
        QApplication::setOrganizationName(QStringLiteral("knowtest-test"));
        QApplication::setApplicationName(dir.path());
        window.start(QString());
    }
    QTemporaryDir dir;
    TeacherWindow window;
    QAbstractItemModelTester tester{
        test::findNamed<QTableView>(window, QStringLiteral("questionTable"))->model(),
        QAbstractItemModelTester::FailureReportingMode::Fatal};
};

} // namespace

TEST_F(WindowFixture, EditsGoThroughTheFormIntoTheTableAndBackWithUndo) {
    EXPECT_EQ(window.parts()->tabText(0), QStringLiteral("Вопросы"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Knowtest — учителю — новая база[*]"));
    auto* question = test::findNamed<QLineEdit>(window, QStringLiteral("questionEdit"));
    QTest::keyClicks(question, QStringLiteral("2+2 = ?"));
    test::findNamed<QRadioButton>(window, QStringLiteral("rightAnswer4"))->click();
    BankDocument& doc = window.questions()->document();
    ASSERT_EQ(doc.size(), 1);
    EXPECT_EQ(doc.record(0).text[FieldQuestion], QStringLiteral("2+2 = ?"));
    EXPECT_EQ(doc.record(0).text[FieldRightAnswer], QStringLiteral("4"));
    EXPECT_TRUE(window.isWindowModified());
    auto* table = test::findNamed<QTableView>(window, QStringLiteral("questionTable"));
    EXPECT_EQ(table->model()->index(0, 2).data().toString(), QStringLiteral("D"));

    trigger(window, "actionUndo"); // the right answer
    trigger(window, "actionUndo"); // the typing, as one step
    EXPECT_EQ(question->text(), QString());
    trigger(window, "actionRedo");
    EXPECT_EQ(question->text(), QStringLiteral("2+2 = ?"));

    trigger(window, "actionDuplicate");
    trigger(window, "actionMoveUp");
    ASSERT_EQ(doc.size(), 2);
    EXPECT_EQ(doc.record(0).text[FieldCounter], QStringLiteral("2"));
    EXPECT_EQ(window.questions()->currentRow(), 0);
    trigger(window, "actionDelete");
    EXPECT_EQ(doc.size(), 1);
}

TEST_F(WindowFixture, TheProblemListLeadsToTheRecordAndThePreviewShowsTheStudentsView) {
    BankDocument& doc = window.questions()->document();
    trigger(window, "actionAdd");
    ASSERT_EQ(doc.size(), 2);
    doc.setField(1, FieldQuestion, QStringLiteral("Что такое Ω?"));
    doc.setField(1, FieldAnswer1 + 1, QStringLiteral("Омега Ω"));
    auto* problems = test::findNamed<QAbstractItemView>(window, QStringLiteral("problemList"));
    int omega = -1;
    for (int i = 0; i < problems->model()->rowCount(); ++i)
        if (problems->model()->index(i, 0).data().toString().contains(QStringLiteral("Ответ2")))
            omega = i;
    ASSERT_GE(omega, 0);
    window.questions()->selectRow(0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QModelIndex item = problems->model()->index(omega, 0);
    problems->scrollTo(item);
    QTest::mouseClick(problems->viewport(), Qt::LeftButton, {},
                      problems->visualRect(item).center());
    EXPECT_EQ(window.questions()->currentRow(), 1);
    EXPECT_EQ(QApplication::focusWidget(),
              test::findNamed<QLineEdit>(window, QStringLiteral("answerEdit2")));

    auto* screen = test::findNamed<QuestionScreen>(window, QStringLiteral("previewScreen"));
    EXPECT_EQ(screen->size(), QSize(777, 321)); // the student's screen at its real size
    EXPECT_EQ(screen->question()->rawText(), QStringLiteral("Что такое ??"));
    EXPECT_EQ(screen->answer(2)->rawText(), QStringLiteral("Омега ?"));
}

TEST_F(WindowFixture, SavingNamesTheFileAndTheSettingsDialogKeepsTheLimits) {
    const QString path = dir.filePath(QStringLiteral("new.mdb"));
    ASSERT_TRUE(window.questions()->saveBankTo(path));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Knowtest — учителю — new.mdb[*]"));
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(loadBankFile(path).records.size(), 1u);

    TestSettingsDialog dialog(TestSettings{10, 1, 1, 20}, 20);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_TRUE(ok->isEnabled());
    test::findNamed<QSpinBox>(dialog, QStringLiteral("fromBox"))->setValue(6); // 20 < 6 + 10 + 5
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(
        test::findNamed<QLabel>(dialog, QStringLiteral("settingsProblems"))->text().isEmpty());
    test::findNamed<QSpinBox>(dialog, QStringLiteral("countBox"))->setValue(9);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.settings().count, 9);
    EXPECT_EQ(test::findNamed<QSpinBox>(dialog, QStringLiteral("countBox"))->maximum(), 60);
}

TEST_F(WindowFixture, KeysInATextBoxEditItAndUndoTheBanksHistory) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    BankDocument& doc = window.questions()->document();
    auto* question = test::findNamed<QLineEdit>(window, QStringLiteral("questionEdit"));
    question->setFocus();
    QTest::keyClicks(question, QStringLiteral("abc"));
    QTest::keyClick(question, Qt::Key_Left);
    QTest::keyClick(question, Qt::Key_Delete); // a character, not the record
    EXPECT_EQ(doc.size(), 1);
    EXPECT_EQ(doc.record(0).text[FieldQuestion], QStringLiteral("ab"));
    QTest::keyClick(question, Qt::Key_Z, Qt::ControlModifier); // the bank's undo
    EXPECT_EQ(doc.record(0).text[FieldQuestion], QString());
    EXPECT_EQ(question->text(), QString());
    QTest::keyClick(question, Qt::Key_Insert); // a new question after this one
    EXPECT_EQ(doc.size(), 2);
    EXPECT_EQ(window.questions()->currentRow(), 1);
}

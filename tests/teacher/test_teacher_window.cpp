// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/BankFile.h"
#include "teacher/gui/QuestionsPart.h"
#include "teacher/gui/TeacherWindow.h"
#include "teacher/gui/TestSettingsDialog.h"
#include "teacher/journal/JournalPage.h"
#include "tests/support/Banks.h"
#include "tests/support/Reports.h"
#include "tests/support/Widgets.h"
#include "ui/AnswerLabel.h"
#include "ui/BevelText.h"
#include "ui/QuestionScreen.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
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

// A fresh window with no remembered files or geometry and the first
// question of a new bank added; its question table is held to the item
// model contract through every edit a test makes.
struct WindowFixture : ::testing::Test {
    WindowFixture() {
        QApplication::setOrganizationName(QStringLiteral("knowtest-test"));
        QApplication::setApplicationName(dir.path());
        window.start(QString());
        trigger(window, "actionAdd");
    }
    // Named in full: the default name follows the application's name, which
    // the fixture sets to a folder's path.
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/teacher-window-XXXXXX")};
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

// Undo and redo bring the record they change into the table's view and the
// form, however far from it the teacher has scrolled.
TEST_F(WindowFixture, UndoAndRedoShowTheRecordTheyChange) {
    BankDocument& doc = window.questions()->document();
    doc.reset(test::makeBank(200), QString());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* table = test::findNamed<QTableView>(window, QStringLiteral("questionTable"));
    auto* question = test::findNamed<QLineEdit>(window, QStringLiteral("questionEdit"));
    QuestionsPart& part = *window.questions();
    const auto shows = [&](int row, const QString& text) {
        const QRect cell = table->visualRect(table->model()->index(row, 1));
        EXPECT_EQ(part.currentRow(), row);
        EXPECT_TRUE(table->viewport()->rect().contains(cell.center())) << row;
        EXPECT_EQ(question->text(), text);
        part.selectRow(0); // away again for the next step
    };
    part.selectRow(150);
    QTest::keyClicks(question, QStringLiteral("!"));
    part.selectRow(0);
    ASSERT_FALSE(table->viewport()->rect().contains(
        table->visualRect(table->model()->index(150, 1)).center()));
    trigger(window, "actionUndo");
    shows(150, QStringLiteral("Вопрос 151"));
    trigger(window, "actionRedo");
    shows(150, QStringLiteral("Вопрос 151!"));

    part.selectRow(120);
    trigger(window, "actionAdd"); // a new record at 121
    part.selectRow(0);
    trigger(window, "actionUndo"); // back to the record it was added after
    shows(120, QStringLiteral("Вопрос 121"));
    trigger(window, "actionRedo");
    shows(121, QString());

    part.selectRow(180); // "Вопрос 180", after the new record
    trigger(window, "actionDelete");
    trigger(window, "actionUndo");
    shows(180, QStringLiteral("Вопрос 180"));
    trigger(window, "actionRedo"); // the next record takes its place
    shows(180, QStringLiteral("Вопрос 181"));
}

// The status bar tells the figures of the tab in view, and follows a switch.
TEST_F(WindowFixture, TheStatusBarShowsTheFiguresOfTheShownTab) {
    auto* figures = test::findNamed<QLabel>(window, QStringLiteral("partFigures"));
    EXPECT_TRUE(figures->text().startsWith(QStringLiteral("Записей: 1; проблем: ")))
        << figures->text().toStdString();
    auto* journal = window.findChild<JournalPage*>();
    ASSERT_NE(journal, nullptr);
    const QString reports = dir.filePath(QStringLiteral("TestData.dat"));
    test::writeFile(reports, test::reportBytes({{QStringLiteral("Петров")},
                                                {QStringLiteral("Иванов")},
                                                {QStringLiteral("Иванова")}}));
    QSignalSpy loaded(journal, &JournalPage::loaded);
    journal->openFiles({reports});
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_TRUE(figures->text().startsWith(QStringLiteral("Записей: 1;"))); // not the journal's

    window.parts()->setCurrentWidget(journal);
    EXPECT_EQ(figures->text(), QStringLiteral("Показано тестов: 3 из 3; файлов отчета: 1"));
    test::typeText(test::findNamed<QLineEdit>(*journal, QStringLiteral("nameFilter")),
                   QStringLiteral("иванов"));
    EXPECT_EQ(figures->text(), QStringLiteral("Показано тестов: 2 из 3; файлов отчета: 1"));
    trigger(window, "actionAdd"); // from the menu, while the journal is shown
    EXPECT_EQ(figures->text(), QStringLiteral("Показано тестов: 2 из 3; файлов отчета: 1"));

    window.parts()->setCurrentWidget(window.questions());
    EXPECT_TRUE(figures->text().startsWith(QStringLiteral("Записей: 2; проблем: ")))
        << figures->text().toStdString();
    const QString bank = dir.filePath(QStringLiteral("two.mdb"));
    ASSERT_TRUE(window.questions()->saveBankTo(bank));
    ASSERT_TRUE(window.questions()->openBankFile(bank));
    EXPECT_EQ(window.statusBar()->currentMessage(), QString()); // no "Чтение…" left behind
}

// At the window's first size no column title is cut, in the questions
// table with a row selected (its titles then turn bold) and in the journal,
// empty and loaded; the headers here have a font of their own, larger than
// the cells', as a platform may give them.
TEST(TeacherWindowColumns, TitlesFitTheirSections) {
    QApplication::setOrganizationName(QStringLiteral("knowtest-test"));
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/teacher-columns-XXXXXX")};
    QApplication::setApplicationName(dir.path());
    const QFont cells = QApplication::font();
    QFont titles = cells;
    titles.setPointSizeF(cells.pointSizeF() * 1.5);
    QApplication::setFont(titles, "QHeaderView");
    TeacherWindow window;
    window.start(QString());
    trigger(window, "actionAdd");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto fits = [](QTableView* table, const char* what) {
        const QHeaderView* header = table->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c))
                << what << ": "
                << header->model()->headerData(c, Qt::Horizontal).toString().toStdString();
    };
    fits(test::findNamed<QTableView>(window, QStringLiteral("questionTable")), "questions");
    auto* journal = window.findChild<JournalPage*>();
    ASSERT_NE(journal, nullptr);
    window.parts()->setCurrentWidget(journal);
    auto* results = test::findNamed<QTableView>(*journal, QStringLiteral("journalTable"));
    fits(results, "empty journal");
    const QString reports = dir.filePath(QStringLiteral("TestData.dat"));
    test::writeFile(reports, test::reportBytes({{QStringLiteral("Ли")}}));
    QSignalSpy loaded(journal, &JournalPage::loaded);
    journal->openFiles({reports});
    ASSERT_TRUE(loaded.wait(10000));
    fits(results, "journal");
    QApplication::setFont(cells, "QHeaderView");
}

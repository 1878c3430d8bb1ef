// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's file commands as a teacher meets them: every box and file
// dialog is answered through the dialogs' seam, in the test's own process.
#include "bank/BankPath.h"
#include "bank/Cp1251.h"
#include "bank/jet/JetWriter.h"
#include "engine/BankSettingsFile.h"
#include "teacher/core/BankFile.h"
#include "teacher/dialogs/FileDialog.h"
#include "teacher/dialogs/MessageBox.h"
#include "teacher/gui/QuestionsPart.h"
#include "teacher/gui/TeacherWindow.h"
#include "tests/support/ScratchMount.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using kt::test::ScratchMount;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString oneLine(const QList<MessageBox::Shown>& boxes) {
    QStringList lines;
    for (const MessageBox::Shown& b : boxes)
        lines << b.title + QStringLiteral(": ") + b.text;
    return lines.join(u'\n');
}

// A window with no remembered files and a new bank of one question; every
// box it shows must have been answered and looked at by the test.
struct FilesFixture : ::testing::Test {
    FilesFixture() {
        QApplication::setOrganizationName(QStringLiteral("knowtest-test"));
        QApplication::setApplicationName(QFileInfo(dir.path()).fileName());
        FileDialog::takeCaptions();
        window.start(QString());
        trigger("actionAdd");
        doc().setField(0, FieldQuestion, QStringLiteral("Столица Франции?"));
        doc().setField(0, FieldAnswer1, QStringLiteral("Париж"));
        doc().setField(0, FieldRightAnswer, QStringLiteral("1"));
    }
    ~FilesFixture() override {
        EXPECT_EQ(MessageBox::takeShown().size(), 0) << "boxes the test did not look at";
    }
    BankDocument& doc() { return window.questions()->document(); }
    void trigger(const char* name) {
        QAction* a = window.questions()->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Named in full: the default name follows the application's name, which
    // the fixture sets to this folder's name.
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/teacher-files-XXXXXX")};
    TeacherWindow window;
};

} // namespace

TEST_F(FilesFixture, SaveAsksForANameAddsTheExtensionAndSaveAgainDoesNotAsk) {
    FileDialog::setNextFileName(path("география"));
    trigger("actionSave");
    EXPECT_EQ(FileDialog::takeCaptions(), QStringList{QStringLiteral("Сохранить базу вопросов")});
    const QString saved = path("география.mdb");
    EXPECT_EQ(doc().path(), saved);
    EXPECT_FALSE(doc().isModified());
    ASSERT_EQ(loadBankFile(saved).records.size(), 1u);

    doc().setField(0, FieldAnswer1 + 1, QStringLiteral("Лион"));
    trigger("actionSave"); // the bank has its file now: no dialog
    EXPECT_TRUE(FileDialog::takeCaptions().isEmpty());
    EXPECT_EQ(loadBankFile(saved).records[0]->text[FieldAnswer1 + 1], QStringLiteral("Лион"));
    EXPECT_EQ(loadBankFile(backupPathOf(saved)).records[0]->text[FieldAnswer1 + 1], QString());

    FileDialog::setNextFileName(QString()); // the teacher cancels Save As
    trigger("actionSaveAs");
    EXPECT_EQ(FileDialog::takeCaptions().size(), 1);
    EXPECT_EQ(doc().path(), saved);
}

TEST_F(FilesFixture, UnsavedChangesAreKeptOnCancelAndSavedOnSave) {
    MessageBox::setNextAnswer(MessageBox::Cancel);
    trigger("actionNew");
    QList<MessageBox::Shown> boxes = MessageBox::takeShown();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].buttons, MessageBox::Save | MessageBox::Discard | MessageBox::Cancel);
    EXPECT_EQ(doc().record(0).text[FieldQuestion], QStringLiteral("Столица Франции?"));

    MessageBox::setNextAnswer(MessageBox::Save);
    FileDialog::setNextFileName(path("b.mdb"));
    trigger("actionNew");
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
    EXPECT_EQ(FileDialog::takeCaptions().size(), 1);
    ASSERT_EQ(loadBankFile(path("b.mdb")).records.size(), 1u);
    EXPECT_EQ(doc().size(), 0); // the new bank
}

// A file holding more than the editor writes is never overwritten.
TEST_F(FilesFixture, ARefusedSaveOffersSaveAsAndLeavesTheFile) {
    const QString access = path("access.mdb");
    std::vector<JetColumn> columns = standardBankColumns();
    columns.push_back(JetColumn{QStringLiteral("Картинка"), JetType::Text, 100});
    JetRow row(columns.size());
    row[FieldQuestion] = QStringLiteral("в");
    row[FieldRightAnswer] = QStringLiteral("1");
    row[FieldMark] = QStringLiteral("0");
    writeJetDatabase(access, bankTableName(), columns, {row});
    const QByteArray before = contents(access);
    ASSERT_TRUE(window.questions()->openBankFile(access));
    doc().setField(0, FieldQuestion, QStringLiteral("изменён"));

    MessageBox::setNextAnswer(MessageBox::Cancel);
    EXPECT_FALSE(window.questions()->saveBank());
    QList<MessageBox::Shown> boxes = MessageBox::takeShown();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("«Картинка»")))
        << oneLine(boxes).toStdString();
    EXPECT_EQ(boxes[0].buttons, MessageBox::SaveAs | MessageBox::Cancel);
    EXPECT_TRUE(doc().isModified());

    MessageBox::setNextAnswer(MessageBox::SaveAs);
    FileDialog::setNextFileName(path("copy.mdb"));
    EXPECT_TRUE(window.questions()->saveBank());
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
    EXPECT_TRUE(contents(access) == before) << "the file with the pictures was overwritten";
    EXPECT_EQ(loadBankFile(path("copy.mdb")).records[0]->text[FieldQuestion],
              QStringLiteral("изменён"));
    EXPECT_EQ(doc().path(), path("copy.mdb"));
}

// A bank in a folder the teacher may not write: the reason, and a way out.
TEST_F(FilesFixture, AFailedSaveNamesTheReasonAndSaveAsSavesElsewhere) {
    ScratchMount disk(512);
    KT_REQUIRE_MOUNT(disk);
    const QString bank = disk.filePath(QStringLiteral("DB1.MDB"));
    ASSERT_TRUE(window.questions()->saveBankTo(bank));
    ASSERT_TRUE(disk.RemountReadOnly());
    doc().setField(0, FieldAnswer1 + 1, QStringLiteral("Лион"));

    MessageBox::setNextAnswer(MessageBox::SaveAs);
    FileDialog::setNextFileName(path("мой.mdb"));
    EXPECT_TRUE(window.questions()->saveBank());
    const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("только для чтения")))
        << oneLine(boxes).toStdString();
    EXPECT_FALSE(boxes[0].text.contains(QStringLiteral("Неизвестная")));
    EXPECT_EQ(boxes[0].buttons, MessageBox::SaveAs | MessageBox::Cancel);
    EXPECT_EQ(loadBankFile(path("мой.mdb")).records[0]->text[FieldAnswer1 + 1],
              QStringLiteral("Лион"));
    EXPECT_EQ(doc().path(), path("мой.mdb"));
    EXPECT_FALSE(doc().isModified());
}

TEST_F(FilesFixture, SaveAsTakesTheTestSettingsAlongWithEverySection) {
    ASSERT_TRUE(window.questions()->saveBankTo(path("a.mdb")));
    const QByteArray settings = "[test]\ncount=5\nminutes=1\n\n[class]\nfolder=/srv/класс\n";
    writeBytes(bankSettingsPath(path("a.mdb")), settings);

    FileDialog::setNextFileName(path("b.mdb"));
    trigger("actionSaveAs");
    EXPECT_EQ(FileDialog::takeCaptions().size(), 1);
    EXPECT_TRUE(contents(bankSettingsPath(path("b.mdb"))) == settings)
        << contents(bankSettingsPath(path("b.mdb"))).toStdString();
    EXPECT_EQ(readBankSettingsFile(bankSettingsPath(path("b.mdb"))).count, 5);
}

TEST_F(FilesFixture, ImportListsTheFilesProblemsAndAddsNothing) {
    const QString csv = path("questions.csv");
    writeBytes(csv, QStringLiteral("Вопросы;Ответ1;Ответ2;Ответ3;Ответ4;Ответ5;ВернОтв;Предмет\n"
                                   "Два плюс два?;1;2;3;4;5;7;Математика\n")
                        .toUtf8());
    FileDialog::setNextFileName(csv);
    MessageBox::setNextAnswer(MessageBox::Ok);
    trigger("actionImport");
    const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].icon, MessageBox::Icon::Warning);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Строка 2"))) << oneLine(boxes).toStdString();
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("«7»"))) << oneLine(boxes).toStdString();
    EXPECT_EQ(doc().size(), 1);

    FileDialog::setNextFileName(path("нет такого.csv"));
    MessageBox::setNextAnswer(MessageBox::Ok);
    trigger("actionImport");
    const QList<MessageBox::Shown> missing = MessageBox::takeShown();
    ASSERT_EQ(missing.size(), 1);
    EXPECT_TRUE(missing[0].text.contains(QStringLiteral("нет такого.csv")));
    EXPECT_EQ(doc().size(), 1);
}

TEST_F(FilesFixture, ImportWithSkippedColumnsAddsTheRowsAndSaysWhatWasSkipped) {
    const QString csv = path("questions.csv");
    writeBytes(csv, QStringLiteral("Вопросы;Ответ1;Ответ2;Ответ3;Ответ4;Ответ5;ВернОтв;Предмет;"
                                   "Источник\nДва плюс два?;1;2;3;4;5;4;Математика;учебник\n")
                        .toUtf8());
    FileDialog::setNextFileName(csv);
    MessageBox::setNextAnswer(MessageBox::Ok);
    trigger("actionImport");
    const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].icon, MessageBox::Icon::Information);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Источник"))) << oneLine(boxes).toStdString();
    ASSERT_EQ(doc().size(), 2);
    EXPECT_EQ(doc().record(1).text[FieldQuestion], QStringLiteral("Два плюс два?"));
}

// A new bank holds nothing: nothing to undo, nothing to edit, and the first
// imported question is counter 1.
TEST_F(FilesFixture, ANewBankIsEmptyAndAnImportIntoItCountsFromOne) {
    MessageBox::setNextAnswer(MessageBox::Discard);
    trigger("actionNew");
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
    EXPECT_EQ(doc().size(), 0);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(window.questions()->action(QStringLiteral("actionUndo"))->isEnabled());
    for (const char* name : {"actionDelete", "actionDuplicate", "actionMoveUp", "actionMoveDown"})
        EXPECT_FALSE(window.questions()->action(QString::fromLatin1(name))->isEnabled()) << name;
    auto* form = window.findChild<QWidget*>(QStringLiteral("questionForm"));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isEnabled());

    const QString csv = path("two.csv");
    writeBytes(csv, QStringLiteral("Вопросы;Ответ1;Ответ2;Ответ3;Ответ4;Ответ5;ВернОтв;Предмет\n"
                                   "Два плюс два?;1;2;3;4;5;4;Математика\n"
                                   "Три плюс три?;6;2;3;4;5;1;Математика\n")
                        .toUtf8());
    FileDialog::setNextFileName(csv);
    trigger("actionImport");
    ASSERT_EQ(doc().size(), 2);
    EXPECT_EQ(doc().record(0).text[FieldQuestion], QStringLiteral("Два плюс два?"));
    EXPECT_EQ(doc().record(0).text[FieldCounter], QStringLiteral("1"));
    EXPECT_EQ(doc().record(1).text[FieldCounter], QStringLiteral("2"));
    EXPECT_TRUE(form->isEnabled());
    EXPECT_TRUE(window.isWindowModified());

    trigger("actionUndo"); // the import, as one step: the bank is empty again
    EXPECT_EQ(doc().size(), 0);
    EXPECT_FALSE(form->isEnabled());
    EXPECT_FALSE(window.questions()->action(QStringLiteral("actionUndo"))->isEnabled());
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(FilesFixture, ExportWritesTheTableOrSaysWhyNot) {
    FileDialog::setNextFileName(path("out.csv"));
    trigger("actionExport");
    // The spreadsheet's form: Windows-1251 for texts that fit it, semicolons.
    EXPECT_TRUE(decodeCp1251(contents(path("out.csv"))).contains(QStringLiteral("Париж;")));
    FileDialog::setNextFileName(path("без расширения"));
    trigger("actionExport");
    EXPECT_TRUE(QFileInfo::exists(path("без расширения.csv")));

    FileDialog::setNextFileName(path("нет папки/out.csv"));
    MessageBox::setNextAnswer(MessageBox::Ok);
    trigger("actionExport");
    const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("папка, в которой должен лежать файл, "
                                                      "не найдена")))
        << oneLine(boxes).toStdString();
}

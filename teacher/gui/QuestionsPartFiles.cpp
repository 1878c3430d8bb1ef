// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of the questions part: new, open, save, import, export
// and the test settings kept beside the bank.
#include "teacher/gui/QuestionsPart.h"

#include "teacher/gui/OpenProgress.h"
#include "teacher/gui/QuestionForm.h"

#include "bank/KtError.h"
#include "engine/BankSettingsFile.h"
#include "engine/SavedTestFile.h"
#include "report/ReportReasons.h"
#include "report/WholeFileWrite.h"
#include "teacher/core/BankFile.h"
#include "teacher/core/QuestionsCsv.h"
#include "teacher/dialogs/FileDialog.h"
#include "teacher/dialogs/MessageBox.h"
#include "teacher/gui/TestSettingsDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kt {
namespace {

const QString kBankFilter = QStringLiteral("Базы вопросов (*.mdb *.MDB);;Все файлы (*)");
const QString kCsvFilter = QStringLiteral("Таблицы CSV (*.csv *.CSV);;Все файлы (*)");
const QString kTableFilter =
    QStringLiteral("Таблицы (*.xlsx *.ods *.csv *.txt *.XLSX *.ODS *.CSV *.TXT);;Все файлы (*)");

// A wait cursor while a file is read or written.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString bulleted(const QStringList& lines) {
    QString out;
    for (const QString& l : lines)
        out += QStringLiteral("\n• ") + l;
    return out;
}

// The system's own text of a failed write is English: the reason is found
// again by trying the folder.
QString writeReason(const QString& path, const QByteArray& bytes) {
    const QString reason = writeFailureReason(path, bytes.size());
    return reason.isEmpty() ? QStringLiteral("файл не записан до конца") : reason;
}

} // namespace

QString QuestionsPart::dialogFolder() const {
    return m_doc.path().isEmpty() ? QDir::homePath() : QFileInfo(m_doc.path()).absolutePath();
}

bool QuestionsPart::maybeDiscard() {
    if (!m_doc.isModified())
        return true;
    const auto answer = MessageBox::question(
        this, QStringLiteral("Несохранённые изменения"),
        QStringLiteral("В базе есть несохранённые изменения. Сохранить их?"),
        MessageBox::Save | MessageBox::Discard | MessageBox::Cancel, MessageBox::Save);
    if (answer == MessageBox::Save)
        return saveBank();
    return answer == MessageBox::Discard;
}

void QuestionsPart::newBank() {
    if (!maybeDiscard())
        return;
    // No blank record to start with: it would take counter 1 from what the
    // teacher adds or imports, and an untouched bank would have a step to
    // undo. The empty bank shows an empty, disabled form.
    m_doc.reset({}, QString());
}

void QuestionsPart::openBank() {
    if (!maybeDiscard())
        return;
    const QString path = FileDialog::openFileName(this, QStringLiteral("Открыть базу вопросов"),
                                                  dialogFolder(), kBankFilter);
    if (!path.isEmpty())
        openBankFile(path);
}

// The bank being edited is replaced only once the new one is read whole:
// a read that fails or is cancelled leaves it as it was. The records are
// checked while they are read, so the window is ready when the read ends.
bool QuestionsPart::openBankFile(const QString& path) {
    CheckedBankRead read;
    QStringList extras;
    const QString name = QFileInfo(path).fileName();
    try {
        BusyCursor busy;
        emit statusMessage(QStringLiteral("Чтение «%1»…").arg(name));
        OpenProgress progress(window(), name, m_openProgressDelayMs);
        extras = readBankFile(path, read, &progress);
        read.finish();
    } catch (const ReadCancelled&) {
        emit statusMessage(QStringLiteral("Открытие «%1» отменено").arg(name));
        return false;
    } catch (const KtError& e) {
        MessageBox::warning(this, QStringLiteral("Открытие базы"), e.message());
        return false;
    }
    m_opening = &read;
    m_doc.resetRecords(read.takeRecords(), QFileInfo(path).absoluteFilePath(), extras);
    m_opening = nullptr;
    emit fileUsed(m_doc.path());
    if (!m_doc.extras().isEmpty())
        emit statusMessage(QStringLiteral("В файле есть то, что редактор не сохраняет: %1")
                               .arg(m_doc.extras().join(QStringLiteral(", "))));
    return true;
}

bool QuestionsPart::saveBank() {
    if (m_doc.path().isEmpty())
        return saveBankAs();
    return saveBankTo(m_doc.path());
}

bool QuestionsPart::saveBankAs() {
    QString path = FileDialog::saveFileName(this, QStringLiteral("Сохранить базу вопросов"),
                                            dialogFolder(), kBankFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".mdb");
    return saveBankTo(path);
}

// A file that holds more than the writer writes is never overwritten: the
// teacher learns what would be lost and may save elsewhere.
bool QuestionsPart::saveBankTo(const QString& path) {
    const QString target = QFileInfo(path).absoluteFilePath();
    const QStringList lost = lossesIfSavedTo(target, m_doc.path(), m_doc.extras());
    if (!lost.isEmpty()) {
        const auto answer = MessageBox::warning(
            this, QStringLiteral("Сохранение базы"),
            QStringLiteral("Файл «%1» хранит то, что редактор не записывает, и при "
                           "сохранении это было бы потеряно:%2\n\nСохраните базу в "
                           "другой файл.")
                .arg(QDir::toNativeSeparators(target), bulleted(lost)),
            MessageBox::SaveAs | MessageBox::Cancel, MessageBox::SaveAs);
        return answer == MessageBox::SaveAs && saveBankAs();
    }
    try {
        BusyCursor busy;
        saveBankFile(target, m_doc.records());
    } catch (const KtError& e) {
        // The bank is still only in the editor: another place must be offered.
        const auto answer = MessageBox::warning(
            this, QStringLiteral("Сохранение базы"),
            QStringLiteral("База не сохранена. %1.\n\nФайл «%2» остался прежним. Чтобы не "
                           "потерять изменения, сохраните базу в другое место.")
                .arg(e.message(), QDir::toNativeSeparators(target)),
            MessageBox::SaveAs | MessageBox::Cancel, MessageBox::SaveAs);
        return answer == MessageBox::SaveAs && saveBankAs();
    }
    const QString previous = m_doc.path();
    m_doc.markSaved(target);
    emit fileUsed(target);
    emit statusMessage(QStringLiteral("Сохранено: %1").arg(QDir::toNativeSeparators(target)));
    if (!previous.isEmpty() && previous != target)
        takeSettingsAlong(previous, target);
    return true;
}

// The test settings belong to the questions: a bank saved under a new name
// keeps them, with every section the file holds.
void QuestionsPart::takeSettingsAlong(const QString& fromBank, const QString& toBank) {
    const QString from = bankSettingsPath(fromBank);
    const QString to = bankSettingsPath(toBank);
    if (!QFileInfo::exists(from))
        return;
    const QString reason = copyWholeFile(from, to);
    if (!reason.isEmpty())
        MessageBox::warning(this, QStringLiteral("Параметры теста"),
                            QStringLiteral("База сохранена, но параметры теста не перенесены "
                                           "в «%1»: %2.")
                                .arg(QDir::toNativeSeparators(to), reason));
}

void QuestionsPart::importTable() {
    const QString path = FileDialog::openFileName(this, QStringLiteral("Импорт из таблицы"),
                                                  dialogFolder(), kTableFilter);
    if (path.isEmpty())
        return;
    try {
        const ImportedQuestions imported = readQuestionsFile(path);
        m_doc.appendRecords(imported.records, QStringLiteral("импорт из таблицы"));
        emit statusMessage(
            QStringLiteral("Добавлено вопросов из таблицы: %1").arg(imported.records.size()));
        if (!imported.warnings.isEmpty())
            MessageBox::information(this, QStringLiteral("Импорт"), imported.warnings.join(u'\n'));
    } catch (const KtError& e) {
        MessageBox::warning(this, QStringLiteral("Импорт"), e.message());
    }
}

void QuestionsPart::exportTable() {
    QString path = FileDialog::saveFileName(this, QStringLiteral("Экспорт в таблицу"),
                                            dialogFolder(), kCsvFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv"); // the spreadsheet opens it by its extension
    QSaveFile file(path);
    const QByteArray bytes = writeQuestionsCsv(m_doc.records());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        MessageBox::warning(this, QStringLiteral("Экспорт"),
                            QStringLiteral("Не удалось записать «%1»: %2.")
                                .arg(QDir::toNativeSeparators(path), writeReason(path, bytes)));
    else
        emit statusMessage(
            QStringLiteral("Экспортировано: %1").arg(QDir::toNativeSeparators(path)));
}

void QuestionsPart::editTestSettings() {
    if (m_doc.path().isEmpty()) {
        MessageBox::information(this, QStringLiteral("Параметры теста"),
                                QStringLiteral("Параметры хранятся в файле рядом с базой. "
                                               "Сначала сохраните базу."));
        return;
    }
    const QString iniPath = bankSettingsPath(m_doc.path());
    const SettingsFileContent file = readBankSettingsFile(iniPath);
    TestSettings initial;
    initial.count = file.count.value_or(initial.count);
    initial.minutes = file.minutes.value_or(initial.minutes);
    initial.from = file.from.value_or(initial.from);
    initial.to = file.to.value_or(m_doc.size());
    TestSettingsDialog dialog(initial, m_doc.size(), this);
    dialog.setExamEntries(file.exam);
    dialog.setClassEntries(QFileInfo(m_doc.path()).absolutePath(), file.classroom);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        dialog.writeTo(iniPath);
        m_check.setSavedTest(savedTestBeside(m_doc.path()));
        emit statusMessage(
            QStringLiteral("Параметры теста записаны в «%1»").arg(QFileInfo(iniPath).fileName()));
    } catch (const KtError& e) {
        MessageBox::warning(this, QStringLiteral("Параметры теста"), e.message());
    }
}

} // namespace kt

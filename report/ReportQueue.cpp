// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportQueue.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "report/ReportWriter.h"
#include "report/SmallFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kt {
namespace {

QString fullPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString resultsText(int count) {
    return count == 1 ? QStringLiteral("Результат теста не потерян")
                      : QStringLiteral("Результаты тестов (%1) не потеряны").arg(count);
}

} // namespace

QString defaultFallbackReportPath() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("knowtest/TestData-unsaved.dat"));
}

ReportQueue::ReportQueue(QString path, QString fallbackPath, const ReportFileOptions& options)
    : m_path(std::move(path)), m_fallbackPath(std::move(fallbackPath)), m_options(options) {
    if (m_fallbackPath.isEmpty())
        m_fallbackPath = defaultFallbackReportPath();
}

// A fallback file far larger than this is not one the program wrote.
constexpr qint64 kMaxUnsavedBytes = qint64(64) << 20;

void ReportQueue::TakeUnsaved() {
    if (m_unsavedTaken)
        return;
    m_unsavedTaken = true;
    const SmallFile file = readSmallFile(m_fallbackPath, kMaxUnsavedBytes);
    // One the program cannot read is left alone, neither replaced nor removed.
    m_fallbackForeign = file.status == SmallFile::Status::Failed;
    m_fileHeld = file.status == SmallFile::Status::Read && !file.bytes.isEmpty();
    if (m_fileHeld)
        m_kept.prepend(file.bytes);
    m_onDisk = m_kept.size() == (m_fileHeld ? 1 : 0);
}

// The whole queue replaces the fallback file, so that it never holds a block
// twice or one already in the report file.
bool ReportQueue::KeepOnDisk() {
    if (m_fallbackForeign)
        return m_onDisk = false;
    QDir().mkpath(QFileInfo(m_fallbackPath).absolutePath());
    QSaveFile file(m_fallbackPath);
    const QByteArray bytes = m_kept.join();
    m_onDisk = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               file.commit(); // commit forces the bytes to the disk before the rename
    m_fileHeld = m_fileHeld || m_onDisk;
    return m_onDisk;
}

void ReportQueue::Recover() {
    TakeUnsaved();
    if (!m_kept.isEmpty())
        WriteKept();
}

QString ReportQueue::WriteKept() {
    try {
        appendToReportFile(m_path, m_kept.join(), m_options);
        m_kept.clear();
        if (m_fileHeld)
            QFile::remove(m_fallbackPath);
        m_fileHeld = false;
        m_onDisk = true;
        return QString();
    } catch (const KtError& e) {
        return e.message();
    }
}

QString ReportQueue::Prepare() {
    TakeUnsaved();
    QString reason;
    try {
        checkReportFile(m_path, m_options);
        if (!m_kept.isEmpty())
            reason = WriteKept();
    } catch (const KtError& e) {
        reason = e.message();
    }
    if (reason.isEmpty())
        return QString();
    QString message = QStringLiteral("Файл отчета \"%1\" не может принять результат теста: %2. "
                                     "Тест не начнется, пока это не будет исправлено")
                          .arg(fullPath(m_path), reason);
    if (!m_kept.isEmpty())
        message += QStringLiteral(". ") + KeptMessage(QString());
    return message;
}

QString ReportQueue::Append(const QByteArray& block) {
    TakeUnsaved();
    m_kept.append(block);
    const QString reason = WriteKept();
    if (reason.isEmpty())
        return QString();
    KeepOnDisk();
    return KeptMessage(reason);
}

// With a reason: the append has just failed; without: the message follows
// another that says why.
QString ReportQueue::KeptMessage(const QString& reason) const {
    const QString head =
        reason.isEmpty() ? QString() : reportWriteErrorText(m_path, reason) + QStringLiteral(". ");
    if (m_onDisk)
        return head + resultsText(keptCount()) +
               QStringLiteral(": до записи в файл отчета они хранятся в файле \"%1\". Программа "
                              "запишет их в файл отчета перед следующим результатом, при закрытии "
                              "или при следующем запуске.")
                   .arg(fullPath(m_fallbackPath));
    return head + resultsText(keptCount()) +
           QStringLiteral(": программа запишет в файл отчета перед следующим результатом или при "
                          "закрытии, а если файл так и останется недоступен, сохранит в файле "
                          "\"%1\".")
               .arg(fullPath(m_fallbackPath));
}

QString ReportQueue::Flush() {
    TakeUnsaved();
    if (m_kept.isEmpty())
        return QString();
    const QString reason = WriteKept();
    if (reason.isEmpty())
        return QString();
    return SaveToFallback(reason);
}

QString ReportQueue::SaveToFallback(const QString& reason) {
    const int count = keptCount();
    const QByteArray blocks = m_kept.join();
    QString message =
        QStringLiteral("Файл отчета \"%1\" недоступен: %2. ").arg(fullPath(m_path), reason);
    const bool saved = m_onDisk || KeepOnDisk();
    m_kept.clear(); // shown below either way; the program is ending
    m_unsavedTaken = false;
    m_fileHeld = false;
    if (saved)
        return message + QStringLiteral("Результаты тестов, не записанные в него (%1), "
                                        "сохранены в файле \"%2\"; программа запишет их в файл "
                                        "отчета при следующем запуске.")
                             .arg(count)
                             .arg(fullPath(m_fallbackPath));
    // The last place left is the screen: the teacher can copy it down.
    return message + QStringLiteral("Не удалось сохранить результаты и в файле \"%1\". "
                                    "Перепишите их:\n%2")
                         .arg(fullPath(m_fallbackPath),
                              decodeCp1251(blocks)
                                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .trimmed());
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportQueue.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "report/ReportWriter.h"

#include <QDir>
#include <QFileInfo>
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

QString ReportQueue::WriteKept() {
    try {
        appendToReportFile(m_path, m_kept.join(), m_options);
        m_kept.clear();
        return QString();
    } catch (const KtError& e) {
        return e.message();
    }
}

QString ReportQueue::Prepare() {
    QString reason;
    try {
        checkReportFile(m_path);
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
    m_kept.append(block);
    const QString reason = WriteKept();
    if (reason.isEmpty())
        return QString();
    return KeptMessage(reason);
}

// With a reason: the append has just failed; without: the message follows
// another that says why.
QString ReportQueue::KeptMessage(const QString& reason) const {
    const QString head =
        reason.isEmpty() ? QString() : reportWriteErrorText(m_path, reason) + QStringLiteral(". ");
    return head + resultsText(keptCount()) +
           QStringLiteral(": программа запишет в файл отчета перед следующим результатом или при "
                          "закрытии, а если файл так и останется недоступен, сохранит в файле "
                          "\"%1\".")
               .arg(fullPath(m_fallbackPath));
}

QString ReportQueue::Flush() {
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
    m_kept.clear(); // shown below either way; the program is ending
    QString message =
        QStringLiteral("Файл отчета \"%1\" недоступен: %2. ").arg(fullPath(m_path), reason);
    try {
        QDir().mkpath(QFileInfo(m_fallbackPath).absolutePath());
        ReportFileOptions fallback = m_options;
        fallback.faults = nullptr; // they stand for the report file's own disk
        appendToReportFile(m_fallbackPath, blocks, fallback);
        return message + QStringLiteral("Результаты тестов, не записанные в него (%1), "
                                        "сохранены в файле \"%2\".")
                             .arg(count)
                             .arg(fullPath(m_fallbackPath));
    } catch (const KtError& e) {
        // The last place left is the screen: the teacher can copy it down.
        return message + QStringLiteral("Не удалось сохранить результаты и в файле \"%1\": %2. "
                                        "Перепишите их:\n%3")
                             .arg(fullPath(m_fallbackPath), e.message(),
                                  decodeCp1251(blocks)
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                      .trimmed());
    }
}

} // namespace kt

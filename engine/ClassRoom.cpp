// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ClassRoom.h"

#include "report/ClassFiles.h"

#include <QDir>
#include <QFileInfo>

namespace kt {

ClassRoom::ClassRoom(ClassSettings settings, QString pc, const QString& workingReportPath)
    : m_settings(std::move(settings)), m_pc(std::move(pc)) {
    if (hasFolder()) {
        m_reportPath = classReportPath(m_settings.folder, m_pc);
        m_answersPath = classAnswersPath(m_settings.folder, m_pc);
        m_statusPath = classStatusPath(m_settings.folder, m_pc);
    } else {
        m_reportPath = workingReportPath;
        m_answersPath = QFileInfo(workingReportPath).dir().filePath(QStringLiteral("Answers.csv"));
    }
}

QString ClassRoom::ListedName(const QString& typed) const {
    const QString wanted = typed.simplified();
    for (const QString& name : m_settings.names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

QString ClassRoom::FolderProblem() const {
    if (!hasFolder() || QFileInfo(m_settings.folder).isDir())
        return QString();
    return QStringLiteral("Папка класса \"%1\" не найдена: сетевая папка не подключена или путь "
                          "в настройках теста неверен. Тест не начнется, пока папка не появится")
        .arg(QDir::toNativeSeparators(m_settings.folder));
}

// The PC's name keeps it apart from the other PCs' tests, the date and time
// from this PC's earlier runs, and the run's own count from a test that ends
// in the same second as the one before.
QString ClassRoom::NextTestId(const QString& date, const QString& time) {
    return QStringLiteral("%1-%2-%3-%4").arg(m_pc, date, time).arg(++m_finished);
}

} // namespace kt

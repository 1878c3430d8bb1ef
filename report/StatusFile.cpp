// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/StatusFile.h"

#include "report/ClassFiles.h"
#include "report/SharedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

#ifndef _WIN32
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kt {

QByteArray statusJson(const PcStatus& s) {
    const QJsonObject o{{QStringLiteral("pc"), s.pc},
                        {QStringLiteral("student"), s.student},
                        {QStringLiteral("title"), s.title},
                        {QStringLiteral("state"), s.state},
                        {QStringLiteral("answered"), s.answered},
                        {QStringLiteral("total"), s.total},
                        {QStringLiteral("right"), s.right},
                        {QStringLiteral("wrong"), s.wrong},
                        {QStringLiteral("timeLeft"), s.timeLeft},
                        {QStringLiteral("written"), s.written.toUTC().toString(Qt::ISODate)}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<PcStatus> parseStatusJson(const QByteArray& bytes) {
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    PcStatus s;
    s.pc = o.value(QStringLiteral("pc")).toString();
    s.state = o.value(QStringLiteral("state")).toString();
    if (s.pc.isEmpty() || s.state.isEmpty())
        return std::nullopt;
    s.student = o.value(QStringLiteral("student")).toString();
    s.title = o.value(QStringLiteral("title")).toString();
    s.answered = o.value(QStringLiteral("answered")).toInt();
    s.total = o.value(QStringLiteral("total")).toInt();
    s.right = o.value(QStringLiteral("right")).toInt();
    s.wrong = o.value(QStringLiteral("wrong")).toInt();
    s.timeLeft = o.value(QStringLiteral("timeLeft")).toString();
    s.written = QDateTime::fromString(o.value(QStringLiteral("written")).toString(), Qt::ISODate);
    return s;
}

#ifndef _WIN32
// A temporary name of this process beside the file; created group-writable
// like the class folder's other files, renamed over the old status.
bool writeStatusFile(const QString& path, const PcStatus& status) {
    const QByteArray bytes = statusJson(status);
    const QString temp = path + QStringLiteral(".%1.tmp").arg(::getpid());
    const QByteArray tempName = QFile::encodeName(temp);
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    makeSharedFile(fd, temp);
    bool ok = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(tempName.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok)
        ::unlink(tempName.constData());
    return ok;
}
#else
bool writeStatusFile(const QString& path, const PcStatus& status) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(statusJson(status));
    return file.commit();
}
#endif

std::vector<PcStatus> readClassStatuses(const QString& classFolder) {
    const QDir dir(classStatusFolder(classFolder));
    std::vector<PcStatus> out;
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files)) {
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        if (std::optional<PcStatus> s = parseStatusJson(f.read(64 * 1024)))
            out.push_back(*s);
    }
    std::sort(out.begin(), out.end(),
              [](const PcStatus& a, const PcStatus& b) { return a.pc < b.pc; });
    return out;
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/SharedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif
#endif

namespace kt {

#ifndef _WIN32
namespace {

bool hasDefaultAcl(const QString& folder) {
#ifdef __linux__
    const QByteArray name = QFile::encodeName(folder);
    return ::getxattr(name.constData(), "system.posix_acl_default", nullptr, 0) > 0;
#else
    Q_UNUSED(folder);
    return false;
#endif
}

} // namespace

// Only an empty file of our own is touched: one another account created, or
// one already written, keeps the rights it has.
void makeSharedFile(int fd, const QString& path) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size != 0 || st.st_uid != ::geteuid())
        return;
    if ((st.st_mode & 0060) == 0060 || hasDefaultAcl(QFileInfo(path).absolutePath()))
        return;
    ::fchmod(fd, (st.st_mode & 07777) | 0664);
}
#endif

bool ensureSharedFolder(const QString& path) {
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkpath(path))
        return false;
#ifndef _WIN32
    if (!hasDefaultAcl(QFileInfo(path).absolutePath())) {
        const QByteArray name = QFile::encodeName(path);
        struct stat st {};
        if (::stat(name.constData(), &st) == 0)
            ::chmod(name.constData(), (st.st_mode & 07777) | 0775);
    }
#endif
    return true;
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace kt::test {

ScratchMount::ScratchMount(int kilobytes) {
    if (::geteuid() != 0) {
        m_problem = QStringLiteral("the tests do not run as root");
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0777";
    if (::mount("kt-scratch", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_problem = QStringLiteral("mount failed: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

ScratchMount::~ScratchMount() {
    // Detached, so that a descriptor a failed test left open cannot keep it.
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString ScratchMount::filePath(const QString& name) const {
    return QDir(m_dir.path()).filePath(name);
}

bool ScratchMount::RemountReadOnly() {
    const QByteArray where = QFile::encodeName(m_dir.path());
    return m_mounted && ::mount("kt-scratch", where.constData(), "tmpfs",
                                MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

bool ScratchMount::Unmount() {
    if (!m_mounted || ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH) != 0)
        return false;
    m_mounted = false;
    return true;
}

} // namespace kt::test

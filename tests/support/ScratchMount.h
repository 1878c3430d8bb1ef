// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kt::test {

// A tiny tmpfs of its own for one test: a disk that really fills, or turns
// read-only, without touching the machine's disks. Unmounted when it goes out
// of scope, also when the test fails half-way. Mounting needs root.
class ScratchMount {
public:
    explicit ScratchMount(int kilobytes);
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    // Empty when mounted; otherwise why not (the test is then skipped).
    const QString& problem() const { return m_problem; }
    QString filePath(const QString& name) const;
    bool RemountReadOnly();
    // As a network share that goes away: the folder is left empty.
    bool Unmount();

private:
    QTemporaryDir m_dir;
    QString m_problem;
    bool m_mounted = false;
};

} // namespace kt::test

// Skips the test, saying so in the output, when the mount is not there.
#define KT_REQUIRE_MOUNT(mount)                                                                    \
    do {                                                                                           \
        if (!(mount).problem().isEmpty())                                                          \
            GTEST_SKIP() << "needs a scratch tmpfs: " << (mount).problem().toStdString();          \
    } while (false)

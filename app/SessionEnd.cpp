// SPDX-License-Identifier: GPL-3.0-or-later
// A signal handler may do almost nothing: it writes a byte to a pipe, and
// the event loop does the saving.
#include "app/SessionEnd.h"

#include <QCoreApplication>
#include <cstdlib>
#include <utility>

#ifndef _WIN32
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kt {
namespace {

std::function<void()>* g_save = nullptr; // while a SessionEnd lives

void saveOnce() {
    if (!g_save)
        return;
    std::function<void()> save = std::move(*g_save);
    *g_save = nullptr;
    if (save)
        save();
}

void atExit() {
    saveOnce();
}

#ifndef _WIN32
int g_pipe[2] = {-1, -1};

void onSignalRaised(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

bool openPipe() {
    if (g_pipe[0] >= 0)
        return true;
    if (::pipe(g_pipe) != 0)
        return false;
    for (int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void handle(int signal) {
    struct sigaction action {};
    action.sa_handler = onSignalRaised;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}
#endif

} // namespace

SessionEnd::SessionEnd(std::function<void()> save, QObject* parent) : QObject(parent) {
    static std::function<void()> slot;
    slot = std::move(save);
    g_save = &slot;
    static const bool registered = std::atexit(atExit) == 0;
    (void)registered;
#ifndef _WIN32
    if (openPipe()) {
        m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::onSignal);
        handle(SIGTERM);
        handle(SIGHUP);
    }
#endif
}

SessionEnd::~SessionEnd() {
    g_save = nullptr; // what it saves is gone; a later exit() has nothing to do
}

void SessionEnd::onSignal() {
#ifndef _WIN32
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
#endif
    saveOnce();
    // exit(), not quit(): quit() first asks the windows to close, and closing
    // would show the close-time messages to nobody.
    QCoreApplication::exit(0);
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace kt {

// The session ending under the program: SIGTERM and SIGHUP (logout,
// shutdown) and a lost display connection, which the platform ends with
// exit(). Each runs `save` once; a signal then quits the event loop without
// the close dialogs, as nobody is left to answer them.
class SessionEnd : public QObject {
public:
    explicit SessionEnd(std::function<void()> save, QObject* parent = nullptr);
    ~SessionEnd() override;

private:
    void onSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kt

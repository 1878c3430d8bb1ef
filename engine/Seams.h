// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QSysInfo>
#include <QTime>

namespace kt {

// Date and time of day for the report.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate Today() = 0;
    virtual QTime Now() = 0;
};

class SystemClock : public Clock {
public:
    QDate Today() override { return QDate::currentDate(); }
    QTime Now() override { return QTime::currentTime(); }
};

// The computer's name, which names its files in a class folder. Tests give
// several engines different names to stand for the PCs of a classroom.
class HostName {
public:
    virtual ~HostName() = default;
    virtual QString Name() = 0;
};

class SystemHostName : public HostName {
public:
    QString Name() override { return QSysInfo::machineHostName(); }
};

// The one-second countdown timer. Whoever implements it calls
// TestEngine::Tick() once a second while it is active.
class Ticker {
public:
    virtual ~Ticker() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};

// The two dialogs of the program. Both are modal; they return when dismissed.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The application's default error box: error icon, OK, the program's name
    // as caption. `message` is already in its final form (see errorBoxText).
    virtual void ShowError(const QString& message) = 0;
    // The connection-error message dialog: text, OK, no icon, centred.
    virtual void ShowConnectionError(const QString& text) = 0;
};

// The teacher's password is kept as a hash that a library of its own makes
// and checks; the engine only asks.
class PasswordCheck {
public:
    virtual ~PasswordCheck() = default;
    // Whether `stored` is a hash that Matches can check.
    virtual bool Readable(const QString& stored) = 0;
    virtual bool Matches(const QString& stored, const QString& typed) = 0;
};

} // namespace kt

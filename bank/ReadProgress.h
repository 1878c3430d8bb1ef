// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <exception>

namespace kt {

// Told how a read of the bank goes, so that a long one can be shown to the
// user. The calls come on the thread that reads, between the slices of the
// read; an implementation may paint windows there but must not start any
// other command.
class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    virtual void ReadStarted() = 0;
    // Comes at least every tenth of a second while the read runs, with the
    // number of records read so far.
    virtual void RecordsRead(qint64 records) = 0;
    virtual void ReadFinished() = 0;
    // Asked after every slice: true ends the read with ReadCancelled, the
    // reader stopped and nothing of the bank handed out.
    virtual bool ReadCancelled() { return false; }
};

// The read was stopped at the user's wish (see ReadProgress::ReadCancelled).
class ReadCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "bank read cancelled"; }
};

} // namespace kt

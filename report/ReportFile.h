// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kt {

// How an append's bytes reach the disk once the file is open and locked:
// the program writes through the system; the full-disk tests pass a disk
// that fills, which no real disk can be made to do on demand.
class BlockWriter {
public:
    virtual ~BlockWriter() = default;
    // Writes all the bytes to the open file (a descriptor on POSIX, a HANDLE
    // on Windows) and forces them to the disk. Returns 0 or the system's
    // error code of the step that failed; bytes written before it may stay.
    virtual int writeAll(qintptr file, const QByteArray& bytes) const = 0;
};

// write(2) or WriteFile until every byte is in, then fsync or
// FlushFileBuffers.
const BlockWriter& systemBlockWriter();

struct ReportFileOptions {
    // How long an append waits for another program (usually on another PC
    // writing to the same shared folder) to finish its own block.
    int lockWaitMs = 10000;
    const BlockWriter* writer = &systemBlockWriter();
    // Written before the bytes when the file is empty: a table's header line.
    QByteArray headerIfEmpty;
    // A file in a folder that several student accounts share: created
    // group-writable (see makeSharedFile).
    bool shared = false;
};

// Confirms, without writing anything, that the file can take a block: it is
// a regular file or is created empty when missing, it opens for appending
// without blocking (a named pipe never makes the program wait), and its file
// system can lock it. Throws KtError with the reason in Russian.
void checkReportFile(const QString& path, const ReportFileOptions& options = ReportFileOptions());

// Appends all the bytes or none: under an exclusive lock on the whole file,
// writes them at its end, forces them to the disk and, when any step fails,
// cuts the file back to its size before the write. Creates the file when it
// is missing. Throws KtError whose message is the system's reason in Russian
// (without the file's name; the caller says which file).
void appendToReportFile(const QString& path, const QByteArray& bytes,
                        const ReportFileOptions& options = ReportFileOptions());

} // namespace kt

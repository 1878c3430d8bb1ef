// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportFile.h"

#include <QByteArrayList>
#include <QString>

namespace kt {

// Where blocks go that the report file would not take even when the program
// closes: a file of the same format in the user's data folder.
QString defaultFallbackReportPath();

// The finished tests' blocks on their way into the report file. A block the
// file does not take is kept and goes in first with the next one. Every kept
// block is also in the fallback file at once, forced to the disk, and taken
// out of it only once it is in the report file: a program killed or a PC
// switched off loses no result that was on screen, and the next run of the
// program puts it in the report file. Every method returns the message for
// the student, empty when all went well.
class ReportQueue {
public:
    ReportQueue(QString path, QString fallbackPath,
                const ReportFileOptions& options = ReportFileOptions());

    // Before a test starts: the file can take a block, and the blocks kept
    // from earlier tests are in it.
    QString Prepare();
    // The kept blocks and then this one, in one all-or-nothing append.
    QString Append(const QByteArray& block);
    // Before the program ends.
    QString Flush();
    // At startup: the blocks an earlier run left in the fallback file go to
    // the report file now when it takes them, else with the next block.
    // Says nothing; whatever is not written stays in the fallback file.
    void Recover();

    int keptCount() const { return static_cast<int>(m_kept.size()); }
    const QString& path() const { return m_path; }
    const QString& fallbackPath() const { return m_fallbackPath; }

private:
    // Empty, or the reason the file did not take the kept blocks.
    QString WriteKept();
    QString KeptMessage(const QString& reason) const;
    QString SaveToFallback(const QString& reason);
    void TakeUnsaved();
    bool KeepOnDisk();

    QString m_path;
    QString m_fallbackPath;
    ReportFileOptions m_options;
    QByteArrayList m_kept;
    bool m_unsavedTaken = false;    // the fallback file's blocks are in m_kept
    bool m_onDisk = false;          // the fallback file holds m_kept
    bool m_fileHeld = false;        // the fallback file holds blocks of m_kept
    bool m_fallbackForeign = false; // a fallback file that cannot be read
};

} // namespace kt

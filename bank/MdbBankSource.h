// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankSource.h"
#include "bank/FileStamp.h"
#include "bank/RawBank.h"
#include "bank/ReadProgress.h"
#include "bank/ReaderProtocol.h"

class QProcess;

namespace kt {

class ReaderStreamParser;

// The built-in path of the question bank (set at build time).
QString builtInBankPath();

// How long the reader may go without sending anything before it is killed
// and the file is reported damaged (a reader that keeps sending is never
// stopped by the clock), and how many bytes it may answer with at least (a
// large file may take proportionally more).
struct ReaderLimits {
    int stallMs = 10000;
    qint64 outputBytes = 512ll * 1024 * 1024;
};

// A question bank in a Jet database file (.mdb, and .accdb that the reader
// can read). The file is parsed by a separate reader process, so that a
// damaged or hostile file can never crash or hang the program; any failure
// of the reader is one clear error naming the file.
//
// The records of the last good read are kept while the file stays as it was
// (same size, modification time and identity): the count, the draws and the
// settings screen then use them without starting the reader again.
class MdbBankSource : public BankSource {
public:
    // readerPath empty: the reader executable next to the running program.
    explicit MdbBankSource(QString path, QString readerPath = QString(),
                           ReaderLimits limits = ReaderLimits());
    ~MdbBankSource() override;

    // Starts the reader now, so that it works while the program builds its
    // window; the next read takes its answer when the file is still as it
    // was then, and otherwise starts the reader again.
    void StartEarly();

    // The ten fields with the code page rules applied and texts cut at 255.
    BankTable Load() override;
    std::shared_ptr<const CompactBank> LoadCompact() override;
    // The ten fields exactly as the file holds them (full Unicode texts), for
    // the teacher's tools that check and export a bank. Always read afresh.
    RawBank LoadRawBank();
    // The same as records the editor can change.
    BankTable LoadRaw() { return LoadRawBank().toTable(); }
    // The same records handed to `sink` one by one while they are read,
    // none of them kept; throws as the loads do.
    void ReadRaw(RawRecordSink& sink);
    QString Location() const override { return m_path; }

    // The reader executable this source starts.
    QString readerPath() const { return m_readerPath; }
    // Who is told how a read goes (nullptr: nobody).
    void setProgress(ReadProgress* progress) { m_progress = progress; }
    // How many times the reader was started.
    int launches() const { return m_launches; }

private:
    std::unique_ptr<QProcess> startReader();
    std::unique_ptr<QProcess> takeReader(const FileStamp& stamp);
    void runReader(ReaderStreamParser& parser, const FileStamp& stamp);
    bool pump(QProcess& p, ReaderStreamParser& parser);
    qint64 outputLimitFor(const FileStamp& stamp) const;

    QString m_path;
    QString m_readerPath;
    ReaderLimits m_limits;
    ReadProgress* m_progress = nullptr;
    int m_launches = 0;
    std::unique_ptr<QProcess> m_early;
    FileStamp m_earlyStamp;
    std::shared_ptr<const CompactBank> m_kept;
    FileStamp m_keptStamp;
};

} // namespace kt

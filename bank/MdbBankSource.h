#pragma once

#include "BankSource.h"

namespace kt {

// The built-in path of the question bank (set at build time).
QString builtInBankPath();

// A question bank in a Jet database file (.mdb, and .accdb that the reader
// can read). The file is parsed by a separate reader process, so that a
// damaged or hostile file can never crash or hang the program; any failure
// of the reader is one clear error naming the file.
class MdbBankSource : public BankSource {
public:
    // readerPath empty: the reader executable next to the running program.
    explicit MdbBankSource(QString path, QString readerPath = QString());

    // The ten fields with the code page rules applied and texts cut at 255.
    BankTable Load() override;
    // The ten fields exactly as the file holds them (full Unicode texts), for
    // the teacher's tools that check and export a bank.
    BankTable LoadRaw();
    QString Location() const override { return m_path; }

    // The reader executable this source starts.
    QString readerPath() const { return m_readerPath; }
    // How long the reader may take before it is killed and the file is
    // reported damaged, in milliseconds.
    void setDeadline(int milliseconds) { m_deadlineMs = milliseconds; }
    // How many bytes the reader may answer with.
    void setOutputLimit(qint64 bytes) { m_outputLimit = bytes; }

private:
    QString m_path;
    QString m_readerPath;
    int m_deadlineMs = 30000;
    qint64 m_outputLimit = 512ll * 1024 * 1024;
};

} // namespace kt

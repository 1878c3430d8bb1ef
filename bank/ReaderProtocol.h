// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/CompactBank.h"
#include "bank/RawBank.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <optional>

namespace kt {

// The answer of the bank reader process on its standard output is a stream
// of frames: a 32-bit little-endian payload length, one kind byte, the
// payload. A good answer is either one Error frame, or one Columns frame
// (all ten fields bound, and the number of records the table says it holds,
// so that the client makes room once), the records in file order and an End
// frame holding the number of records. A record's field is a 16-bit length
// and that many bytes of UTF-8, as libmdb leaves the text; the length
// kNullField marks a null. Error arguments travel the same way.
// An Alive frame (empty) may come anywhere before the end: the reader is
// still at work on a large file and has nothing to send yet.
enum class ReaderFrameKind : char {
    Error = 'E',
    Columns = 'C',
    Record = 'R',
    End = 'Z',
    Alive = 'A'
};

// Why the reader could not deliver the table; the client words the message.
enum class ReaderFailure : quint8 {
    FileMissing = 1,
    FileUnreadable = 2,
    NotJet = 3,
    Damaged = 4,
    TableMissing = 5, // args: table name
    FieldMissing = 6, // args: field name
    TypeMismatch = 7  // args: field name, expected type, actual type
};

struct ReaderError {
    ReaderFailure failure = ReaderFailure::Damaged;
    QStringList args;
};

// A frame larger than this is never sent by a sound reader.
constexpr quint32 kMaxReaderFrame = 4u * 1024u * 1024u;
constexpr quint16 kNullField = 0xFFFF;

// One record as the reader has it: each field's UTF-8 bytes, or a null.
struct RecordFields {
    std::array<QByteArrayView, FieldCountTotal> text;
    std::array<bool, FieldCountTotal> isNull{};
};

QByteArray encodeErrorFrame(const ReaderError& error);
QByteArray encodeColumnsFrame(quint32 expectedRecords = 0);
// Appends the record's frame to `out` without a copy of its texts.
void appendRecordFrame(QByteArray& out, const RecordFields& record);
QByteArray encodeRecordFrame(const BankRecord& record);
QByteArray encodeEndFrame(quint32 recordCount);
QByteArray encodeAliveFrame();

// The message the user sees for a reader's error about the file at `path`.
QString readerErrorMessage(const ReaderError& error, const QString& path);
// The one message for a reader that crashed, hung or answered nonsense.
QString damagedBankMessage(const QString& path);

// How the client keeps the records it reads: the full Unicode texts for the
// teacher's tools, or the program's own compact form with the code page
// rules applied while each frame is decoded.
enum class RecordForm { Raw, Compact };

// Reads the reader's answer as it arrives, checking every frame. Records are
// collected but handed out only when the whole answer was sound.
class ReaderStreamParser {
public:
    explicit ReaderStreamParser(qint64 outputLimit, RecordForm form = RecordForm::Raw)
        : m_limit(outputLimit), m_form(form) {}
    // A Raw parser that hands each record to `sink` instead of keeping it.
    ReaderStreamParser(qint64 outputLimit, RawRecordSink& sink)
        : m_limit(outputLimit), m_form(RecordForm::Raw), m_sink(&sink) {}

    // False once the stream is malformed or larger than the limit; further
    // input is then ignored.
    bool Feed(QByteArrayView bytes);
    // Called at the end of the stream: true when a complete answer arrived.
    bool Finish();

    bool failed() const { return m_failed; }
    // Set when the answer was an Error frame.
    const std::optional<ReaderError>& error() const { return m_error; }
    // The records of a Raw parser.
    RawBank TakeRaw() { return std::move(m_raw); }
    BankTable TakeTable() { return TakeRaw().toTable(); }
    // The records of a Compact parser.
    CompactBank TakeCompact() { return std::move(m_compact); }
    // Records decoded so far.
    qint64 records() const { return m_records; }

private:
    enum class Stage { Start, Records, Done };
    // Reads the whole frames `data` begins with; returns the bytes they
    // took, or -1 for a bad frame.
    qsizetype takeFrames(QByteArrayView data);
    bool takeFrame(ReaderFrameKind kind, QByteArrayView payload);
    bool takeColumns(QByteArrayView payload);
    bool takeRecord(QByteArrayView payload);
    bool fail();

    qint64 m_limit;
    RecordForm m_form;
    qint64 m_records = 0;
    CompactBank m_compact;
    qint64 m_total = 0;
    QByteArray m_pending;
    Stage m_stage = Stage::Start;
    bool m_failed = false;
    std::optional<ReaderError> m_error;
    RawBank m_raw; // with a sink: the one record being handed over
    RawRecordSink* m_sink = nullptr;
};

} // namespace kt

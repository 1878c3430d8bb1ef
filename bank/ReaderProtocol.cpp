// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/ReaderProtocol.h"

#include "bank/ByteOrder.h"
#include "bank/Cp1251.h"
#include "bank/Utf8.h"

#include <QtEndian>

#include <algorithm>
#include <new>

namespace kt {
namespace {

constexpr int kHeaderSize = 5;
constexpr int kMaxArgs = 8;

void appendText(QByteArray& out, QByteArrayView utf8) {
    append16(out, static_cast<quint16>(std::min<qsizetype>(utf8.size(), kNullField - 1)));
    out.append(utf8.data(), std::min<qsizetype>(utf8.size(), kNullField - 1));
}

QByteArray frame(ReaderFrameKind kind, const QByteArray& payload) {
    QByteArray out;
    out.reserve(kHeaderSize + payload.size());
    append32(out, static_cast<quint32>(payload.size()));
    out.append(static_cast<char>(kind));
    out.append(payload);
    return out;
}

// The smallest record frame: ten empty fields. No answer within the output
// limit can hold more records than the limit over this, whatever the
// Columns frame claims.
constexpr qint64 kSmallestRecordFrame = kHeaderSize + 2 * FieldCountTotal;

// Reads a payload front to back; any read past its end marks it bad.
class PayloadCursor {
public:
    explicit PayloadCursor(QByteArrayView data) : m_data(data) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_data.size(); }

    quint8 byte() {
        if (!need(1))
            return 0;
        return static_cast<quint8>(m_data[m_pos++]);
    }
    quint16 u16() {
        if (!need(2))
            return 0;
        const quint16 v = qFromLittleEndian<quint16>(m_data.data() + m_pos);
        m_pos += 2;
        return v;
    }
    quint32 u32() {
        if (!need(4))
            return 0;
        const quint32 v = qFromLittleEndian<quint32>(m_data.data() + m_pos);
        m_pos += 4;
        return v;
    }
    // A field: its bytes, or a null view with `isNull` set.
    QByteArrayView field(bool* isNull) {
        const quint16 n = u16();
        *isNull = m_ok && n == kNullField;
        if (*isNull || !need(n))
            return {};
        const QByteArrayView v = m_data.sliced(m_pos, n);
        m_pos += n;
        return v;
    }
    QString text() {
        bool isNull = false;
        const QByteArrayView v = field(&isNull);
        if (isNull)
            m_ok = false;
        return QString::fromUtf8(v);
    }

private:
    bool need(qint64 n) {
        if (!m_ok || n > m_data.size() - m_pos)
            m_ok = false;
        return m_ok;
    }
    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

int argCount(ReaderFailure f) {
    switch (f) {
    case ReaderFailure::TableMissing:
    case ReaderFailure::FieldMissing:
        return 1;
    case ReaderFailure::TypeMismatch:
        return 3;
    default:
        return 0;
    }
}

std::optional<ReaderError> decodeError(QByteArrayView payload) {
    PayloadCursor in(payload);
    ReaderError e;
    const quint8 code = in.byte();
    if (code < 1 || code > 7)
        return std::nullopt;
    e.failure = static_cast<ReaderFailure>(code);
    const quint8 n = in.byte();
    for (int i = 0; i < n && i < kMaxArgs && in.ok(); ++i)
        e.args << in.text();
    if (!in.ok() || !in.atEnd() || n != argCount(e.failure))
        return std::nullopt;
    return e;
}

// Decodes a record frame's ten fields into the table's record room at
// `dst`, each converted by `convert(utf8, out)`, which returns the
// characters it wrote; the record is kept when the frame was whole.
template <typename End, typename Table, typename Char, typename Convert>
bool decodeRecord(QByteArrayView payload, Table& table, Char* dst, Convert convert) {
    PayloadCursor in(payload);
    std::array<End, FieldCountTotal> ends{};
    quint16 nulls = 0;
    qsizetype at = 0;
    for (int f = 0; f < FieldCountTotal; ++f) {
        bool isNull = false;
        at += convert(in.field(&isNull), dst + at);
        ends[static_cast<size_t>(f)] = static_cast<End>(at);
        if (isNull)
            nulls |= static_cast<quint16>(1u << f);
    }
    if (!in.ok() || !in.atEnd())
        return false;
    table.commitRecord(ends, nulls);
    return true;
}

// The full texts as UTF-16: never more units than UTF-8 takes bytes, so the
// payload's size is room enough.
bool decodeRawRecord(QByteArrayView payload, RawBank& table) {
    return decodeRecord<quint32>(
        payload, table, table.recordBuffer(payload.size()),
        [](QByteArrayView v, char16_t* out) { return utf8ToUtf16(v.data(), v.size(), out); });
}

// Straight into the program's compact form: one pass from the reader's
// UTF-8 to the code page's bytes, cut at 255 characters.
bool decodeCompactRecord(QByteArrayView payload, CompactBank& table) {
    return decodeRecord<quint16>(
        payload, table, table.recordBuffer(), [](QByteArrayView v, char* out) {
            return utf8ToCp1251(v.data(), v.size(), out, CompactBank::kMaxField);
        });
}

} // namespace

QByteArray encodeErrorFrame(const ReaderError& error) {
    QByteArray p;
    p.append(static_cast<char>(error.failure));
    p.append(static_cast<char>(error.args.size()));
    for (const QString& a : error.args)
        appendText(p, a.toUtf8());
    return frame(ReaderFrameKind::Error, p);
}

QByteArray encodeColumnsFrame(quint32 expectedRecords) {
    QByteArray p(1, static_cast<char>(FieldCountTotal));
    append32(p, expectedRecords);
    return frame(ReaderFrameKind::Columns, p);
}

void appendRecordFrame(QByteArray& out, const RecordFields& record) {
    const qsizetype start = out.size();
    append32(out, 0);
    out.append(static_cast<char>(ReaderFrameKind::Record));
    for (size_t i = 0; i < FieldCountTotal; ++i) {
        if (record.isNull[i])
            append16(out, kNullField);
        else
            appendText(out, record.text[i]);
    }
    const auto length = static_cast<quint32>(out.size() - start - kHeaderSize);
    put32(out, start, length);
}

QByteArray encodeRecordFrame(const BankRecord& record) {
    std::array<QByteArray, FieldCountTotal> utf8;
    RecordFields fields;
    for (size_t i = 0; i < FieldCountTotal; ++i) {
        utf8[i] = record.text[i].toUtf8();
        fields.text[i] = utf8[i];
        fields.isNull[i] = record.isNull[i];
    }
    QByteArray out;
    appendRecordFrame(out, fields);
    return out;
}

QByteArray encodeAliveFrame() {
    return frame(ReaderFrameKind::Alive, QByteArray());
}

QByteArray encodeEndFrame(quint32 recordCount) {
    QByteArray p;
    append32(p, recordCount);
    return frame(ReaderFrameKind::End, p);
}

QString readerErrorMessage(const ReaderError& error, const QString& path) {
    const QString a0 = error.args.value(0);
    switch (error.failure) {
    case ReaderFailure::FileMissing:
        return QStringLiteral("Файл базы данных «%1» не найден").arg(path);
    case ReaderFailure::FileUnreadable:
        return QStringLiteral("Файл базы данных «%1» не удаётся открыть для чтения").arg(path);
    case ReaderFailure::NotJet:
        return QStringLiteral("Файл «%1» не является базой данных Jet").arg(path);
    case ReaderFailure::TableMissing:
        return QStringLiteral("В базе данных «%1» нет таблицы «%2»").arg(path, a0);
    case ReaderFailure::FieldMissing:
        return QStringLiteral("Field '%1' not found").arg(a0);
    case ReaderFailure::TypeMismatch:
        return QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
            .arg(a0, error.args.value(1), error.args.value(2));
    case ReaderFailure::Damaged:
        break;
    }
    return damagedBankMessage(path);
}

QString damagedBankMessage(const QString& path) {
    return QStringLiteral("Файл базы данных «%1» повреждён и не может быть прочитан").arg(path);
}

bool ReaderStreamParser::fail() {
    m_failed = true;
    m_pending.clear();
    m_compact = CompactBank();
    m_error.reset();
    m_raw = RawBank();
    return false;
}

// How long the frame that `data` begins is, its header included; only the
// header's length while the header is incomplete; -1 for a frame no sound
// reader sends.
static qsizetype frameSizeAt(QByteArrayView data) {
    if (data.size() < kHeaderSize)
        return kHeaderSize;
    const quint32 len = qFromLittleEndian<quint32>(data.data());
    return len > kMaxReaderFrame ? -1 : kHeaderSize + static_cast<qsizetype>(len);
}

qsizetype ReaderStreamParser::takeFrames(QByteArrayView data) {
    qsizetype pos = 0;
    for (;;) {
        const qsizetype size = frameSizeAt(data.sliced(pos));
        if (size < 0)
            return -1;
        if (data.size() - pos < size)
            return pos;
        const auto kind = static_cast<ReaderFrameKind>(data[pos + 4]);
        if (!takeFrame(kind, data.sliced(pos + kHeaderSize, size - kHeaderSize)))
            return -1;
        pos += size;
    }
}

bool ReaderStreamParser::Feed(QByteArrayView bytes) {
    if (m_failed)
        return false;
    m_total += bytes.size();
    if (m_total > m_limit)
        return fail();
    // A frame cut at the end of the last bytes is completed from these
    // first; the rest are read in place, and only a frame cut at their end
    // is kept for the next bytes.
    while (!m_pending.isEmpty() && !bytes.isEmpty()) {
        const qsizetype size = frameSizeAt(m_pending);
        if (size < 0)
            return fail();
        const qsizetype take = std::min(size - m_pending.size(), bytes.size());
        m_pending.append(bytes.first(take));
        bytes = bytes.sliced(take);
        if (m_pending.size() >= kHeaderSize && m_pending.size() == frameSizeAt(m_pending)) {
            if (takeFrames(m_pending) < 0)
                return fail();
            m_pending.clear();
        }
    }
    const qsizetype used = takeFrames(bytes);
    if (used < 0)
        return fail();
    m_pending.append(bytes.sliced(used));
    return true;
}

bool ReaderStreamParser::takeColumns(QByteArrayView payload) {
    PayloadCursor in(payload);
    const quint8 fields = in.byte();
    const quint32 expected = in.u32();
    if (m_stage != Stage::Start || !in.ok() || !in.atEnd() || fields != FieldCountTotal)
        return false;
    // The count is a hint from the file: room that cannot be had is simply
    // not made, and the table grows as records arrive.
    const qsizetype room = std::min<qint64>(expected, m_limit / kSmallestRecordFrame);
    try {
        if (m_sink)
            m_sink->expect(room);
        else if (m_form == RecordForm::Raw)
            m_raw.reserve(room);
        else
            m_compact.reserve(room);
    } catch (const std::bad_alloc&) {
    }
    m_stage = Stage::Records;
    return true;
}

bool ReaderStreamParser::takeRecord(QByteArrayView payload) {
    if (m_stage != Stage::Records)
        return false;
    if (m_form == RecordForm::Compact) {
        if (!decodeCompactRecord(payload, m_compact))
            return false;
    } else {
        if (m_sink)
            m_raw.clear();
        if (!decodeRawRecord(payload, m_raw))
            return false;
        if (m_sink)
            m_sink->take(m_raw);
    }
    ++m_records;
    return true;
}

bool ReaderStreamParser::takeFrame(ReaderFrameKind kind, QByteArrayView payload) {
    if (m_stage == Stage::Done)
        return false;
    switch (kind) {
    case ReaderFrameKind::Error:
        m_error = decodeError(payload);
        m_raw = RawBank();
        m_compact = CompactBank();
        m_stage = Stage::Done;
        return m_error.has_value();
    case ReaderFrameKind::Columns:
        return takeColumns(payload);
    case ReaderFrameKind::Record:
        return takeRecord(payload);
    case ReaderFrameKind::Alive:
        return payload.isEmpty();
    case ReaderFrameKind::End:
        if (m_stage != Stage::Records || payload.size() != 4 ||
            qFromLittleEndian<quint32>(payload.data()) != m_records)
            return false;
        m_stage = Stage::Done;
        return true;
    }
    return false;
}

bool ReaderStreamParser::Finish() {
    if (m_failed || m_stage != Stage::Done || !m_pending.isEmpty())
        return fail();
    return true;
}

} // namespace kt

#include "ReaderProtocol.h"

#include <QtEndian>

namespace kt {
namespace {

constexpr int kHeaderSize = 5;
constexpr int kMaxArgs = 8;

void appendU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void appendText(QByteArray& out, const QString& text) {
    const auto bytes = static_cast<quint32>(text.size()) * 2u;
    appendU32(out, bytes);
    const qsizetype at = out.size();
    out.resize(at + static_cast<qsizetype>(bytes));
    qToLittleEndian<quint16>(text.utf16(), text.size(), out.data() + at);
}

QByteArray frame(ReaderFrameKind kind, const QByteArray& payload) {
    QByteArray out;
    out.reserve(kHeaderSize + payload.size());
    appendU32(out, static_cast<quint32>(payload.size()));
    out.append(static_cast<char>(kind));
    out.append(payload);
    return out;
}

// Reads a payload front to back; any read past its end marks it bad.
class PayloadCursor {
public:
    explicit PayloadCursor(const QByteArray& data) : m_data(data) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_data.size(); }

    quint8 byte() {
        if (!need(1))
            return 0;
        return static_cast<quint8>(m_data[m_pos++]);
    }
    quint32 u32() {
        if (!need(4))
            return 0;
        const quint32 v = qFromLittleEndian<quint32>(m_data.constData() + m_pos);
        m_pos += 4;
        return v;
    }
    QString text() {
        const quint32 bytes = u32();
        if (!m_ok || bytes % 2 != 0 || !need(static_cast<qint64>(bytes)))
            return {};
        QString s(static_cast<qsizetype>(bytes / 2), Qt::Uninitialized);
        qFromLittleEndian<quint16>(m_data.constData() + m_pos, s.size(), s.data());
        m_pos += static_cast<qsizetype>(bytes);
        return s;
    }

private:
    bool need(qint64 n) {
        if (!m_ok || n > m_data.size() - m_pos)
            m_ok = false;
        return m_ok;
    }
    const QByteArray& m_data;
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

std::optional<ReaderError> decodeError(const QByteArray& payload) {
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

std::optional<BankRecord> decodeRecord(const QByteArray& payload) {
    PayloadCursor in(payload);
    BankRecord r;
    for (int i = 0; i < FieldCountTotal; ++i) {
        const quint8 isNull = in.byte();
        r.text[static_cast<size_t>(i)] = in.text();
        if (isNull > 1 || (isNull && !r.text[static_cast<size_t>(i)].isEmpty()))
            return std::nullopt;
        r.isNull[static_cast<size_t>(i)] = isNull == 1;
    }
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return r;
}

} // namespace

QByteArray encodeErrorFrame(const ReaderError& error) {
    QByteArray p;
    p.append(static_cast<char>(error.failure));
    p.append(static_cast<char>(error.args.size()));
    for (const QString& a : error.args)
        appendText(p, a);
    return frame(ReaderFrameKind::Error, p);
}

QByteArray encodeColumnsFrame() {
    return frame(ReaderFrameKind::Columns, QByteArray(1, static_cast<char>(FieldCountTotal)));
}

QByteArray encodeRecordFrame(const BankRecord& record) {
    QByteArray p;
    for (int i = 0; i < FieldCountTotal; ++i) {
        const bool isNull = record.isNull[static_cast<size_t>(i)];
        p.append(static_cast<char>(isNull ? 1 : 0));
        appendText(p, isNull ? QString() : record.text[static_cast<size_t>(i)]);
    }
    return frame(ReaderFrameKind::Record, p);
}

QByteArray encodeEndFrame(quint32 recordCount) {
    QByteArray p;
    appendU32(p, recordCount);
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
    m_table.clear();
    m_error.reset();
    return false;
}

bool ReaderStreamParser::Feed(const QByteArray& bytes) {
    if (m_failed)
        return false;
    m_total += bytes.size();
    if (m_total > m_limit)
        return fail();
    m_pending.append(bytes);
    qsizetype pos = 0;
    while (m_pending.size() - pos >= kHeaderSize) {
        const quint32 len = qFromLittleEndian<quint32>(m_pending.constData() + pos);
        if (len > kMaxReaderFrame)
            return fail();
        if (m_pending.size() - pos - kHeaderSize < static_cast<qsizetype>(len))
            break;
        const auto kind = static_cast<ReaderFrameKind>(m_pending[pos + 4]);
        if (!takeFrame(kind, m_pending.mid(pos + kHeaderSize, static_cast<qsizetype>(len))))
            return fail();
        pos += kHeaderSize + static_cast<qsizetype>(len);
    }
    m_pending.remove(0, pos);
    return true;
}

bool ReaderStreamParser::takeFrame(ReaderFrameKind kind, const QByteArray& payload) {
    if (m_stage == Stage::Done)
        return false;
    switch (kind) {
    case ReaderFrameKind::Error:
        m_error = decodeError(payload);
        m_table.clear();
        m_stage = Stage::Done;
        return m_error.has_value();
    case ReaderFrameKind::Columns:
        if (m_stage != Stage::Start || payload != QByteArray(1, char(FieldCountTotal)))
            return false;
        m_stage = Stage::Records;
        return true;
    case ReaderFrameKind::Record: {
        if (m_stage != Stage::Records)
            return false;
        std::optional<BankRecord> r = decodeRecord(payload);
        if (!r)
            return false;
        m_table.push_back(std::move(*r));
        return true;
    }
    case ReaderFrameKind::End:
        if (m_stage != Stage::Records || payload.size() != 4 ||
            qFromLittleEndian<quint32>(payload.constData()) != m_table.size())
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/MdbBankSource.h"

#include "bank/BankPath.h"
#include "bank/BankReadError.h"
#include "bank/Cp1251.h"
#include "bank/LibmdbEnvironment.h"
#include "bank/ReaderLocation.h"
#include "bank/ReaderProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace kt {
namespace {

// Reads the reader's output a slice at a time so that the stall limit and
// the output limit are checked, and progress told, while it runs.
constexpr int kSliceMs = 100;
// A sound reader's answer is a few times its file at most (two bytes of
// lengths per field, texts as UTF-8); this keeps a large bank within the
// limit while a runaway reader is still stopped.
constexpr qint64 kOutputPerFileByte = 4;

QString programDir() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
#ifdef Q_OS_LINUX
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
#else
    return QString();
#endif
}

QString defaultReaderPath() {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("knowtest-reader.exe");
#else
    const QString name = QStringLiteral("knowtest-reader");
#endif
    const QString dir = programDir();
    return locateReader(dir, name);
}

// libmdb changes its behaviour after these; the reader must see the file alone.
QProcessEnvironment readerEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : kLibmdbVariables)
        env.remove(QString::fromLatin1(name));
    return env;
}

void stop(QProcess& p) {
    p.kill();
    p.waitForFinished(5000);
}

// What the reader has sent so far, read into `buffer`.
QByteArrayView readAvailable(QProcess& p, QByteArray& buffer) {
    const qint64 available = p.bytesAvailable();
    if (buffer.size() < available)
        buffer.resize(available);
    const qint64 n = p.read(buffer.data(), available);
    return QByteArrayView(buffer.constData(), std::max<qint64>(0, n));
}

// Tells the observer of the read, if any, that it ended, however it ended.
struct ProgressScope {
    explicit ProgressScope(ReadProgress* p) : progress(p) {
        if (progress)
            progress->ReadStarted();
    }
    ~ProgressScope() {
        if (progress)
            progress->ReadFinished();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    ReadProgress* progress;
};

} // namespace

QString builtInBankPath() {
    return QString::fromUtf8(KNOWTEST_BANK_PATH);
}

MdbBankSource::MdbBankSource(QString path, QString readerPath, ReaderLimits limits)
    : m_path(std::move(path)),
      m_readerPath(readerPath.isEmpty() ? defaultReaderPath() : std::move(readerPath)),
      m_limits(limits) {}

qint64 MdbBankSource::outputLimitFor(const FileStamp& stamp) const {
    return std::max(m_limits.outputBytes, kOutputPerFileByte * stamp.size);
}

// Feeds the reader's output to the parser until the reader ends. False when
// it went silent for longer than the stall limit or sent more or other than
// a reader may. Only silence counts: a reader that keeps sending records is
// never stopped by the clock, however large its bank.
bool MdbBankSource::pump(QProcess& p, ReaderStreamParser& parser) {
    QElapsedTimer quiet;
    quiet.start();
    // One buffer for the whole answer: tens of megabytes pass through it,
    // and fresh memory for every slice costs more than reading it.
    QByteArray buffer;
    for (;;) {
        const bool more = p.waitForReadyRead(std::min(kSliceMs, std::max(1, m_limits.stallMs)));
        const QByteArrayView bytes = readAvailable(p, buffer);
        if (!bytes.isEmpty())
            quiet.restart();
        if (!parser.Feed(bytes)) {
            stop(p);
            return false;
        }
        if (m_progress) {
            m_progress->RecordsRead(parser.records());
            if (m_progress->ReadCancelled()) {
                stop(p);
                throw ReadCancelled();
            }
        }
        if (!more && p.state() == QProcess::NotRunning)
            break;
        if (quiet.elapsed() >= m_limits.stallMs) {
            stop(p);
            return false;
        }
    }
    return parser.Feed(readAvailable(p, buffer));
}

MdbBankSource::~MdbBankSource() {
    if (m_early)
        stop(*m_early);
}

std::unique_ptr<QProcess> MdbBankSource::startReader() {
    auto p = std::make_unique<QProcess>();
    p->setProgram(m_readerPath);
    p->setArguments({m_path});
    p->setProcessEnvironment(readerEnvironment());
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    ++m_launches;
    p->start(QIODevice::ReadOnly);
    return p;
}

void MdbBankSource::StartEarly() {
    if (m_early)
        stop(*m_early);
    m_earlyStamp = FileStamp::of(m_path);
    // A pipe or a device is refused by the first read; a reader started on
    // one now would only wait on it.
    if (nonRegularKind(m_path).isEmpty())
        m_early = startReader();
}

// The reader started early, when it reads the file as it is now; else a new one.
std::unique_ptr<QProcess> MdbBankSource::takeReader(const FileStamp& stamp) {
    std::unique_ptr<QProcess> p = std::move(m_early);
    if (p && stamp.exists && stamp == m_earlyStamp)
        return p;
    if (p)
        stop(*p);
    return startReader();
}

static BankFailure failureOf(ReaderFailure failure) {
    switch (failure) {
    case ReaderFailure::FileMissing:
        return BankFailure::FileMissing;
    case ReaderFailure::FileUnreadable:
        return BankFailure::FileUnreadable;
    case ReaderFailure::NotJet:
        return BankFailure::NotJet;
    case ReaderFailure::TableMissing:
        return BankFailure::TableMissing;
    case ReaderFailure::FieldMissing:
        return BankFailure::FieldMissing;
    case ReaderFailure::TypeMismatch:
        return BankFailure::TypeMismatch;
    case ReaderFailure::Damaged:
        break;
    }
    return BankFailure::Damaged;
}

void MdbBankSource::runReader(ReaderStreamParser& parser, const FileStamp& stamp) {
    requireRegularBankFile(m_path);
    ProgressScope scope(m_progress);
    const std::unique_ptr<QProcess> reader = takeReader(stamp);
    QProcess& p = *reader;
    // A reader started early may have finished already; it still counts as
    // started, and its answer waits in the pipe.
    if (!p.waitForStarted(std::max(m_limits.stallMs, 1))) {
        stop(p);
        throw BankReadError(BankFailure::ReaderMissing,
                            QStringLiteral("Не удаётся запустить программу чтения базы данных «%1»")
                                .arg(QDir::toNativeSeparators(m_readerPath)));
    }
    const bool answered = pump(p, parser);
    if (!answered || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 ||
        !parser.Finish())
        throw BankReadError(BankFailure::Damaged, damagedBankMessage(m_path));
    if (parser.error())
        throw BankReadError(failureOf(parser.error()->failure),
                            readerErrorMessage(*parser.error(), m_path));
}

RawBank MdbBankSource::LoadRawBank() {
    const FileStamp stamp = FileStamp::of(m_path);
    ReaderStreamParser parser(outputLimitFor(stamp), RecordForm::Raw);
    runReader(parser, stamp);
    return parser.TakeRaw();
}

void MdbBankSource::ReadRaw(RawRecordSink& sink) {
    const FileStamp stamp = FileStamp::of(m_path);
    ReaderStreamParser parser(outputLimitFor(stamp), sink);
    runReader(parser, stamp);
}

std::shared_ptr<const CompactBank> MdbBankSource::LoadCompact() {
    // The stamp is taken before the read: a file that changes while it is
    // read has another stamp at the next look and is read again.
    const FileStamp stamp = FileStamp::of(m_path);
    if (m_kept && stamp.exists && stamp == m_keptStamp)
        return m_kept;
    m_kept.reset();
    ReaderStreamParser parser(outputLimitFor(stamp), RecordForm::Compact);
    runReader(parser, stamp);
    auto table = std::make_shared<const CompactBank>(parser.TakeCompact());
    if (stamp.exists) {
        m_kept = table;
        m_keptStamp = stamp;
    }
    return table;
}

BankTable MdbBankSource::Load() {
    const std::shared_ptr<const CompactBank> compact = LoadCompact();
    BankTable table;
    table.reserve(static_cast<size_t>(compact->size()));
    for (qsizetype i = 0; i < compact->size(); ++i)
        table.push_back(compact->record(i));
    return table;
}

} // namespace kt

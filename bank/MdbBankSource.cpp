#include "MdbBankSource.h"

#include "BankPath.h"
#include "Cp1251.h"
#include "KtError.h"
#include "ReaderProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace kt {
namespace {

// Reads the reader's output a slice at a time so that the deadline and the
// output limit are checked while it runs.
constexpr int kSliceMs = 100;

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
    return dir.isEmpty() ? name : dir + QLatin1Char('/') + name;
}

// libmdb changes its behaviour after these; the reader must see the file alone.
QProcessEnvironment readerEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"MDBOPTS", "MDBICONV", "MDBPATH", "MDB_JET3_CHARSET"})
        env.remove(QString::fromLatin1(name));
    return env;
}

void stop(QProcess& p) {
    p.kill();
    p.waitForFinished(5000);
}

// Feeds the reader's output to the parser until the reader ends. False when
// it ran past the deadline or sent more or other than a reader may.
bool pump(QProcess& p, ReaderStreamParser& parser, int deadlineMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 left = deadlineMs - clock.elapsed();
        if (left <= 0) {
            stop(p);
            return false;
        }
        const bool more = p.waitForReadyRead(static_cast<int>(std::min<qint64>(left, kSliceMs)));
        if (!parser.Feed(p.readAllStandardOutput())) {
            stop(p);
            return false;
        }
        if (!more && p.state() == QProcess::NotRunning)
            break;
    }
    return parser.Feed(p.readAllStandardOutput());
}

bool isTextField(size_t i) {
    return i <= 5 || i == FieldSubject;
}

} // namespace

QString builtInBankPath() {
    return QString::fromUtf8(KNOWTEST_BANK_PATH);
}

MdbBankSource::MdbBankSource(QString path, QString readerPath)
    : m_path(std::move(path)),
      m_readerPath(readerPath.isEmpty() ? defaultReaderPath() : std::move(readerPath)) {}

BankTable MdbBankSource::LoadRaw() {
    requireRegularBankFile(m_path);
    QProcess p;
    p.setProgram(m_readerPath);
    p.setArguments({m_path});
    p.setProcessEnvironment(readerEnvironment());
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QIODevice::ReadOnly);
    if (!p.waitForStarted(m_deadlineMs)) {
        stop(p);
        throw KtError(QStringLiteral("Не удаётся запустить программу чтения базы данных «%1»")
                          .arg(QDir::toNativeSeparators(m_readerPath)));
    }
    ReaderStreamParser parser(m_outputLimit);
    const bool answered = pump(p, parser, m_deadlineMs);
    if (!answered || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 ||
        !parser.Finish())
        throw KtError(damagedBankMessage(m_path));
    if (parser.error())
        throw KtError(readerErrorMessage(*parser.error(), m_path));
    return parser.TakeTable();
}

BankTable MdbBankSource::Load() {
    BankTable table = LoadRaw();
    for (BankRecord& r : table)
        for (size_t i = 0; i < r.text.size(); ++i)
            if (isTextField(i))
                r.text[i] = cp1251Text(r.text[i], 255);
    return table;
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
// The bank reader: parses one database file with libmdb and writes the
// question table as frames on standard output. It runs as a process of its
// own so that a damaged file can crash or stall only this process; the
// program that started it turns any such end into an error message.
//
// Usage: knowtest-reader FILE
//        knowtest-reader --schema FILE   (the file's objects and the question
//                                         table's columns, for the editor)

#include "bank/LibmdbEnvironment.h"
#include "bank/reader/BankReader.h"
#include "bank/reader/BankSchema.h"

#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The client kills a reader that stops sending; these limits keep a runaway
// one from taking the machine's memory, and end it even when the client is
// gone. A sound reader's time grows with the file, and so does its limit: a
// large bank on a slow PC must never be cut off part-way.
void limitResources(const char* path) {
#ifndef Q_OS_WIN
    constexpr rlim_t kAddressSpaceLimit = 1024ull * 1024ull * 1024ull;
    constexpr rlim_t kCpuSecondsBase = 20;
    constexpr rlim_t kFileBytesPerCpuSecond = 4ull * 1024ull * 1024ull;
    struct stat st {};
    const rlim_t fileBytes =
        path && stat(path, &st) == 0 && st.st_size > 0 ? static_cast<rlim_t>(st.st_size) : 0;
    const rlim_t cpuSeconds = kCpuSecondsBase + fileBytes / kFileBytesPerCpuSecond;
    const rlimit as{kAddressSpaceLimit, kAddressSpaceLimit};
    setrlimit(RLIMIT_AS, &as);
    const rlimit cpu{cpuSeconds, cpuSeconds};
    setrlimit(RLIMIT_CPU, &cpu);
    const rlimit core{0, 0};
    setrlimit(RLIMIT_CORE, &core);
#else
    (void)path;
#endif
}

// libmdb reads these to change its options, text conversion and file
// search; the answer must depend on the file alone.
void clearLibraryEnvironment() {
    for (const char* name : kt::kLibmdbVariables)
        qunsetenv(name);
}

// libmdb prints on its own to both standard streams. The frames go to a
// private copy of standard output; the streams themselves go nowhere.
int takeFrameChannel() {
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    const int out = _dup(_fileno(stdout));
    const int sink = _open("NUL", _O_WRONLY);
    _dup2(sink, _fileno(stdout));
    _dup2(sink, _fileno(stderr));
    _setmode(out, _O_BINARY);
#else
    const int out = dup(STDOUT_FILENO);
#ifdef F_SETPIPE_SZ
    // Room for about a thousand records in the pipe: the reader keeps on
    // while the program is busy with the records before, instead of
    // stopping every sixty-four kilobytes. Not having it only costs time.
    fcntl(out, F_SETPIPE_SZ, 1 << 20);
#endif
    const int sink = open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    dup2(sink, STDERR_FILENO);
#endif
    return out;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
#ifdef Q_OS_WIN
        const int n = _write(fd, bytes.constData() + done, unsigned(bytes.size() - done));
#else
        const ssize_t n = write(fd, bytes.constData() + done, size_t(bytes.size() - done));
#endif
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Sends each record as it is read, so the reader holds one record at a time.
class FrameWriter : public kt::RecordSink {
public:
    explicit FrameWriter(int fd) : m_fd(fd) { m_buffer.reserve(2 * kWriteChunk); }
    void ColumnsBound(quint32 expectedRecords) override {
        send(kt::encodeColumnsFrame(expectedRecords));
    }
    void Record(const kt::RecordFields& record) override {
        ++m_records;
        kt::appendRecordFrame(m_buffer, record);
        if (m_buffer.size() >= kWriteChunk)
            Flush();
    }
    // A sign of life, at most twice a second, sent at once.
    void StillWorking() override {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastSign < std::chrono::milliseconds(500))
            return;
        m_lastSign = now;
        send(kt::encodeAliveFrame());
        Flush();
    }
    // Frames are gathered into large writes; Flush() sends what is left.
    void send(const QByteArray& frame) {
        m_buffer += frame;
        if (m_buffer.size() >= kWriteChunk)
            Flush();
    }
    void Flush() {
        if (!writeAll(m_fd, m_buffer))
            std::_Exit(3);  // the client is gone
        m_buffer.resize(0); // keeps the room: no allocation per chunk
    }
    quint32 records() const { return m_records; }

private:
    static constexpr qsizetype kWriteChunk = 64 * 1024;
    int m_fd;
    quint32 m_records = 0;
    QByteArray m_buffer;
    std::chrono::steady_clock::time_point m_lastSign{};
};

} // namespace

int main(int argc, char** argv) {
    limitResources(argc == 2 ? argv[1] : nullptr);
    clearLibraryEnvironment();
    const int out = takeFrameChannel();
    if (argc == 3 && out >= 0 && std::strcmp(argv[1], "--schema") == 0) {
        const QByteArray listing =
            kt::encodeSchemaListing(kt::readBankSchema(QByteArray(argv[2]), kt::bankTableName()));
        std::_Exit(writeAll(out, listing) ? 0 : 3);
    }
    if (argc != 2 || out < 0)
        return 2;
    FrameWriter writer(out);
    const std::optional<kt::ReaderError> error =
        kt::readBankFile(QByteArray(argv[1]), kt::bankTableName(), writer);
    writer.send(error ? kt::encodeErrorFrame(*error) : kt::encodeEndFrame(writer.records()));
    writer.Flush();
    // Leave without libmdb's or Qt's teardown: there is nothing left to save.
    std::_Exit(0);
}

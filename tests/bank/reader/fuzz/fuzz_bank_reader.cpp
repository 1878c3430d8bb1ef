// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the reader's open-and-read path: any bytes as a
// database file image, read as the question table exactly as the reader
// process reads a file.
#include "bank/LibmdbEnvironment.h"
#include "bank/reader/BankReader.h"

#include <QtGlobal>

#include <algorithm>

#include <cstddef>
#include <cstdint>

namespace {

// Touches every field, so that a value libmdb hands back half-made shows up
// under the sanitizers.
class CheckingSink : public kt::RecordSink {
public:
    void ColumnsBound(quint32) override { ++m_bound; }
    void Record(const kt::RecordFields& record) override {
        for (QByteArrayView text : record.text)
            m_chars += static_cast<size_t>(text.size()) +
                       (text.isEmpty() ? 0 : static_cast<unsigned char>(text.back()));
    }
    size_t chars() const { return m_chars; }

private:
    int m_bound = 0;
    size_t m_chars = 0;
};

// Inputs are padded with zero bytes to whole pages (three at least): the
// reader refuses other sizes at once, and most mutations that insert or
// erase bytes would otherwise never reach libmdb. The size rule itself is
// covered by the tests.
QByteArray wholePages(const std::uint8_t* data, std::size_t size) {
    constexpr qsizetype kPage = 4096;
    QByteArray image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype pages = std::max<qsizetype>(3, (image.size() + kPage - 1) / kPage);
    image.append(QByteArray(pages * kPage - image.size(), '\0'));
    return image;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (const char* name : kt::kLibmdbVariables)
        qunsetenv(name);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckingSink sink;
    (void)kt::readBankImage(wholePages(data, size), kt::bankTableName(), sink);
    return 0;
}

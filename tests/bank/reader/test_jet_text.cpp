// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's own decoding of Jet 4 texts: against Qt for the characters
// libmdb cannot give, against libmdb itself for those it can.
#include "bank/reader/JetText.h"
#include "tests/bank/reader/BankFixtures.h"

#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

#include <memory>
#include <string>
#include <vector>

using namespace kt;

namespace {

using Bytes = std::vector<unsigned char>;

std::string decode(const Bytes& b) {
    std::string out;
    appendJetTextUtf8(b.data(), b.size(), out);
    return out;
}

Bytes plain(const std::u16string& units) {
    Bytes b;
    for (char16_t u : units) {
        b.push_back(static_cast<unsigned char>(u & 0xFF));
        b.push_back(static_cast<unsigned char>(u >> 8));
    }
    return b;
}

// Jet's compressed form: FF FE, then runs of one-byte characters and of
// two-byte ones, a zero byte between runs. Every character must be free of
// zero bytes for it to be compressible.
Bytes compressed(const std::u16string& units) {
    Bytes b = {0xFF, 0xFE};
    bool oneByte = true;
    for (char16_t u : units) {
        if ((u >> 8 == 0) != oneByte) {
            b.push_back(0);
            oneByte = !oneByte;
        }
        b.push_back(static_cast<unsigned char>(u & 0xFF));
        if (!oneByte)
            b.push_back(static_cast<unsigned char>(u >> 8));
    }
    return b;
}

std::string viaQt(const std::u16string& units) {
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()))
        .toUtf8()
        .toStdString();
}

TEST(JetText, SurrogatePairsAndLoneHalvesComeOutAsQtMakesThem) {
    const std::u16string texts[] = {u"Смайлик 😀 и скрипичный ключ 𝄞",
                                    u"😀",
                                    u"a\xD83D",
                                    u"\xDE00z",
                                    u"\xD83D\xD83D\xDE00",
                                    u"\xDE00\xD83D",
                                    u"конец\xD800",
                                    u""};
    for (const std::u16string& t : texts) {
        EXPECT_EQ(decode(plain(t)), viaQt(t));
        // A unit with a zero low byte (DE00 in 😀) cannot stand in a
        // compressed text; the others go through that form too.
        bool compressible = true;
        for (char16_t u : t)
            compressible = compressible && (u & 0xFF) != 0;
        if (compressible) {
            EXPECT_EQ(decode(compressed(t)), viaQt(t));
        }
    }
}

TEST(JetText, CompressedRunsOddLengthsAndEndsAreBoundedAndExact) {
    EXPECT_EQ(decode(compressed(u"Abc Вопрос №1 ☺ x")), "Abc Вопрос №1 ☺ x");
    EXPECT_EQ(decode(compressed(u"🎉🎉")), viaQt(u"🎉🎉"));
    EXPECT_EQ(decode({0xFF, 0xFE}), "");
    EXPECT_EQ(decode({0xFF, 0xFE, 0x00, 0x00, 'a'}), "a"); // an empty run of each kind
    // A two-byte run cut after its first byte: the stray byte is dropped.
    EXPECT_EQ(decode({0xFF, 0xFE, 'a', 0x00, 0x16}), "a");
    EXPECT_EQ(decode({'a', 0x00, 'b'}), "a");
    EXPECT_EQ(decode({0x41}), "");
    EXPECT_EQ(decode({}), "");
    // The text ends at U+0000, as libmdb's C strings did.
    EXPECT_EQ(decode(plain(std::u16string(u"ab\0cd", 5))), "ab");
    // FE FF is no mark of compression: it is U+FFFE as it stands.
    EXPECT_EQ(decode({0xFE, 0xFF}), "\xEF\xBF\xBE");
}

// A BMP character libmdb can convert: no surrogate, no U+0000.
char16_t randomBmp(QRandomGenerator& rng) {
    for (;;) {
        const auto u = static_cast<char16_t>(rng.bounded(1, 0x10000));
        if (u < 0xD800 || u > 0xDFFF)
            return u;
    }
}

std::u16string randomText(QRandomGenerator& rng, bool zeroFreeBytes) {
    std::u16string t;
    const int n = rng.bounded(0, 40);
    while (static_cast<int>(t.size()) < n) {
        // Mostly Cyrillic and Latin, as the banks hold, with anything else.
        const int kind = rng.bounded(4);
        char16_t u = kind == 0   ? static_cast<char16_t>(rng.bounded(0x20, 0x7F))
                     : kind == 1 ? static_cast<char16_t>(rng.bounded(0x410, 0x450))
                     : kind == 2 ? static_cast<char16_t>(rng.bounded(1, 0x100))
                                 : randomBmp(rng);
        if (!zeroFreeBytes || (u & 0xFF) != 0)
            t += u;
    }
    return t;
}

struct HandleDeleter {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};

// libmdb's conversion needs a Jet 4 handle; the Jet writer makes the file.
TEST(JetText, EqualsLibmdbForEveryTextItCanConvert) {
    QTemporaryDir dir;
    const QString file = kt::testing::writeBank(dir.filePath("t.mdb"), standardBankColumns(),
                                                {kt::testing::question(QStringLiteral("?"), "1")});
    std::unique_ptr<MdbHandle, HandleDeleter> mdb(
        mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS));
    ASSERT_TRUE(mdb && mdb->f->jet_version != MDB_VER_JET3);
    QRandomGenerator rng(20261208);
    std::vector<unsigned char> out(MDB_BIND_SIZE);
    for (int i = 0; i < 20000; ++i) {
        const bool compress = i % 2 == 1;
        const std::u16string t = randomText(rng, compress);
        const Bytes b = compress ? compressed(t) : plain(t);
        const int n = mdb_unicode2ascii(mdb.get(), reinterpret_cast<const char*>(b.data()),
                                        b.size(), reinterpret_cast<char*>(out.data()), out.size());
        const std::string libmdb(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(n));
        ASSERT_EQ(decode(b), libmdb) << i;
        ASSERT_EQ(decode(b), viaQt(t)) << i;
    }
}

} // namespace

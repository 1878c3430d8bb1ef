// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged and hostile files: whatever the bytes, the program gets either the
// whole table or one of the bank's messages, and in bounded time.
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/ReaderProtocol.h"
#include "tests/bank/reader/BankFixtures.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::testing;

namespace {

constexpr int kPage = 4096;

class DamagedFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<Question> qs;
        for (int i = 0; i < 300; ++i)
            qs.push_back(question(QStringLiteral("Вопрос номер %1").arg(i), "2"));
        m_good = writeBank(m_dir.filePath("good.mdb"), standardBankColumns(), qs);
        QFile f(m_good);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        m_bytes = f.readAll();
        ASSERT_EQ(m_bytes.size() % kPage, 0);
        ASSERT_GE(m_bytes.size() / kPage, 5);
    }

    QString write(const QByteArray& bytes) {
        const QString p = m_dir.filePath(QStringLiteral("bad%1.mdb").arg(m_n++));
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return p;
    }

    // The outcome of loading: the record count, or the message.
    QString outcome(const QString& file) {
        MdbBankSource source(file, QString(), ReaderLimits{15000});
        try {
            return QStringLiteral("records: %1").arg(source.Load().size());
        } catch (const KtError& e) {
            return e.message();
        }
    }

    // Runs the reader itself on the file: true when it ended on its own with
    // a sound answer (a crash would also be reported as damage by the
    // client, but the reader is to refuse such files before libmdb trips).
    static bool readerAnswersItself(const QString& file) {
        QProcess p;
        p.start(MdbBankSource(file).readerPath(), {file});
        if (!p.waitForFinished(15000))
            return false;
        ReaderStreamParser parser(1 << 28);
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
               parser.Feed(p.readAllStandardOutput()) && parser.Finish();
    }

    QTemporaryDir m_dir;
    QString m_good;
    QByteArray m_bytes;
    int m_n = 0;
};

// Page numbers of every table definition in the file.
QList<int> definitionPages(const QByteArray& bytes) {
    QList<int> pages;
    for (int p = 1; p < bytes.size() / kPage; ++p)
        if (bytes[p * kPage] == 0x02)
            pages << p;
    return pages;
}

} // namespace

TEST_F(DamagedFile, CutFilesNeverGiveAPartOfTheTable) {
    EXPECT_EQ(outcome(m_good), QStringLiteral("records: 300"));
    const QString cutByte = write(m_bytes.left(m_bytes.size() - 1));
    EXPECT_EQ(outcome(cutByte), damagedBankMessage(cutByte));
    for (int pages = 1; pages < m_bytes.size() / kPage; ++pages) {
        const QString p = write(m_bytes.left(pages * kPage));
        const QString got = outcome(p);
        // Only pages no part of the table lives on may go unnoticed.
        EXPECT_TRUE(readerAnswersItself(p)) << pages << " pages";
        EXPECT_TRUE(got == damagedBankMessage(p) || got == QStringLiteral("records: 300"))
            << pages << " pages: " << got.toStdString();
    }
}

TEST_F(DamagedFile, BrokenCatalogOrUsageMapsReadAsDamaged) {
    QByteArray noCatalog = m_bytes;
    noCatalog.replace(2 * kPage, kPage, QByteArray(kPage, '\0'));
    const QString p = write(noCatalog);
    EXPECT_EQ(outcome(p), damagedBankMessage(p));
    EXPECT_TRUE(readerAnswersItself(p));

    // A usage map row of length zero: libmdb would read through a null map.
    const QList<int> defs = definitionPages(m_bytes);
    ASSERT_FALSE(defs.isEmpty());
    for (int def : defs) {
        QByteArray b = m_bytes;
        const auto pgRow = qFromLittleEndian<quint32>(b.constData() + def * kPage + 55);
        const int mapPage = static_cast<int>(pgRow >> 8);
        const int row = static_cast<int>(pgRow & 0xFF);
        ASSERT_LT(mapPage, b.size() / kPage);
        char* page = b.data() + mapPage * kPage;
        const quint16 end =
            row == 0 ? quint16(kPage) : qFromLittleEndian<quint16>(page + 14 + 2 * (row - 1));
        qToLittleEndian<quint16>(end & 0x1FFF, page + 14 + 2 * row);
        const QString q = write(b);
        const QString got = outcome(q);
        EXPECT_TRUE(readerAnswersItself(q)) << "definition on page " << def;
        if (def == 2) {
            EXPECT_EQ(got, damagedBankMessage(q));
        } else { // the table may be another than the question table
            EXPECT_TRUE(got == damagedBankMessage(q) || got == QStringLiteral("records: 300"))
                << got.toStdString();
        }
    }
}

// Clears the "fixed" flag of every number column defined on the page, or
// gives them a size their type does not have.
QByteArray loosenNumberColumns(QByteArray b, int def, bool resize) {
    char* page = b.data() + def * kPage;
    const int realIndexes = qFromLittleEndian<qint32>(page + 51);
    const int columns = qFromLittleEndian<quint16>(page + 45);
    for (int c = 0; c < columns; ++c) {
        char* entry = page + 63 + realIndexes * 12 + c * 25;
        if (entry[0] != 0x02 && entry[0] != 0x03 && entry[0] != 0x04)
            continue;
        if (resize) {
            qToLittleEndian<quint16>(quint16(1000), entry + 23);
        } else {
            entry[15] = static_cast<char>(entry[15] & ~0x01);
        }
    }
    return b;
}

TEST_F(DamagedFile, NumberColumnsOutOfTheirShapeAreRefused) {
    // libmdb reads a number from as many bytes as its type has, wherever a
    // variable column's offsets point: past its page on a hostile row.
    for (int def : definitionPages(m_bytes)) {
        for (bool resize : {false, true}) {
            const QString p = write(loosenNumberColumns(m_bytes, def, resize));
            EXPECT_TRUE(readerAnswersItself(p)) << def;
            const QString got = outcome(p);
            EXPECT_TRUE(got == damagedBankMessage(p) || got == QStringLiteral("records: 300"))
                << def << " " << resize << ": " << got.toStdString();
            if (def == 2) {
                EXPECT_EQ(got, damagedBankMessage(p));
            }
        }
    }
}

TEST_F(DamagedFile, GarbledBytesGiveTheTableOrAMessageNeverACrash) {
    const QStringList allowedStarts = {QStringLiteral("records: "), QStringLiteral("Файл"),
                                       QStringLiteral("В базе данных"), QStringLiteral("Field '"),
                                       QStringLiteral("Type mismatch for field '")};
    QRandomGenerator rng(20261208);
    for (int round = 0; round < 60; ++round) {
        QByteArray b = m_bytes;
        const int flips = 1 + static_cast<int>(rng.bounded(40));
        // Mostly the first pages: the catalog and the definitions live there.
        const int span = round % 2 ? b.size() : 8 * kPage;
        for (int k = 0; k < flips; ++k)
            b[static_cast<int>(rng.bounded(span))] = static_cast<char>(rng.bounded(256));
        const QString got = outcome(write(b));
        bool allowed = false;
        for (const QString& s : allowedStarts)
            allowed = allowed || got.startsWith(s);
        EXPECT_TRUE(allowed) << "round " << round << ": " << got.toStdString();
    }
}

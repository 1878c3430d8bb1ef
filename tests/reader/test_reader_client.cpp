// The client's guard against a reader that misbehaves: stand-in readers are
// small shell scripts, so these cases run where a POSIX shell is.
#include "KtError.h"
#include "MdbBankSource.h"
#include "ReaderProtocol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kt;

namespace {

class FakeReader : public ::testing::Test {
protected:
    // Writes an executable script whose body is `body`, returning its path.
    QString script(const QString& name, const QByteArray& body) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    // A printf command that writes these bytes.
    static QByteArray printfOf(const QByteArray& bytes) {
        QByteArray cmd = "printf '";
        for (char c : bytes)
            cmd += "\\" + QByteArray::number(static_cast<unsigned char>(c), 8);
        return cmd + "'";
    }
    QString loadError(MdbBankSource& source) {
        try {
            source.Load();
        } catch (const KtError& e) {
            return e.message();
        }
        return QStringLiteral("<no error>");
    }

    QTemporaryDir m_dir;
    const QString m_bank = QStringLiteral("/nowhere/DB1.MDB");
};

} // namespace

TEST_F(FakeReader, AnswerOfTheReaderIsTakenWhole) {
    BankRecord r;
    r.text[FieldQuestion] = QString(300, QChar(u'ё')) + QStringLiteral("€\u263A");
    r.text[FieldRightAnswer] = QStringLiteral("3");
    const QByteArray answer =
        encodeColumnsFrame() + encodeRecordFrame(r) + encodeRecordFrame(r) + encodeEndFrame(2);
    MdbBankSource source(m_bank, script("ok", printfOf(answer)));
    const BankTable raw = source.LoadRaw();
    ASSERT_EQ(raw.size(), 2u);
    EXPECT_EQ(raw[0].text[FieldQuestion], r.text[FieldQuestion]);
    const BankTable cut = source.Load();
    ASSERT_EQ(cut.size(), 2u);
    // Cut at 255 by the code page rules: the cut comes before the foreign characters.
    EXPECT_EQ(cut[1].text[FieldQuestion], QString(255, QChar(u'ё')));
    EXPECT_EQ(cut[1].text[FieldRightAnswer], QStringLiteral("3"));
}

TEST_F(FakeReader, ReaderErrorsBecomeTheirMessages) {
    const ReaderError e{ReaderFailure::FieldMissing, {QStringLiteral("Метка")}};
    MdbBankSource source(m_bank, script("err", printfOf(encodeErrorFrame(e))));
    EXPECT_EQ(loadError(source), QStringLiteral("Field 'Метка' not found"));
}

TEST_F(FakeReader, CrashHangGarbageAndFloodAllReadAsADamagedFile) {
    const QString damaged = damagedBankMessage(m_bank);
    const QByteArray half = encodeColumnsFrame() + encodeRecordFrame(BankRecord());
    const QList<QPair<const char*, QByteArray>> cases = {
        {"segv", printfOf(half) + "\nkill -SEGV $$"},
        {"exit1", printfOf(encodeColumnsFrame() + encodeEndFrame(0)) + "\nexit 1"},
        {"garbage", "echo 'Unable to read table MSysObjects'"},
        {"cut", printfOf(half)},
        {"hang", printfOf(half) + "\nexec sleep 60"},
        {"flood", "exec cat /dev/zero"},
    };
    for (const auto& c : cases) {
        MdbBankSource source(m_bank, script(c.first, c.second));
        source.setDeadline(2000);
        source.setOutputLimit(1 << 20);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(loadError(source), damaged) << c.first;
        // Well inside the time a stuck reader would have taken.
        EXPECT_LT(clock.elapsed(), 20000) << c.first;
    }
}

TEST_F(FakeReader, ReaderSeesNoneOfLibmdbsVariables) {
    const QByteArray empty = printfOf(encodeColumnsFrame() + encodeEndFrame(0));
    const QString path = script("env", "for v in MDBOPTS MDBICONV MDBPATH MDB_JET3_CHARSET; do\n"
                                       "  if env | grep -q \"^$v=\"; then exit 1; fi\n"
                                       "done\n" +
                                           empty);
    qputenv("MDBOPTS", "debug_all");
    qputenv("MDBICONV", "KOI8-R");
    qputenv("MDBPATH", "/tmp");
    MdbBankSource source(m_bank, path);
    EXPECT_TRUE(source.Load().empty());
    qunsetenv("MDBOPTS");
    qunsetenv("MDBICONV");
    qunsetenv("MDBPATH");
}

TEST_F(FakeReader, MissingReaderIsAClearError) {
    MdbBankSource source(m_bank, m_dir.filePath(QStringLiteral("no-such-reader")));
    const QString message = loadError(source);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Не удаётся запустить программу чтения")))
        << message.toStdString();
}

TEST(ReaderLocation, DefaultReaderLiesNextToTheProgramAndTheBankPathIsBuiltIn) {
    MdbBankSource source(QStringLiteral("x.mdb"));
    EXPECT_TRUE(source.readerPath().endsWith(QStringLiteral("/knowtest-reader")));
    EXPECT_TRUE(QFile::exists(source.readerPath())) << source.readerPath().toStdString();
#ifdef Q_OS_WIN
    EXPECT_EQ(builtInBankPath(), QStringLiteral("C:\\QBANK\\DB1.MDB"));
#endif
    EXPECT_FALSE(builtInBankPath().isEmpty());
}

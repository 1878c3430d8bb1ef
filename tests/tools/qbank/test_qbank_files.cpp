// SPDX-License-Identifier: GPL-3.0-or-later
// qbank with the files teachers really have and the outputs that can go
// wrong: spreadsheet CSV, paths that are not bank files, a full disk, a
// closed pipe, the spreadsheet form of export, and check's new findings.

#include "bank/Bank.h"
#include "bank/BankRecord.h"
#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/import/BankCsv.h"
#include "tests/support/JetTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kt;
using namespace kt::test;

namespace {

const QString kHeader =
    QStringLiteral("Вопросы;Ответ1;Ответ2;Ответ3;Ответ4;Ответ5;ВернОтв;Метка;Предмет\r\n");

class QbankFiles : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString writeBytes(const QString& name, const QByteArray& bytes) {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file(name);
    }
    QString import(const QByteArray& csv, const QStringList& options = {}) {
        const QString in = writeBytes(QStringLiteral("in%1.csv").arg(++m_count), csv);
        const QString out = file(QStringLiteral("bank%1.mdb").arg(m_count));
        const ProcessResult r = runQbank(QStringList{"import"} + options + QStringList{in, out});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return out;
    }
    QString fifo(const QString& name) {
        EXPECT_EQ(mkfifo(QFile::encodeName(file(name)).constData(), 0600), 0);
        return file(name);
    }
    QTemporaryDir m_dir;
    int m_count = 0;
};

// Texts a round trip must give back exactly, whatever the form.
QStringList awkwardTexts() {
    return {QStringLiteral("Не из 1251: 中文 ☺ и вне BMP: 😀 𝄞 🇷🇺"),
            QStringLiteral("=СУММ(A1:A3)"),
            QStringLiteral("'=уже с апострофом"),
            QStringLiteral("-5 °C"),
            QStringLiteral("+7"),
            QStringLiteral("@имя"),
            QStringLiteral("точка; с запятой, и \"кавычки\""),
            QStringLiteral("две\r\nстроки"),
            QStringLiteral(" пробелы по краям ")};
}

TEST_F(QbankFiles, CalcSemicolonCp1251FileMakesABankTheProgramOpens) {
    QString csv = kHeader;
    for (int i = 0; i < 3; ++i)
        csv += QStringLiteral("Вопрос %1, без кавычек;да;нет;может быть;не знаю;всё;Б;;Физика\r\n")
                   .arg(i);
    const QString bank = import(encodeCp1251(csv));
    const BankTable table = MdbBankSource(bank).Load();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[1].text[FieldQuestion], QStringLiteral("Вопрос 1, без кавычек"));
    EXPECT_EQ(table[1].text[FieldRightAnswer], QStringLiteral("2"));
    EXPECT_EQ(table[0].text[FieldSubject], QStringLiteral("Физика"));
}

TEST_F(QbankFiles, ExportThenImportIsExactInBothForms) {
    QString csv = kHeader;
    const QStringList texts = awkwardTexts();
    for (int i = 0; i < texts.size(); ++i)
        csv +=
            QStringLiteral("\"%1\";\"%2\";b;c;d;e;%3;%4;Ф\r\n")
                .arg(QString(texts[i]).replace(u'"', QStringLiteral("\"\"")),
                     QString(texts[(i + 1) % texts.size()]).replace(u'"', QStringLiteral("\"\"")))
                .arg(i % 5 + 1)
                .arg(-i);
    const QString first = import(csv.toUtf8());
    const BankTable a = MdbBankSource(first).LoadRaw();
    ASSERT_EQ(a.size(), size_t(texts.size()));
    EXPECT_EQ(a[0].text[FieldQuestion], texts[0]);
    for (const QStringList& form : {QStringList{}, QStringList{"--excel"}}) {
        const ProcessResult exported = runQbank(QStringList{"export"} + form + QStringList{first});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        const QString out = file(QStringLiteral("export%1.csv").arg(form.size()));
        const QString bank = file(QStringLiteral("again%1.mdb").arg(form.size()));
        QProcess p;
        p.setStandardOutputFile(out);
        p.start(QStringLiteral(KT_QBANK), QStringList{"export"} + form + QStringList{first});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(runQbank({"import", out, bank}).exitCode, 0);
        const BankTable b = MdbBankSource(bank).LoadRaw();
        ASSERT_EQ(b.size(), a.size());
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_EQ(a[i].text, b[i].text) << i << " " << form.join(' ').toStdString();
    }
}

TEST_F(QbankFiles, ExcelFormIsCp1251WhenItCanBeAndUtf8WithMarkOtherwise) {
    const QString plain = import(encodeCp1251(kHeader + "=Вопрос;да;нет;3;4;5;1;0;Физика\r\n"));
    const QString emoji = import((kHeader + "Вопрос 中;да;нет;3;4;5;1;0;Физика\r\n").toUtf8());
    QProcess p;
    p.start(QStringLiteral(KT_QBANK), {"export", "--excel", plain});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QByteArray cp = p.readAllStandardOutput();
    EXPECT_EQ(cp, encodeCp1251(kHeader + "'=Вопрос;да;нет;3;4;5;1;0;Физика\r\n"));
    p.start(QStringLiteral(KT_QBANK), {"export", "--excel", emoji});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QByteArray utf8 = p.readAllStandardOutput();
    EXPECT_EQ(utf8, "\xEF\xBB\xBF" + (kHeader + "Вопрос 中;да;нет;3;4;5;1;0;Физика\r\n").toUtf8());
}

// The export as it was made before it streamed: the whole bank loaded, then
// written, the spreadsheet's code page chosen from every text.
QByteArray wholeBankExport(const QString& bank, bool excel) {
    const QChar separator = excel ? u';' : u',';
    QString text = bankCsvHeader(separator);
    bool fits = true;
    for (const BankRecord& r : MdbBankSource(bank).LoadRaw()) {
        text += bankCsvRecord(r, separator);
        for (const QString& t : r.text)
            fits = fits && fitsCp1251(t);
    }
    if (!excel)
        return text.toUtf8();
    return fits ? encodeCp1251(text) : "\xEF\xBB\xBF" + text.toUtf8();
}

TEST_F(QbankFiles, StreamedExportIsByteForByteTheWholeBankExport) {
    QFile sample(QStringLiteral(KT_SAMPLE_CSV));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QString awkward = kHeader;
    for (const QString& t : awkwardTexts())
        awkward += QStringLiteral("\"%1\";a;b;c;d;e;2;-1;Ф\r\n")
                       .arg(QString(t).replace(u'"', QStringLiteral("\"\"")));
    QString many = kHeader;
    for (int i = 0; i < 3000; ++i)
        many += QStringLiteral("Вопрос %1 о длинной реке;да;нет;3;4;5;%2;%1;Ф\r\n")
                    .arg(i)
                    .arg(i % 5 + 1);
    const QStringList banks = {import(sample.readAll()), import(awkward.toUtf8()),
                               import(many.toUtf8())};
    for (const QString& bank : banks)
        for (const bool excel : {false, true}) {
            QProcess p;
            p.start(QStringLiteral(KT_QBANK),
                    excel ? QStringList{"export", "--excel", bank} : QStringList{"export", bank});
            ASSERT_TRUE(p.waitForFinished(60000));
            EXPECT_EQ(p.exitCode(), 0);
            EXPECT_EQ(p.readAllStandardOutput(), wholeBankExport(bank, excel))
                << bank.toStdString() << (excel ? " --excel" : "");
        }
}

TEST_F(QbankFiles, ExportOfAnUnreadableBankWritesNothingAndSaysWhy) {
    const QString missing = file(QStringLiteral("нет.mdb"));
    QProcess p;
    p.start(QStringLiteral(KT_QBANK), {"export", "--excel", missing});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("не найден")));
}

TEST_F(QbankFiles, ImportRefusesOutputsThatAreNotNewBankFiles) {
    const QByteArray csv = (kHeader + "В;1;2;3;4;5;1;0;Ф\r\n").toUtf8();
    const QString in = writeBytes(QStringLiteral("in.csv"), csv);
    QDir(m_dir.path()).mkdir(QStringLiteral("sub"));
    QFile::link(in, file(QStringLiteral("link.csv")));
    const std::vector<std::pair<QString, QString>> cases = {
        {in, "это сам файл CSV"},
        {file(QStringLiteral("sub/../in.csv")), "это сам файл CSV"},
        {file(QStringLiteral("link.csv")), "это сам файл CSV"},
        {file(QStringLiteral("sub")), "не файл, а папка"},
        {fifo(QStringLiteral("pipe")), "не файл, а именованный канал"},
        {QStringLiteral("/dev/null"), "не файл, а устройство"}};
    for (const auto& c : cases) {
        const ProcessResult r = runQbank({"import", in, c.first});
        EXPECT_EQ(r.exitCode, 1) << c.first.toStdString();
        EXPECT_TRUE(r.err.contains(c.second)) << r.err.toStdString();
    }
    EXPECT_EQ(readBytes(in), csv);
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("pipe"))).exists());
    const ProcessResult fixtureOnly = runQbank({"import", "--table", "T", in, file("x.mdb")});
    EXPECT_EQ(fixtureOnly.exitCode, 2);
    EXPECT_TRUE(fixtureOnly.err.contains(QStringLiteral("только вместе с --fixture")));
}

TEST_F(QbankFiles, BankPathsThatAreNotFilesAreRefusedAtOnce) {
    const QString pipe = fifo(QStringLiteral("bank.mdb"));
    QElapsedTimer clock;
    clock.start();
    const std::vector<std::pair<QString, QString>> cases = {
        {pipe, "— не файл базы данных, а именованный канал (FIFO)"},
        {QStringLiteral("/dev/zero"), "— не файл базы данных, а устройство"},
        {m_dir.path(), "не удаётся открыть для чтения"}};
    for (const QString& command : {QStringLiteral("check"), QStringLiteral("export")}) {
        for (const auto& c : cases) {
            const ProcessResult r = runQbank({command, c.first});
            EXPECT_EQ(r.exitCode, 2) << command.toStdString();
            const QStringList lines = r.err.trimmed().split(u'\n');
            ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
            EXPECT_TRUE(lines[0].contains(c.second)) << lines[0].toStdString();
            EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Что делать: ")))
                << lines[1].toStdString();
            EXPECT_TRUE(lines[1].contains(QStringLiteral("папк")) ||
                        lines[1].contains(QStringLiteral("устройств")))
                << lines[1].toStdString();
        }
    }
    // The reader would have waited 30 s for a writer to the FIFO, or read
    // the device until then.
    EXPECT_LT(clock.elapsed(), 20000);
    // The program opens its bank through Bank: the failure is an open
    // failure, shown in the connection-error box like a missing file.
    MdbBankSource source(pipe);
    Bank bank(source);
    try {
        bank.Open();
        ADD_FAILURE() << "a FIFO was read as a bank";
    } catch (const BankOpenError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("именованный канал"))) << e.what();
    }
}

TEST_F(QbankFiles, ExportReportsAFullDiskAndAClosedPipe) {
    const QString bank = import((kHeader + "В;1;2;3;4;5;1;0;Ф\r\n").toUtf8());
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(QStringLiteral(KT_QBANK), {"export", bank});
    ASSERT_TRUE(full.waitForFinished(60000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(full.readAllStandardError()).contains("на диске нет места"));
    QProcess pipe;
    pipe.start(QStringLiteral("bash"),
               {"-c", QStringLiteral("\"$0\" export \"$1\" | true; echo ${PIPESTATUS[0]}"),
                QStringLiteral(KT_QBANK), bank});
    ASSERT_TRUE(pipe.waitForFinished(60000));
    EXPECT_EQ(pipe.readAllStandardOutput().trimmed(), "1");
    EXPECT_TRUE(QString::fromUtf8(pipe.readAllStandardError()).contains("закрылась"));
}

TEST_F(QbankFiles, CheckFindsEmptyVariantsAndCutTexts) {
    const QString longQuestion = QStringList(40, QStringLiteral("слово")).join(u' ');
    const QString csv = kHeader + QStringLiteral("Короткий;1;;3;4;5;1;0;Ф\r\n"
                                                 "Другой;1;2;3;;5;4;0;Ф\r\n"
                                                 "%1;1;2;3;4;5;1;0;Ф\r\n")
                                      .arg(longQuestion);
    const QString bank = import(csv.toUtf8());
    const ProcessResult r = runQbank({"check", bank});
    EXPECT_EQ(r.exitCode, 1) << r.out.toStdString() << r.err.toStdString();
    const QStringList expected = {
        "  Запись 1 (Счетчик 1): вариант B («Ответ2») пустой",
        "  ОШИБКА: Запись 2 (Счетчик 2): верный ответ — пустой вариант D («Ответ4»)",
        "  Запись 3 (Счетчик 3): вопрос не помещается в своё поле на экране вопроса"};
    for (const QString& line : expected)
        EXPECT_TRUE(r.out.contains(u'\n' + line)) << line.toStdString() << "\n"
                                                  << r.out.toStdString();
    EXPECT_EQ(r.out.count(QStringLiteral("не помещается")), 1) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("Предупреждения"))) << r.out.toStdString();
}

TEST_F(QbankFiles, ImportStoresTextsOutsideTheCodePageExactly) {
    // The file holds every character; the program's reader shows its own
    // view of them, which is another matter.
    const QString text = QStringLiteral("Смайлик 😀 и 中文");
    const QString bank = import((kHeader + text + ";1;2;3;4;5;1;0;Ф\r\n").toUtf8());
    const NodeTable t = readWithNode(bank, bankTableName());
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0][FieldQuestion], std::optional<QString>(text));
    // Our own reader gives them back too, and so does the export.
    const BankTable raw = MdbBankSource(bank).LoadRaw();
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(raw[0].text[FieldQuestion], text);
    const ProcessResult exported = runQbank({"export", bank});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains(text)) << exported.out.toStdString();
}

} // namespace

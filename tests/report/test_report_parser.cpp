// SPDX-License-Identifier: GPL-3.0-or-later
// Reading report files back: every name the student can type, the numbers as
// the settings screen writes them, and files that were cut or edited.

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "report/ReportParser.h"
#include "tests/support/Reports.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using kt::test::BlockFields;
using kt::test::reportBytes;

namespace {

QByteArray cp(const QString& text) {
    return encodeCp1251(text);
}

// Replaces the first occurrence of `from` (in code page 1251) in the bytes.
QByteArray edited(QByteArray bytes, const QString& from, const QString& to) {
    const qsizetype at = bytes.indexOf(cp(from));
    EXPECT_GE(at, 0) << from.toStdString();
    return bytes.replace(at, cp(from).size(), cp(to));
}

} // namespace

TEST(ReportParser, ReadsBackEveryNameTheWriterWrites) {
    const QStringList names = {QStringLiteral("Петров --- 9 \"Б\""),
                               QStringLiteral("Сидорова, Анна"),
                               QStringLiteral("\"Кавычки\""),
                               QStringLiteral("Tom & Jerry"),
                               QString(),
                               QStringLiteral("  пробелы  ")};
    std::vector<BlockFields> specs;
    for (const QString& n : names)
        specs.push_back(BlockFields{n});
    const ParsedReport r = parseReport(reportBytes(specs));
    ASSERT_EQ(r.entries.size(), size_t(names.size()));
    EXPECT_TRUE(r.damage.empty());
    for (int i = 0; i < names.size(); ++i) {
        const ReportEntry& e = r.entries[size_t(i)];
        EXPECT_EQ(e.studentName, names[i]);
        EXPECT_EQ(e.line, 1 + 10 * i);
        EXPECT_EQ(reportTableRow(QStringLiteral("f"), i + 1, e),
                  QStringList({QStringLiteral("f"), QString::number(i + 1), names[i], "85",
                               "07.12.2026", "9:05:03", "0:12:41", "100", "20", "1", "100", "2"}));
    }
}

TEST(ReportParser, NumbersLoseTheirThousandsSeparators) {
    BlockFields grouped;
    grouped.from = QStringLiteral("1\u00A0000");
    grouped.to = QStringLiteral("12\u00A0345");
    grouped.bankSize = 12345;
    const ParsedReport r = parseReport(reportBytes({grouped}));
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].from, "1000");
    EXPECT_EQ(r.entries[0].to, "12345");
    EXPECT_EQ(r.entries[0].bankSize, "12345");

    for (const QString& wrong : {QStringLiteral("1\u00A000"), QStringLiteral("\u00A0100"),
                                 QStringLiteral("1234\u00A0567"), QStringLiteral("12a")}) {
        BlockFields bad;
        bad.to = wrong;
        const ParsedReport b = parseReport(reportBytes({bad}));
        EXPECT_TRUE(b.entries.empty()) << wrong.toStdString();
        ASSERT_EQ(b.damage.size(), 1u);
        EXPECT_EQ(b.damage[0].badLine, 9);
    }
}

TEST(ReportParser, CutLastBlockIsReportedWithItsLines) {
    const QByteArray whole = reportBytes({BlockFields{}, BlockFields{QStringLiteral("Второй")}});
    const QByteArray third = reportBytes({BlockFields{QStringLiteral("Третий")}});
    // Cut inside line 5 of the third block, as a full disk leaves it.
    const qsizetype cutAt = third.indexOf(cp(QStringLiteral("Время"))) + 8;
    const ParsedReport r = parseReport(whole + third.left(cutAt));
    ASSERT_EQ(r.entries.size(), 2u);
    ASSERT_EQ(r.damage.size(), 1u);
    EXPECT_EQ(r.damage[0].line, 21);
    EXPECT_EQ(r.damage[0].badLine, 25);
    EXPECT_TRUE(r.damage[0].reason.contains(QStringLiteral("оборван")));
    EXPECT_EQ(damageText(QStringLiteral("TestData.dat"), r.damage[0]),
              QStringLiteral("TestData.dat:21: блок отчета поврежден и пропущен (%1)")
                  .arg(r.damage[0].reason));

    // Cut at a line end: the block simply has too few lines.
    const qsizetype lineEnd = third.indexOf("\r\n", third.indexOf(cp(QStringLiteral("Время"))));
    const ParsedReport atEnd = parseReport(whole + third.left(lineEnd + 2));
    ASSERT_EQ(atEnd.damage.size(), 1u);
    EXPECT_EQ(atEnd.damage[0].badLine, 25);
}

TEST(ReportParser, EditedBlockIsSkippedAndReadingGoesOn) {
    const QByteArray three =
        reportBytes({BlockFields{QStringLiteral("А")}, BlockFields{QStringLiteral("Б")},
                     BlockFields{QStringLiteral("В")}});
    struct Case {
        QString from, to;
        int badLine;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("Студент --- Б"), QStringLiteral("Ученик --- Б"), 12},
        {QStringLiteral("Б\r\nОтветил правильно на --- 85 %"),
         QStringLiteral("Б\r\nОтветил правильно на --- 101 %"), 13},
        {QStringLiteral("Б\r\nОтветил правильно на --- 85 %\r\nДата тестирования --- 07.12.2026"),
         QStringLiteral("Б\r\nОтветил правильно на --- 85 %\r\nДата тестирования --- 31.02.2026"),
         14},
        {QStringLiteral("Б\r\nОтветил правильно на --- 85 %\r\nДата тестирования --- 07.12.2026\r\n"
                        "Время завершения тестирования --- 9:05:03"),
         QStringLiteral("Б\r\nОтветил правильно на --- 85 %\r\nДата тестирования --- 07.12.2026\r\n"
                        "Время завершения тестирования --- 24:05:03"),
         15},
    };
    for (const Case& c : cases) {
        const ParsedReport r = parseReport(edited(three, c.from, c.to));
        ASSERT_EQ(r.entries.size(), 2u) << c.to.toStdString();
        EXPECT_EQ(r.entries[0].studentName, "А");
        EXPECT_EQ(r.entries[1].studentName, "В");
        EXPECT_EQ(r.entries[1].line, 21);
        ASSERT_EQ(r.damage.size(), 1u);
        EXPECT_EQ(r.damage[0].line, 11);
        EXPECT_EQ(r.damage[0].badLine, c.badLine);
    }
    // A line missing from the middle: the next block starts where it should not.
    QByteArray missing = three;
    const QByteArray line = cp(QStringLiteral("Колличество вопросов в тесте --- 20\r\n"));
    missing.remove(missing.indexOf(line, missing.indexOf(cp(QStringLiteral("Б")))), line.size());
    const ParsedReport r = parseReport(missing);
    EXPECT_EQ(r.entries.size(), 2u);
    ASSERT_EQ(r.damage.size(), 1u);
    EXPECT_EQ(r.damage[0].badLine, 18);
}

TEST(ReportParser, LineEndsAndStrayLines) {
    // Nothing but line ends: no tests and nothing damaged.
    const ParsedReport empty = parseReport("\r\n\r\n\r\n");
    EXPECT_TRUE(empty.entries.empty());
    EXPECT_TRUE(empty.damage.empty());
    EXPECT_TRUE(parseReport(QByteArray()).entries.empty());

    const QByteArray crlf = reportBytes({BlockFields{}, BlockFields{QStringLiteral("Два")}});
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    EXPECT_EQ(parseReport(lf).entries.size(), 2u);
    // A whole block whose last line end was lost still counts.
    EXPECT_EQ(parseReport(crlf.chopped(2)).entries.size(), 2u);

    const ParsedReport stray = parseReport("\r\n" + cp(QStringLiteral("мусор\r\nещё\r\n")) + crlf);
    EXPECT_EQ(stray.entries.size(), 2u);
    ASSERT_EQ(stray.damage.size(), 1u);
    EXPECT_EQ(stray.damage[0].line, 2);
    EXPECT_EQ(stray.entries[0].line, 4);
}

TEST(ReportParser, ReadsACopyConvertedToUtf8) {
    const QString text = decodeCp1251(reportBytes({BlockFields{QStringLiteral("Ёжиков")}}));
    for (const QByteArray& prefix : {QByteArray(), QByteArrayLiteral("\xEF\xBB\xBF")}) {
        const ParsedReport r = parseReport(prefix + text.toUtf8());
        ASSERT_EQ(r.entries.size(), 1u);
        EXPECT_EQ(r.entries[0].studentName, QStringLiteral("Ёжиков"));
    }
}

// A file cut short and appended to by an older program: the next block's
// opening line is glued to the cut line. The cut block is one damaged entry
// and the glued one is still listed.
TEST(ReportParser, ABlockGluedToACutLineIsRead) {
    const QByteArray first = reportBytes({BlockFields{QStringLiteral("Первый")}});
    const QByteArray next = reportBytes({BlockFields{QStringLiteral("Второй")}});
    const qsizetype cutAt = first.indexOf(cp(QStringLiteral("Время"))) + 8;
    const ParsedReport r = parseReport(first + first.left(cutAt) + next + first);
    ASSERT_EQ(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[1].studentName, QStringLiteral("Второй"));
    EXPECT_EQ(r.entries[1].line, 15); // the glued line, where the opening line went
    ASSERT_EQ(r.damage.size(), 1u);
    EXPECT_EQ(r.damage[0].line, 11);
    EXPECT_EQ(r.damage[0].badLine, 15);
}

// A copy converted to UTF-8 that the program then appended to in code page
// 1251: each block is read in its own encoding.
TEST(ReportParser, EachBlockIsReadInItsOwnEncoding) {
    const QByteArray oldOnes = decodeCp1251(reportBytes({BlockFields{QStringLiteral("Ёжиков")},
                                                         BlockFields{QStringLiteral("Юдина")}}))
                                   .toUtf8();
    const QByteArray newOne = reportBytes({BlockFields{QStringLiteral("Щукин")}});
    for (const QByteArray& bom : {QByteArray(), QByteArrayLiteral("\xEF\xBB\xBF")}) {
        const ParsedReport r = parseReport(bom + oldOnes + newOne + oldOnes);
        ASSERT_EQ(r.entries.size(), 5u);
        EXPECT_TRUE(r.damage.empty());
        EXPECT_EQ(r.entries[1].studentName, QStringLiteral("Юдина"));
        EXPECT_EQ(r.entries[2].studentName, QStringLiteral("Щукин"));
        EXPECT_EQ(r.entries[3].studentName, QStringLiteral("Ёжиков"));
    }
}

// Damaged lines one after another are one record with their range, however
// many blocks they seem to open; a whole block between two runs parts them.
TEST(ReportParser, ARunOfDamagedLinesIsOneRecord) {
    const QByteArray block = reportBytes({BlockFields{}});
    const ParsedReport r = parseReport(QByteArray(" \r\n").repeated(1000) + block +
                                       cp(QStringLiteral("мусор\r\n")).repeated(5) +
                                       QByteArray(" \r\n").repeated(3) + block);
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].line, 1001);
    EXPECT_EQ(r.entries[1].line, 1019);
    ASSERT_EQ(r.damage.size(), 2u);
    EXPECT_EQ(r.damage[0].line, 1);
    EXPECT_EQ(r.damage[0].lastLine, 1000);
    EXPECT_EQ(r.damage[0].blocks, 1000);
    EXPECT_TRUE(damageText(QStringLiteral("T.dat"), r.damage[0])
                    .startsWith(QStringLiteral("T.dat:1–1000: ")));
    EXPECT_EQ(r.damage[1].line, 1011);
    EXPECT_EQ(r.damage[1].lastLine, 1018);
}

TEST(ReportParser, FilesThatCannotBeReadGiveRussianMessages) {
    EXPECT_THROW(readReportFile(QStringLiteral("/nonexistent/TestData.dat")), KtError);
    try {
        readReportFile(QStringLiteral("/"));
        FAIL() << "a folder was read as a report";
    } catch (const KtError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("не файл отчета")));
    }
}

// A file is read a piece at a time: blocks, cut blocks and a long junk line
// across the pieces' edges read as the same bytes read whole.
TEST(ReportParser, AFileReadInPiecesReadsAsItsBytesWhole) {
    const QByteArray block = reportBytes({BlockFields{}});
    const QByteArray cut = block.left(block.size() / 2);
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF");
    for (int i = 0; i < 9000; ++i)
        bytes += i % 1000 == 999 ? cut : block;
    bytes += QByteArray(1500000, 'x') + "\r\n" + block + cut;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TestData.dat"));
    kt::test::writeFile(path, bytes);
    const ParsedReport whole = parseReport(bytes), pieces = readReportFile(path);
    ASSERT_EQ(pieces.entries.size(), whole.entries.size());
    EXPECT_EQ(whole.entries.size(), 8992u);
    for (size_t i = 0; i < whole.entries.size(); ++i)
        ASSERT_EQ(reportTableRow("f", 1, pieces.entries[i]),
                  reportTableRow("f", 1, whole.entries[i]))
            << i;
    ASSERT_EQ(pieces.damage.size(), whole.damage.size());
    for (size_t i = 0; i < whole.damage.size(); ++i)
        EXPECT_EQ(damageText("f", pieces.damage[i]), damageText("f", whole.damage[i]));
}

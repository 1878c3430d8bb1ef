// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportParser.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "report/ReportLabels.h"
#include "report/ReportReasons.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>

namespace kt {
namespace {

constexpr int kBlockLines = kReportBlockLines;
// A report grows by a few hundred bytes a test; a gigabyte is not a report.
constexpr qint64 kMaxReportBytes = qint64(1) << 30;

// The texts of a block in the file's encoding. Blocks are read from the bytes
// as they are: decoding a report of many megabytes first would cost more
// than all the rest, and only the values need decoding.
struct Encoding {
    std::array<QByteArray, kBlockLines> prefixes; // the literal opening each line
    QByteArray percentSuffix;
    QByteArray rangeMiddle;
    QByteArray minutesSuffix;
    QByteArray noBreakSpace;
    QString (*decode)(QByteArrayView);
};

QString decodeCp1251View(QByteArrayView v) {
    for (char c : v)
        if (static_cast<unsigned char>(c) >= 0x80)
            return decodeCp1251(v.toByteArray());
    return QString::fromLatin1(v);
}

QString decodeUtf8View(QByteArrayView v) {
    return QString::fromUtf8(v);
}

Encoding makeEncoding(QByteArray (*encode)(const QString&), QString (*decode)(QByteArrayView)) {
    const ReportLabels& labels = reportLabels();
    Encoding e;
    for (int k = 0; k < kBlockLines; ++k)
        e.prefixes[static_cast<size_t>(k)] = encode(labels.lines[static_cast<size_t>(k)]);
    e.percentSuffix = encode(labels.percentSuffix);
    e.rangeMiddle = encode(labels.rangeMiddle);
    e.minutesSuffix = encode(labels.minutesSuffix);
    e.noBreakSpace = encode(QString(QChar(0x00A0)));
    e.decode = decode;
    return e;
}

QByteArray encodeUtf8(const QString& text) {
    return text.toUtf8();
}

const Encoding& cp1251() {
    static const Encoding e = makeEncoding(encodeCp1251, decodeCp1251View);
    return e;
}

const Encoding& utf8() {
    static const Encoding e = makeEncoding(encodeUtf8, decodeUtf8View);
    return e;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(QByteArrayView v) {
    if (v.isEmpty())
        return false;
    for (char c : v)
        if (!isDigit(c))
            return false;
    return true;
}

// Length of the thousands separator at `at`, or 0 when there is none.
qsizetype separatorAt(QByteArrayView v, qsizetype at, const Encoding& enc) {
    if (v[at] == ' ')
        return 1;
    return v.sliced(at).startsWith(enc.noBreakSpace) ? enc.noBreakSpace.size() : 0;
}

// The plain digits of the block's numbers: the bank size, the count, the
// range and the minutes. Kept from block to block, so no block allocates.
using Digits = std::array<QByteArray, 5>;

// A whole number as the settings screen writes it: plain digits, or groups of
// three after a no-break space from 1000 on. Gives the plain digits.
bool readNumber(QByteArrayView v, const Encoding& enc, QByteArray& digits, QByteArrayView* out) {
    digits.resize(0); // keeps the capacity
    if (v.startsWith('-')) {
        digits += '-';
        v = v.sliced(1);
    }
    qsizetype groupStart = 0;
    qsizetype i = 0;
    while (true) {
        const qsizetype sep = i < v.size() ? separatorAt(v, i, enc) : 0;
        if (i < v.size() && sep == 0) {
            ++i;
            continue;
        }
        const QByteArrayView group = v.sliced(groupStart, i - groupStart);
        const bool first = groupStart == 0;
        const bool last = i == v.size();
        if (!allDigits(group) || (!first && group.size() != 3) ||
            (first && !last && group.size() > 3))
            return false;
        digits += group;
        if (last)
            break;
        i += sep;
        groupStart = i;
    }
    *out = digits;
    return true;
}

int twoDigitsAt(QByteArrayView v, qsizetype at) {
    return (v[at] - '0') * 10 + (v[at + 1] - '0');
}

// "07.12.2026", a real date.
bool readDate(QByteArrayView v, QByteArrayView* out) {
    if (v.size() != 10 || v[2] != '.' || v[5] != '.')
        return false;
    if (!allDigits(v.sliced(0, 2)) || !allDigits(v.sliced(3, 2)) || !allDigits(v.sliced(6, 4)))
        return false;
    const int year = twoDigitsAt(v, 6) * 100 + twoDigitsAt(v, 8);
    if (!QDate::isValid(year, twoDigitsAt(v, 3), twoDigitsAt(v, 0)))
        return false;
    *out = v;
    return true;
}

// "9:05:03" or "00:00:00": hours of one or two digits, then minutes and seconds.
bool readTime(QByteArrayView v, QByteArrayView* out) {
    const qsizetype h = v.indexOf(':');
    if (h < 1 || h > 2 || v.size() != h + 6 || v[h + 3] != ':')
        return false;
    if (!allDigits(v.sliced(0, h)) || !allDigits(v.sliced(h + 1, 2)) ||
        !allDigits(v.sliced(h + 4, 2)))
        return false;
    const int hours = h == 1 ? v[0] - '0' : twoDigitsAt(v, 0);
    if (hours > 23 || twoDigitsAt(v, h + 1) > 59 || twoDigitsAt(v, h + 4) > 59)
        return false;
    *out = v;
    return true;
}

// "85 %": the rounded-down percentage, never above 100.
bool readPercent(QByteArrayView v, const Encoding& enc, QByteArrayView* out) {
    if (!v.endsWith(enc.percentSuffix))
        return false;
    const QByteArrayView n = v.chopped(enc.percentSuffix.size());
    if (!allDigits(n) || n.size() > 3 || (n.size() == 3 && n.compare("100") > 0))
        return false;
    *out = n;
    return true;
}

// "1  до  --- 1 200": the range's two record numbers.
bool readRange(QByteArrayView v, const Encoding& enc, ReportValues& e, Digits& d) {
    const qsizetype at = v.indexOf(enc.rangeMiddle);
    return at >= 0 && readNumber(v.first(at), enc, d[2], &e.from) &&
           readNumber(v.sliced(at + enc.rangeMiddle.size()), enc, d[3], &e.to);
}

bool readMinutes(QByteArrayView v, const Encoding& enc, QByteArray& digits, QByteArrayView* out) {
    return v.endsWith(enc.minutesSuffix) &&
           readNumber(v.chopped(enc.minutesSuffix.size()), enc, digits, out);
}

// The value after line k's literal.
bool readValue(int k, QByteArrayView v, const Encoding& enc, ReportValues& e, Digits& d) {
    switch (k) {
    case 0:
        return v.isEmpty();
    case 1:
        e.studentName = v;
        e.utf8 = enc.decode == decodeUtf8View;
        return true;
    case 2:
        return readPercent(v, enc, &e.percent);
    case 3:
        return readDate(v, &e.date);
    case 4:
        return readTime(v, &e.time);
    case 5:
        return readTime(v, &e.timeLeft);
    case 6:
        return readNumber(v, enc, d[0], &e.bankSize);
    case 7:
        return readNumber(v, enc, d[1], &e.count);
    case 8:
        return readRange(v, enc, e, d);
    default:
        return readMinutes(v, enc, d[4], &e.minutes);
    }
}

QString shortened(const QString& v) {
    constexpr qsizetype kShown = 40;
    return v.size() <= kShown ? v : v.left(kShown) + QChar(0x2026);
}

// A report file read a piece at a time.
struct FilePieces {
    QFile* file = nullptr;
    QString path;
    QByteArray buffer;
    bool atEnd = false;
};

// The lines of a report, one at a time: a report of many megabytes is read
// without a table of its lines, so memory grows with the blocks found. Over
// a file, only the lines ahead that a block needs are in memory.
class LineCursor {
public:
    explicit LineCursor(QByteArrayView all) : m_all(all) {}
    explicit LineCursor(FilePieces* pieces) : m_pieces(pieces) {}
    bool atEnd() const { return m_pos >= m_all.size(); }
    int lineNo() const { return m_lineNo; } // of the next line, from 1
    // Makes the next `lines` whole lines (or the rest of the file) readable.
    // Lines read before it are let go: only a cursor taken after it is valid.
    void lookAhead(int lines) {
        while (m_pieces && !m_pieces->atEnd && !hasLines(lines))
            readPiece();
    }
    void skip(QByteArrayView prefix) {
        if (m_all.sliced(m_pos).startsWith(prefix))
            m_pos += prefix.size();
    }
    // The next line without its end; `ended` is false for a last line that
    // has no line end (the file was cut there).
    QByteArrayView next(bool* ended) {
        qsizetype end = m_all.indexOf('\n', m_pos);
        *ended = end >= 0;
        if (end < 0)
            end = m_all.size();
        QByteArrayView line = m_all.sliced(m_pos, end - m_pos);
        if (line.endsWith('\r'))
            line.chop(1);
        m_pos = end + 1;
        ++m_lineNo;
        return line;
    }

private:
    bool hasLines(int lines) const {
        qsizetype at = m_pos;
        for (int i = 0; i < lines; ++i) {
            at = m_all.indexOf('\n', at);
            if (at < 0)
                return false;
            ++at;
        }
        return true;
    }
    void readPiece();

    QByteArrayView m_all;
    FilePieces* m_pieces = nullptr;
    qsizetype m_pos = 0;
    int m_lineNo = 1;
};

void LineCursor::readPiece() {
    constexpr qsizetype kPiece = qsizetype(1) << 20;
    QByteArray& b = m_pieces->buffer;
    // The unread rest moves to the front by hand: QByteArray::remove() at
    // the front only moves the start, and the buffer would grow to the file.
    const qsizetype rest = b.size() - std::min(m_pos, b.size());
    std::memmove(b.data(), b.constData() + b.size() - rest, static_cast<size_t>(rest));
    b.resize(rest);
    m_pos = 0;
    const qsizetype old = b.size();
    b.resize(old + kPiece);
    const qint64 got = m_pieces->file->read(b.data() + old, kPiece);
    if (got < 0)
        throw KtError(QStringLiteral("Не удалось прочитать файл отчета «%1»: %2")
                          .arg(m_pieces->path, readFailedText()));
    b.resize(old + got);
    m_pieces->atEnd = got == 0;
    m_all = b;
}

// Code page 1251 as the program writes it; UTF-8 for a block that was
// converted for a Linux editor. Decided per block, as one file may hold
// both: a copy converted to UTF-8 that the program then appended to.
const Encoding& blockEncoding(QByteArrayView studentLine) {
    return !studentLine.startsWith(cp1251().prefixes[1]) &&
                   studentLine.startsWith(utf8().prefixes[1])
               ? utf8()
               : cp1251();
}

bool opensWithStudent(QByteArrayView line) {
    return line.startsWith(cp1251().prefixes[1]) || line.startsWith(utf8().prefixes[1]);
}

// Why line k breaks the block, or an empty text.
QString lineProblem(QByteArrayView line, int lineNo, bool ended, int k, const Encoding& enc,
                    ReportValues& e, Digits& d) {
    if (!ended && k + 1 < kBlockLines)
        return QStringLiteral("блок оборван на строке %1").arg(lineNo);
    const QByteArray& prefix = enc.prefixes[static_cast<size_t>(k)];
    if (!line.startsWith(prefix))
        return QStringLiteral("строка %1 не начинается с «%2»")
            .arg(QString::number(lineNo), enc.decode(prefix).trimmed());
    if (!readValue(k, line.sliced(prefix.size()), enc, e, d))
        return QStringLiteral("в строке %1 неверное значение «%2»")
            .arg(QString::number(lineNo), shortened(enc.decode(line.sliced(prefix.size()))));
    return QString();
}

// Reads a block from line `firstK` on (1 when its opening line was lost);
// on failure leaves the cursor at the line that broke it, which may open
// the next block, and fills `damage`.
bool readBlock(LineCursor& in, int firstK, ReportValues& e, Digits& d, ReportDamage& damage) {
    const Encoding* enc = &cp1251();
    for (int k = firstK; k < kBlockLines; ++k) {
        if (in.atEnd()) {
            damage.badLine = in.lineNo() - 1;
            damage.reason =
                QStringLiteral("блок оборван: файл кончается на строке %1").arg(damage.badLine);
            return false;
        }
        const LineCursor before = in;
        bool ended = true;
        const QByteArrayView line = in.next(&ended);
        if (k == 1)
            enc = &blockEncoding(line);
        damage.badLine = before.lineNo();
        damage.reason = lineProblem(line, damage.badLine, ended, k, *enc, e, d);
        if (!damage.reason.isEmpty()) {
            in = before;
            return false;
        }
    }
    e.line = damage.line;
    return true;
}

// A run of damaged blocks and stray lines with no whole block between them
// is one record: a file of junk lines costs one record, not one a line.
void addDamage(std::vector<ReportDamage>& out, const ReportDamage& damage, bool joinsLast) {
    if (joinsLast && !out.empty()) {
        ReportDamage& last = out.back();
        last.lastLine = damage.lastLine;
        ++last.blocks;
        return;
    }
    out.push_back(damage);
}

// A block reads at most its ten lines and then one more, the line that
// opens the next block after a damaged one.
constexpr int kLinesAhead = kBlockLines + 2;

std::vector<ReportDamage> scanLines(LineCursor& in, const ReportBlockSink& sink) {
    in.lookAhead(kLinesAhead);
    in.skip(QByteArrayLiteral("\xEF\xBB\xBF"));
    std::vector<ReportDamage> out;
    Digits digits;
    bool inDamage = false; // the lines since the last whole block are damaged
    bool previousEndsInSpace = false;
    for (in.lookAhead(kLinesAhead); !in.atEnd(); in.lookAhead(kLinesAhead)) {
        const LineCursor start = in;
        bool ended = true;
        const QByteArrayView line = in.next(&ended);
        // A block whose opening line was glued to a cut line before it.
        const bool glued = inDamage && previousEndsInSpace && opensWithStudent(line);
        const bool opens = line == " " || glued;
        previousEndsInSpace = line.endsWith(' ');
        if (line.isEmpty() || (inDamage && !opens)) {
            if (inDamage && !line.isEmpty())
                out.back().lastLine = start.lineNo();
            continue;
        }
        ReportValues values;
        ReportDamage damage;
        damage.line = glued ? start.lineNo() - 1 : start.lineNo();
        if (opens) {
            if (glued)
                in = start;
            if (readBlock(in, 1, values, digits, damage)) {
                sink(values);
                inDamage = false;
                continue;
            }
        } else {
            damage.badLine = start.lineNo();
            damage.reason = QStringLiteral("строка %1 не начинает блок").arg(damage.line);
        }
        if (in.lineNo() == start.lineNo())
            in.next(&ended); // a glued line that opens nothing after all
        damage.lastLine = std::max(damage.line, in.lineNo() - 1);
        addDamage(out, damage, inDamage);
        inDamage = true;
    }
    return out;
}

QString asciiText(QByteArrayView v) {
    return QString::fromLatin1(v);
}

} // namespace

QString studentNameOf(const ReportValues& v) {
    return v.utf8 ? decodeUtf8View(v.studentName) : decodeCp1251View(v.studentName);
}

ReportEntry reportEntry(const ReportValues& v) {
    ReportEntry e;
    e.line = v.line;
    e.studentName = studentNameOf(v);
    e.percent = asciiText(v.percent);
    e.date = asciiText(v.date);
    e.time = asciiText(v.time);
    e.timeLeft = asciiText(v.timeLeft);
    e.bankSize = asciiText(v.bankSize);
    e.count = asciiText(v.count);
    e.from = asciiText(v.from);
    e.to = asciiText(v.to);
    e.minutes = asciiText(v.minutes);
    return e;
}

std::vector<ReportDamage> scanReport(const QByteArray& bytes, const ReportBlockSink& sink) {
    LineCursor in{QByteArrayView(bytes)};
    return scanLines(in, sink);
}

ParsedReport parseReport(const QByteArray& bytes) {
    ParsedReport out;
    out.damage =
        scanReport(bytes, [&out](const ReportValues& v) { out.entries.push_back(reportEntry(v)); });
    return out;
}

std::vector<ReportDamage> scanReportFile(const QString& path, const ReportBlockSink& sink) {
    const QFileInfo info(path);
    if (!info.exists())
        throw KtError(QStringLiteral("Файл отчета «%1» не найден").arg(path));
    if (!info.isFile())
        throw KtError(QStringLiteral("«%1» - не файл отчета (папка или устройство)").arg(path));
    if (info.size() > kMaxReportBytes)
        throw KtError(QStringLiteral("Файл «%1» слишком велик для файла отчета").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KtError(QStringLiteral("Не удалось открыть файл отчета «%1»: %2")
                          .arg(path, openFailureReason(path)));
    FilePieces pieces{&file, path, {}, false};
    LineCursor in(&pieces);
    return scanLines(in, sink);
}

ParsedReport readReportFile(const QString& path) {
    ParsedReport out;
    out.damage = scanReportFile(
        path, [&out](const ReportValues& v) { out.entries.push_back(reportEntry(v)); });
    return out;
}

qint64 maxBlocksIn(qint64 bytes) {
    // Each line's literal, its line feed, and a value of at least a byte on
    // the lines that need one.
    static const qint64 least = [] {
        qint64 n = 0;
        for (const QByteArray& prefix : cp1251().prefixes)
            n += prefix.size() + 1;
        return n + cp1251().percentSuffix.size() + cp1251().rangeMiddle.size() +
               cp1251().minutesSuffix.size() + 8;
    }();
    return bytes / least + 1;
}

QStringList reportTableHeader() {
    return {QStringLiteral("Файл"),
            QStringLiteral("Блок"),
            QStringLiteral("Ученик"),
            QStringLiteral("Процент"),
            QStringLiteral("Дата"),
            QStringLiteral("Время"),
            QStringLiteral("Остаток времени"),
            QStringLiteral("Вопросов в базе"),
            QStringLiteral("Вопросов в тесте"),
            QStringLiteral("От"),
            QStringLiteral("До"),
            QStringLiteral("Минут на вопрос")};
}

QStringList reportTableRow(const QString& file, int number, const ReportEntry& e) {
    return {file,          QString::number(number),
            e.studentName, e.percent,
            e.date,        e.time,
            e.timeLeft,    e.bankSize,
            e.count,       e.from,
            e.to,          e.minutes};
}

QString damageText(const QString& file, const ReportDamage& damage) {
    if (damage.blocks <= 1)
        return QStringLiteral("%1:%2: блок отчета поврежден и пропущен (%3)")
            .arg(file, QString::number(damage.line), damage.reason);
    return QStringLiteral("%1:%2–%3: строки отчета повреждены и пропущены (%4 поврежденных "
                          "блоков подряд; первый: %5)")
        .arg(file, QString::number(damage.line), QString::number(damage.lastLine),
             QString::number(damage.blocks), damage.reason);
}

} // namespace kt

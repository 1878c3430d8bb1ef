// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportParser.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace kt {
namespace {

constexpr int kBlockLines = 10;
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
    const QStringList literals = {
        QStringLiteral(" "),
        QStringLiteral("Студент --- "),
        QStringLiteral("Ответил правильно на --- "),
        QStringLiteral("Дата тестирования --- "),
        QStringLiteral("Время завершения тестирования --- "),
        QStringLiteral("Остаток времени после тестирования --- "),
        QStringLiteral("Всего вопросов в базе - "),
        QStringLiteral("Колличество вопросов в тесте --- "),
        QStringLiteral("Отбор вопросов из диапазона от --- "),
        QStringLiteral("Выделяемое время на один вопрос --- "),
    };
    Encoding e;
    for (int k = 0; k < kBlockLines; ++k)
        e.prefixes[static_cast<size_t>(k)] = encode(literals[k]);
    e.percentSuffix = encode(QStringLiteral(" %"));
    e.rangeMiddle = encode(QStringLiteral("  до  --- "));
    e.minutesSuffix = encode(QStringLiteral(" мин"));
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

// A whole number as the settings screen writes it: plain digits, or groups of
// three after a no-break space from 1000 on. Gives the plain digits.
bool readNumber(QByteArrayView v, const Encoding& enc, QString* out) {
    QByteArray digits;
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
    *out = QString::fromLatin1(digits);
    return true;
}

int twoDigitsAt(QByteArrayView v, qsizetype at) {
    return (v[at] - '0') * 10 + (v[at + 1] - '0');
}

// "07.12.2026", a real date.
bool readDate(QByteArrayView v, QString* out) {
    if (v.size() != 10 || v[2] != '.' || v[5] != '.')
        return false;
    if (!allDigits(v.sliced(0, 2)) || !allDigits(v.sliced(3, 2)) || !allDigits(v.sliced(6, 4)))
        return false;
    const int year = twoDigitsAt(v, 6) * 100 + twoDigitsAt(v, 8);
    if (!QDate::isValid(year, twoDigitsAt(v, 3), twoDigitsAt(v, 0)))
        return false;
    *out = QString::fromLatin1(v);
    return true;
}

// "9:05:03" or "00:00:00": hours of one or two digits, then minutes and seconds.
bool readTime(QByteArrayView v, QString* out) {
    const qsizetype h = v.indexOf(':');
    if (h < 1 || h > 2 || v.size() != h + 6 || v[h + 3] != ':')
        return false;
    if (!allDigits(v.sliced(0, h)) || !allDigits(v.sliced(h + 1, 2)) ||
        !allDigits(v.sliced(h + 4, 2)))
        return false;
    const int hours = h == 1 ? v[0] - '0' : twoDigitsAt(v, 0);
    if (hours > 23 || twoDigitsAt(v, h + 1) > 59 || twoDigitsAt(v, h + 4) > 59)
        return false;
    *out = QString::fromLatin1(v);
    return true;
}

// "85 %": the rounded-down percentage, never above 100.
bool readPercent(QByteArrayView v, const Encoding& enc, QString* out) {
    if (!v.endsWith(enc.percentSuffix))
        return false;
    const QByteArrayView n = v.chopped(enc.percentSuffix.size());
    if (!allDigits(n) || n.size() > 3 || (n.size() == 3 && n.compare("100") > 0))
        return false;
    *out = QString::fromLatin1(n);
    return true;
}

// "1  до  --- 1 200": the range's two record numbers.
bool readRange(QByteArrayView v, const Encoding& enc, ReportEntry& e) {
    const qsizetype at = v.indexOf(enc.rangeMiddle);
    return at >= 0 && readNumber(v.first(at), enc, &e.from) &&
           readNumber(v.sliced(at + enc.rangeMiddle.size()), enc, &e.to);
}

bool readMinutes(QByteArrayView v, const Encoding& enc, QString* out) {
    return v.endsWith(enc.minutesSuffix) &&
           readNumber(v.chopped(enc.minutesSuffix.size()), enc, out);
}

// The value after line k's literal.
bool readValue(int k, QByteArrayView v, const Encoding& enc, ReportEntry& e) {
    switch (k) {
    case 0:
        return v.isEmpty();
    case 1:
        e.studentName = enc.decode(v);
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
        return readNumber(v, enc, &e.bankSize);
    case 7:
        return readNumber(v, enc, &e.count);
    case 8:
        return readRange(v, enc, e);
    default:
        return readMinutes(v, enc, &e.minutes);
    }
}

QString shortened(const QString& v) {
    constexpr qsizetype kShown = 40;
    return v.size() <= kShown ? v : v.left(kShown) + QChar(0x2026);
}

// The lines of a report and how to read them.
struct Lines {
    std::vector<QByteArrayView> lines;
    const Encoding* enc = nullptr;
    bool cutLast = false; // the last line has no line end: the file was cut there
};

// Why line k of the block at `at` breaks it, or an empty text.
QString lineProblem(const Lines& in, size_t at, int k, ReportEntry& e) {
    const QByteArray& prefix = in.enc->prefixes[static_cast<size_t>(k)];
    const int lineNo = static_cast<int>(at) + 1;
    if (in.cutLast && at + 1 == in.lines.size() && k + 1 < kBlockLines)
        return QStringLiteral("блок оборван на строке %1").arg(lineNo);
    const QByteArrayView line = in.lines[at];
    if (!line.startsWith(prefix))
        return QStringLiteral("строка %1 не начинается с «%2»")
            .arg(QString::number(lineNo), in.enc->decode(prefix).trimmed());
    if (!readValue(k, line.sliced(prefix.size()), *in.enc, e))
        return QStringLiteral("в строке %1 неверное значение «%2»")
            .arg(QString::number(lineNo), shortened(in.enc->decode(line.sliced(prefix.size()))));
    return QString();
}

// Reads the block that starts at `start`; on failure fills `damage`.
bool readBlock(const Lines& in, size_t start, ReportEntry& e, ReportDamage& damage) {
    damage.line = static_cast<int>(start) + 1;
    for (int k = 0; k < kBlockLines; ++k) {
        const size_t at = start + static_cast<size_t>(k);
        if (at >= in.lines.size()) {
            damage.badLine = static_cast<int>(in.lines.size());
            damage.reason =
                QStringLiteral("блок оборван: файл кончается на строке %1").arg(damage.badLine);
            return false;
        }
        damage.badLine = static_cast<int>(at) + 1;
        damage.reason = lineProblem(in, at, k, e);
        if (!damage.reason.isEmpty())
            return false;
    }
    e.line = damage.line;
    return true;
}

// Lines without their ends; a final line end does not start another line.
Lines splitLines(QByteArrayView all) {
    Lines out;
    out.lines.reserve(static_cast<size_t>(all.size() / 32));
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        out.lines.push_back(line);
        start = end + 1;
    }
    out.cutLast = !all.isEmpty() && !all.endsWith('\n');
    return out;
}

// Code page 1251 as written; UTF-8 for a copy converted for a Linux editor.
Lines reportLines(const QByteArray& bytes) {
    static const QByteArray bom = QByteArrayLiteral("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        Lines in = splitLines(QByteArrayView(bytes).sliced(bom.size()));
        in.enc = &utf8();
        return in;
    }
    Lines in = splitLines(bytes);
    const bool isUtf8 = !bytes.contains(cp1251().prefixes[1]) && bytes.contains(utf8().prefixes[1]);
    in.enc = isUtf8 ? &utf8() : &cp1251();
    return in;
}

size_t nextBlockStart(const std::vector<QByteArrayView>& lines, size_t from) {
    while (from < lines.size() && lines[from] != " ")
        ++from;
    return from;
}

} // namespace

ParsedReport parseReport(const QByteArray& bytes) {
    const Lines in = reportLines(bytes);
    const std::vector<QByteArrayView>& lines = in.lines;
    ParsedReport out;
    out.entries.reserve(lines.size() / kBlockLines);
    size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].isEmpty()) {
            ++i;
            continue;
        }
        ReportEntry entry;
        ReportDamage damage;
        const bool opens = lines[i] == " ";
        if (opens && readBlock(in, i, entry, damage)) {
            out.entries.push_back(std::move(entry));
            i += kBlockLines;
            continue;
        }
        if (!opens) {
            damage.line = damage.badLine = static_cast<int>(i) + 1;
            damage.reason = QStringLiteral("строка %1 не начинает блок").arg(damage.line);
        }
        out.damage.push_back(damage);
        i = nextBlockStart(lines, i + 1);
    }
    return out;
}

ParsedReport readReportFile(const QString& path) {
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
                          .arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KtError(QStringLiteral("Не удалось прочитать файл отчета «%1»: %2")
                          .arg(path, file.errorString()));
    return parseReport(bytes);
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
    return QStringLiteral("%1:%2: блок отчета поврежден и пропущен (%3)")
        .arg(file, QString::number(damage.line), damage.reason);
}

} // namespace kt

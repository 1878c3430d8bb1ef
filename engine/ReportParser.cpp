#include "ReportParser.h"

#include "Cp1251.h"
#include "KtError.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace kt {
namespace {

constexpr int kBlockLines = 10;
// A report grows by a few hundred bytes a test; a gigabyte is not a report.
constexpr qint64 kMaxReportBytes = qint64(1) << 30;

// The literal that opens each line of a block, as the report writer puts it.
const std::array<QString, kBlockLines>& prefixes() {
    static const std::array<QString, kBlockLines> p = {
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
    return p;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView v) {
    if (v.isEmpty())
        return false;
    for (QChar c : v)
        if (!isDigit(c))
            return false;
    return true;
}

bool isGroupSeparator(QChar c) {
    return c == QChar(0x00A0) || c == u' ';
}

// A whole number as the settings screen writes it: plain digits, or groups of
// three after a no-break space from 1000 on. Gives the plain digits.
bool readNumber(QStringView v, QString* out) {
    QString digits;
    if (v.startsWith(u'-')) {
        digits += u'-';
        v = v.mid(1);
    }
    qsizetype groupStart = 0;
    for (qsizetype i = 0; i <= v.size(); ++i) {
        if (i < v.size() && !isGroupSeparator(v[i]))
            continue;
        const QStringView group = v.mid(groupStart, i - groupStart);
        const bool first = groupStart == 0;
        const bool last = i == v.size();
        if (!allDigits(group) || (!first && group.size() != 3) ||
            (first && !last && group.size() > 3))
            return false;
        digits += group;
        groupStart = i + 1;
    }
    *out = digits;
    return true;
}

int twoDigitsAt(QStringView v, qsizetype at) {
    return (v[at].unicode() - u'0') * 10 + (v[at + 1].unicode() - u'0');
}

// "07.12.2026", a real date.
bool readDate(QStringView v, QString* out) {
    if (v.size() != 10 || v[2] != u'.' || v[5] != u'.')
        return false;
    if (!allDigits(v.mid(0, 2)) || !allDigits(v.mid(3, 2)) || !allDigits(v.mid(6, 4)))
        return false;
    const int year = twoDigitsAt(v, 6) * 100 + twoDigitsAt(v, 8);
    if (!QDate::isValid(year, twoDigitsAt(v, 3), twoDigitsAt(v, 0)))
        return false;
    *out = v.toString();
    return true;
}

// "9:05:03" or "00:00:00": hours of one or two digits, then minutes and seconds.
bool readTime(QStringView v, QString* out) {
    const qsizetype h = v.indexOf(u':');
    if (h < 1 || h > 2 || v.size() != h + 6 || v[h + 3] != u':')
        return false;
    if (!allDigits(v.mid(0, h)) || !allDigits(v.mid(h + 1, 2)) || !allDigits(v.mid(h + 4, 2)))
        return false;
    if (v.mid(0, h).toInt() > 23 || twoDigitsAt(v, h + 1) > 59 || twoDigitsAt(v, h + 4) > 59)
        return false;
    *out = v.toString();
    return true;
}

// "85 %": the rounded-down percentage, never above 100.
bool readPercent(QStringView v, QString* out) {
    if (!v.endsWith(u" %"))
        return false;
    const QStringView n = v.chopped(2);
    if (!allDigits(n) || n.size() > 3 || n.toInt() > 100)
        return false;
    *out = n.toString();
    return true;
}

// "1  до  --- 1 200": the range's two record numbers.
bool readRange(QStringView v, ReportEntry& e) {
    static const QString middle = QStringLiteral("  до  --- ");
    const qsizetype at = v.indexOf(middle);
    return at >= 0 && readNumber(v.left(at), &e.from) &&
           readNumber(v.mid(at + middle.size()), &e.to);
}

bool readMinutes(QStringView v, QString* out) {
    return v.endsWith(u" мин") && readNumber(v.chopped(4), out);
}

// The value after line k's literal.
bool readValue(int k, QStringView v, ReportEntry& e) {
    switch (k) {
    case 0:
        return v.isEmpty();
    case 1:
        e.studentName = v.toString();
        return true;
    case 2:
        return readPercent(v, &e.percent);
    case 3:
        return readDate(v, &e.date);
    case 4:
        return readTime(v, &e.time);
    case 5:
        return readTime(v, &e.timeLeft);
    case 6:
        return readNumber(v, &e.bankSize);
    case 7:
        return readNumber(v, &e.count);
    case 8:
        return readRange(v, e);
    default:
        return readMinutes(v, &e.minutes);
    }
}

QString shortened(QStringView v) {
    constexpr qsizetype kShown = 40;
    return v.size() <= kShown ? v.toString() : v.left(kShown).toString() + QChar(0x2026);
}

// Reads the block that starts at `start`; on failure fills `damage`.
bool readBlock(const std::vector<QStringView>& lines, size_t start, bool cutLast, ReportEntry& e,
               ReportDamage& damage) {
    damage.line = static_cast<int>(start) + 1;
    for (int k = 0; k < kBlockLines; ++k) {
        const size_t at = start + static_cast<size_t>(k);
        if (at >= lines.size()) {
            damage.badLine = static_cast<int>(lines.size());
            damage.reason =
                QStringLiteral("блок оборван: файл кончается на строке %1").arg(damage.badLine);
            return false;
        }
        const QStringView line = lines[at];
        const QString& prefix = prefixes()[static_cast<size_t>(k)];
        damage.badLine = static_cast<int>(at) + 1;
        if (cutLast && at + 1 == lines.size() && k + 1 < kBlockLines) {
            damage.reason = QStringLiteral("блок оборван на строке %1").arg(damage.badLine);
            return false;
        }
        if (!line.startsWith(prefix)) {
            damage.reason = QStringLiteral("строка %1 не начинается с «%2»")
                                .arg(damage.badLine)
                                .arg(prefix.trimmed());
            return false;
        }
        if (!readValue(k, line.mid(prefix.size()), e)) {
            damage.reason = QStringLiteral("в строке %1 неверное значение «%2»")
                                .arg(damage.badLine)
                                .arg(shortened(line.mid(prefix.size())));
            return false;
        }
    }
    e.line = damage.line;
    return true;
}

// Lines without their ends; a final line end does not start another line.
std::vector<QStringView> splitLines(const QString& text) {
    std::vector<QStringView> lines;
    lines.reserve(static_cast<size_t>(text.size() / 32));
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(u'\n', start);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Code page 1251 as written; UTF-8 for a copy converted for a Linux editor.
QString decodeReport(const QByteArray& bytes) {
    static const QByteArray bom = QByteArrayLiteral("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    static const QByteArray cp = encodeCp1251(prefixes()[1]);
    static const QByteArray utf8 = prefixes()[1].toUtf8();
    if (!bytes.contains(cp) && bytes.contains(utf8))
        return QString::fromUtf8(bytes);
    return decodeCp1251(bytes);
}

size_t nextBlockStart(const std::vector<QStringView>& lines, size_t from) {
    while (from < lines.size() && lines[from] != u" ")
        ++from;
    return from;
}

} // namespace

ParsedReport parseReport(const QByteArray& bytes) {
    const QString text = decodeReport(bytes);
    const std::vector<QStringView> lines = splitLines(text);
    // A last line without its line end was being written when the file was cut.
    const bool cutLast = !text.isEmpty() && !text.endsWith(u'\n');
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
        if (lines[i] == u" " && readBlock(lines, i, cutLast, entry, damage)) {
            out.entries.push_back(std::move(entry));
            i += kBlockLines;
            continue;
        }
        if (lines[i] != u" ") {
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

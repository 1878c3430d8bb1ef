// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/jet/JetValue.h"

#include "bank/ByteOrder.h"

#include <QDateTime>
#include <QLocale>
#include <cfloat>
#include <cmath>
#include <limits>

namespace kt {
namespace {

JetEncoded failure(QString problem) {
    JetEncoded out;
    out.problem = std::move(problem);
    return out;
}

JetEncoded integerValue(const QString& text, qint64 low, qint64 high, int size) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return failure(QStringLiteral("«%1» — не целое число").arg(text));
    if (v < low || v > high)
        return failure(QStringLiteral("число %1 вне допустимого диапазона от %2 до %3")
                           .arg(v)
                           .arg(low)
                           .arg(high));
    JetEncoded out;
    if (size == 1)
        out.bytes = QByteArray(1, static_cast<char>(v));
    else if (size == 2)
        out.bytes = littleEndianBytes<qint16>(static_cast<qint16>(v));
    else
        out.bytes = littleEndianBytes<qint32>(static_cast<qint32>(v));
    return out;
}

bool parseNumber(const QString& text, double& value) {
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

JetEncoded realValue(const QString& text, JetType type) {
    double v = 0;
    if (!parseNumber(text, v))
        return failure(QStringLiteral("«%1» — не число").arg(text));
    JetEncoded out;
    if (type == JetType::Single) {
        if (std::fabs(v) > FLT_MAX)
            return failure(QStringLiteral("число %1 не помещается в тип Single").arg(text));
        out.bytes = littleEndianBytes<float>(static_cast<float>(v));
    } else if (type == JetType::Currency) {
        if (std::fabs(v) >= 922337203685477.0)
            return failure(QStringLiteral("число %1 не помещается в тип Currency").arg(text));
        out.bytes = littleEndianBytes<qint64>(std::llround(v * 10000.0));
    } else {
        out.bytes = littleEndianBytes<double>(v);
    }
    return out;
}

// Jet keeps a date as days since 30.12.1899 with the time of day as the
// fraction; before that day the fraction still counts forward in time.
JetEncoded dateValue(const QString& text) {
    static const char* const formats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                                          "yyyy-MM-dd",          "dd.MM.yyyy H:mm:ss",
                                          "dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy"};
    const QString t = text.trimmed();
    for (const char* format : formats) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(format));
        if (!dt.isValid())
            continue;
        const qint64 days = QDate(1899, 12, 30).daysTo(dt.date());
        const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
        const double v = days >= 0 ? days + fraction : days - fraction;
        JetEncoded out;
        out.bytes = littleEndianBytes<double>(v);
        return out;
    }
    return failure(
        QStringLiteral("«%1» — не дата (ГГГГ-ММ-ДД или ДД.ММ.ГГГГ, время ЧЧ:ММ:СС)").arg(text));
}

JetEncoded booleanValue(const QString& text) {
    const QString t = text.trimmed().toLower();
    JetEncoded out;
    if (t == u"1" || t == u"-1" || t == u"true" || t == u"да")
        out.flag = true;
    else if (!(t == u"0" || t == u"false" || t == u"нет"))
        return failure(QStringLiteral("«%1» — не логическое значение (1/0, true/false)").arg(text));
    return out;
}

JetEncoded textValue(const QString& text, int maxLength) {
    if (text.size() > maxLength)
        return failure(
            QStringLiteral("текст длиннее %1 символов (%2)").arg(maxLength).arg(text.size()));
    // Both readers take a leading FF FE as the mark of compressed text and
    // drop the character, so such a text could never be read back as written.
    if (text.startsWith(QChar(0xFEFF)))
        return failure(QStringLiteral("текст начинается с невидимого знака U+FEFF — удалите его"));
    JetEncoded out;
    out.bytes = utf16le(text);
    return out;
}

// A Memo keeps its text in the row after a 12-byte header: the length in 3
// bytes, 0x80 for "in this row", then a page pointer left 0.
JetEncoded memoValue(const QString& text) {
    JetEncoded out = textValue(text, kJetMemoMaxLength);
    if (!out.problem.isEmpty())
        return out;
    QByteArray header(12, '\0');
    put32(header, 0, static_cast<quint32>(out.bytes.size()));
    header[3] = static_cast<char>(0x80);
    out.bytes.prepend(header);
    return out;
}

} // namespace

JetEncoded encodeJetValue(const JetColumn& column, const QString& text) {
    switch (column.type) {
    case JetType::Boolean:
        return booleanValue(text);
    case JetType::Byte:
        return integerValue(text, 0, 255, 1);
    case JetType::Integer:
        return integerValue(text, -32768, 32767, 2);
    case JetType::Long:
    case JetType::AutoLong:
        return integerValue(text, std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max(), 4);
    case JetType::Currency:
    case JetType::Single:
    case JetType::Double:
        return realValue(text, column.type);
    case JetType::DateTime:
        return dateValue(text);
    case JetType::Text:
        return textValue(text, column.maxLength);
    case JetType::Memo:
        return memoValue(text);
    }
    return failure(QStringLiteral("неизвестный тип столбца"));
}

int jetFixedSize(JetType type) {
    switch (type) {
    case JetType::Byte:
        return 1;
    case JetType::Integer:
        return 2;
    case JetType::Long:
    case JetType::AutoLong:
    case JetType::Single:
        return 4;
    case JetType::Currency:
    case JetType::Double:
    case JetType::DateTime:
        return 8;
    default:
        return 0;
    }
}

bool jetIsVariable(JetType type) {
    return type == JetType::Text || type == JetType::Memo;
}

namespace {
struct TypeName {
    JetType type;
    const char* name;
};
constexpr TypeName kTypeNames[] = {
    {JetType::Boolean, "Boolean"}, {JetType::Byte, "Byte"},         {JetType::Integer, "Integer"},
    {JetType::Long, "Long"},       {JetType::AutoLong, "AutoLong"}, {JetType::Currency, "Currency"},
    {JetType::Single, "Single"},   {JetType::Double, "Double"},     {JetType::DateTime, "DateTime"},
    {JetType::Text, "Text"},       {JetType::Memo, "Memo"}};
} // namespace

QString jetTypeName(const JetColumn& column) {
    for (const TypeName& t : kTypeNames)
        if (t.type == column.type)
            return column.type == JetType::Text && column.maxLength != 255
                       ? QStringLiteral("Text(%1)").arg(column.maxLength)
                       : QString::fromLatin1(t.name);
    return QString();
}

bool parseJetTypeName(const QString& name, JetColumn& column) {
    QString n = name.trimmed();
    int length = 255;
    if (n.endsWith(u')') && n.startsWith(QStringLiteral("text("), Qt::CaseInsensitive)) {
        bool ok = false;
        length = n.mid(5, n.size() - 6).trimmed().toInt(&ok);
        if (!ok || length < 1 || length > 255)
            return false;
        n = QStringLiteral("Text");
    }
    for (const TypeName& t : kTypeNames) {
        if (n.compare(QString::fromLatin1(t.name), Qt::CaseInsensitive) == 0) {
            column.type = t.type;
            column.maxLength = t.type == JetType::Text ? length : 255;
            return true;
        }
    }
    return false;
}

} // namespace kt

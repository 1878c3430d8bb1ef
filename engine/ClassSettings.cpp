// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ClassSettings.h"

#include "bank/Cp1251.h"
#include "engine/BankSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

namespace kt {
namespace {

// The section's keys, lower-cased; other sections are left to their readers.
QHash<QString, QString> classSection(const QString& text, bool* present) {
    QHash<QString, QString> keys;
    QString section;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            *present = *present || section == u"class";
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (section == u"class" && eq > 0)
            keys.insert(line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

QString besideBank(const QString& value, const QString& bankPath) {
    if (value.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(bankPath).absoluteDir().absoluteFilePath(value));
}

void readList(ClassSettings& s) {
    QFile f(s.listPath);
    if (!f.open(QIODevice::ReadOnly)) {
        s.problems << QStringLiteral("список класса «%1» не прочитан: %2")
                          .arg(QDir::toNativeSeparators(s.listPath), f.errorString());
        return;
    }
    s.names = classListNames(f.read(1 << 20));
}

bool yes(const QString& value) {
    const QString v = value.toLower();
    return v == u"yes" || v == u"1" || v == u"true" || v == u"да";
}

} // namespace

QStringList classListNames(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeCp1251(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList names;
    for (const QString& line : text.split(u'\n')) {
        const QString name = line.simplified();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

ClassSettings readClassSettings(const QString& iniPath, const QString& bankPath) {
    ClassSettings s;
    const std::optional<QString> text = readBankSettingsText(iniPath);
    if (!text)
        return s; // the test settings' reader says what is wrong with the file
    const QHash<QString, QString> keys = classSection(*text, &s.present);
    if (!s.present)
        return s;
    s.folder = besideBank(keys.value(QStringLiteral("folder")), bankPath);
    s.title = keys.value(QStringLiteral("title"));
    s.bankName = QFileInfo(bankPath).fileName();
    s.listPath = besideBank(keys.value(QStringLiteral("list")), bankPath);
    s.listOnly = yes(keys.value(QStringLiteral("list_only")));
    if (!s.listPath.isEmpty())
        readList(s);
    else if (s.listOnly)
        s.problems << QStringLiteral(
            "list_only=yes без списка класса (list=): принимается любое имя");
    if (s.listOnly && s.names.isEmpty())
        s.listOnly = false; // nobody could start a test
    return s;
}

} // namespace kt

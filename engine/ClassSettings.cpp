// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ClassSettings.h"

#include "bank/Cp1251.h"
#include "engine/BankSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace kt {
namespace {

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

} // namespace

QString classSettingValue(const SettingsEntries& entries, ClassKey key) {
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (it->first == classSettingsKey(key))
            return it->second;
    return QString();
}

bool classSettingYes(const QString& value) {
    const QString v = value.toLower();
    return v == u"yes" || v == u"1" || v == u"true" || v == u"да";
}

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
    // An unreadable file has no section; the test settings' reader says
    // what is wrong with it.
    const std::optional<SettingsEntries> keys = readBankSettingsFile(iniPath).classroom;
    s.present = keys.has_value();
    if (!s.present)
        return s;
    s.folder = besideBank(classSettingValue(*keys, ClassKey::Folder), bankPath);
    s.title = classSettingValue(*keys, ClassKey::Title);
    s.bankName = QFileInfo(bankPath).fileName();
    s.listPath = besideBank(classSettingValue(*keys, ClassKey::List), bankPath);
    s.listOnly = classSettingYes(classSettingValue(*keys, ClassKey::ListOnly));
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

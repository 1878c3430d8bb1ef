// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/BankSettingsFile.h"

#include "bank/KtError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kt {
namespace {

const QString kSection = QStringLiteral("test");

// A value is a plain decimal integer; anything else is reported.
void takeValue(SettingsFileContent& content, const QString& key, const QString& value) {
    std::optional<int>* slot = key == QLatin1String("count")     ? &content.count
                               : key == QLatin1String("minutes") ? &content.minutes
                               : key == QLatin1String("from")    ? &content.from
                               : key == QLatin1String("to")      ? &content.to
                                                                 : nullptr;
    if (!slot)
        return; // other keys belong to later versions or to the teacher's notes
    bool ok = false;
    const int v = value.toInt(&ok);
    if (ok)
        *slot = v;
    else
        content.problems << QStringLiteral("«%1=%2» — не целое число").arg(key, value);
}

void parseLines(const QString& text, SettingsFileContent& content) {
    QString section;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (section != kSection || eq < 0)
            continue;
        takeValue(content, line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
    }
}

QString countProblem(int count) {
    if (count >= 1 && count <= TestSettingsLimits::kMaxCount)
        return QString();
    return QStringLiteral("число вопросов %1 — вне пределов от 1 до %2")
        .arg(count)
        .arg(TestSettingsLimits::kMaxCount);
}

QString minutesProblem(int minutes) {
    if (minutes >= 1 && minutes <= TestSettingsLimits::kMaxMinutes)
        return QString();
    return QStringLiteral("время на вопрос %1 мин — вне пределов от 1 до %2")
        .arg(minutes)
        .arg(TestSettingsLimits::kMaxMinutes);
}

QString recordProblem(const QString& what, int number, int bankSize) {
    if (number >= 1 && number <= bankSize)
        return QString();
    return QStringLiteral("%1 %2 — вне пределов от 1 до %3").arg(what).arg(number).arg(bankSize);
}

QString widthProblem(const TestSettings& s) {
    const int needed = s.from + s.count + TestSettingsLimits::kRangeMargin;
    if (s.to >= needed)
        return QString();
    return QStringLiteral("диапазон от %1 до %2 узок для %3 вопросов: последняя запись должна "
                          "быть не меньше %4 (первая + число вопросов + %5)")
        .arg(s.from)
        .arg(s.to)
        .arg(s.count)
        .arg(needed)
        .arg(TestSettingsLimits::kRangeMargin);
}

void addIf(QStringList& list, const QString& problem) {
    if (!problem.isEmpty())
        list << problem;
}

QString fallback(const QString& problem, int builtIn) {
    return problem + QStringLiteral("; взято %1").arg(builtIn);
}

} // namespace

QString bankSettingsPath(const QString& bankPath) {
    const QFileInfo info(bankPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

SettingsFileContent readBankSettingsFile(const QString& path) {
    SettingsFileContent content;
    QFile file(path);
    if (!file.exists())
        return content;
    content.present = true;
    if (!file.open(QIODevice::ReadOnly)) {
        content.problems << QStringLiteral("файл не читается: %1").arg(file.errorString());
        return content;
    }
    QByteArray bytes = file.read(64 * 1024); // a settings file is a few lines
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    parseLines(QString::fromUtf8(bytes), content);
    return content;
}

void writeBankSettingsFile(const QString& path, const TestSettings& s) {
    QSaveFile file(path);
    const QByteArray text = QStringLiteral("[test]\ncount=%1\nminutes=%2\nfrom=%3\nto=%4\n")
                                .arg(s.count)
                                .arg(s.minutes)
                                .arg(s.from)
                                .arg(s.to)
                                .toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw KtError(QStringLiteral("Не удалось записать файл настроек «%1»: %2")
                          .arg(QFileInfo(path).fileName(), file.errorString()));
}

QStringList testSettingsProblems(const TestSettings& s, int bankSize) {
    QStringList problems;
    addIf(problems, countProblem(s.count));
    addIf(problems, minutesProblem(s.minutes));
    addIf(problems, recordProblem(QStringLiteral("первая запись"), s.from, bankSize));
    addIf(problems, recordProblem(QStringLiteral("последняя запись"), s.to, bankSize));
    if (problems.isEmpty())
        addIf(problems, widthProblem(s));
    return problems;
}

TestSettings resolveTestSettings(const SettingsFileContent& file, int bankSize,
                                 QStringList* problems) {
    const TestSettings builtIn{60, 2, 1, bankSize};
    TestSettings s = builtIn;
    QStringList found = file.problems;
    auto take = [&found](const std::optional<int>& value, const QString& problem, int fallbackTo,
                         int& into) {
        if (!value)
            return;
        if (problem.isEmpty())
            into = *value;
        else
            found << fallback(problem, fallbackTo);
    };
    take(file.count, file.count ? countProblem(*file.count) : QString(), builtIn.count, s.count);
    take(file.minutes, file.minutes ? minutesProblem(*file.minutes) : QString(), builtIn.minutes,
         s.minutes);
    take(file.from,
         file.from ? recordProblem(QStringLiteral("первая запись"), *file.from, bankSize)
                   : QString(),
         builtIn.from, s.from);
    take(file.to,
         file.to ? recordProblem(QStringLiteral("последняя запись"), *file.to, bankSize)
                 : QString(),
         builtIn.to, s.to);
    const bool rangeFromFile = s.from != builtIn.from || s.to != builtIn.to;
    if (rangeFromFile && !widthProblem(s).isEmpty()) {
        found << widthProblem(s) + QStringLiteral("; взята вся база, от 1 до %1").arg(bankSize);
        s.from = builtIn.from;
        s.to = builtIn.to;
    }
    if (s.count != builtIn.count && !widthProblem(s).isEmpty()) {
        found << fallback(widthProblem(s), builtIn.count);
        s.count = builtIn.count;
    }
    if (problems)
        *problems = found;
    return s;
}

QString BankSettingsFile::Name() const {
    return QFileInfo(m_path).fileName();
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/BankSettingsFile.h"

#include "bank/KtError.h"
#include "report/SmallFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace kt {
namespace {

// A settings file is a few lines; one far larger is something else.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// Sections whose keys and values are read as text, for their own readers.
const QString kExamSection = QStringLiteral("exam");
const QString kClassSection = QStringLiteral("class");

std::optional<SettingsEntries>* textSection(SettingsFileContent& content, const QString& name) {
    if (name == kExamSection)
        return &content.exam;
    if (name == kClassSection)
        return &content.classroom;
    return nullptr;
}

const SettingsKey* findKey(const QString& section, const QString& name) {
    for (const SettingsKey& k : testSettingsKeys())
        if (section == QLatin1String(k.section) && name == QLatin1String(k.name))
            return &k;
    return nullptr;
}

// A value is a plain decimal integer; anything else is reported.
void takeValue(SettingsFileContent& content, const SettingsKey& key, const QString& value) {
    bool ok = false;
    const int v = value.toInt(&ok);
    if (ok)
        content.*key.read = v;
    else
        content.problems << QStringLiteral("«%1=%2» — не целое число").arg(key.name, value);
}

// One line of the file, read as the reader and the writer both see it.
struct IniLine {
    bool header = false;
    QString section; // of a header
    const SettingsKey* key = nullptr;
    QString name; // of any key=value line, in lower case
    QString value;
};

IniLine readLine(QString line, const QString& section) {
    IniLine out;
    line = line.trimmed();
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
        out.header = true;
        out.section = line.mid(1, line.size() - 2).trimmed().toLower();
        return out;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
        return out;
    out.name = line.left(eq).trimmed().toLower();
    out.key = findKey(section, out.name);
    out.value = line.mid(eq + 1).trimmed();
    return out;
}

void parseLines(const QString& text, SettingsFileContent& content) {
    QString section;
    std::optional<SettingsEntries>* entries = nullptr;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const IniLine line = readLine(raw, section);
        if (line.header) {
            section = line.section;
            entries = textSection(content, section);
            if (entries && !*entries)
                entries->emplace();
        }
        if (line.key)
            takeValue(content, *line.key, line.value);
        else if (entries && !line.name.isEmpty())
            (*entries)->append({line.name, line.value});
    }
}

// How the file's text is stored, so that the writer keeps it so.
enum class TextForm { Utf8, Utf8Bom, Utf16Le, Utf16Be };

std::optional<QString> decodeText(const QByteArray& bytes, TextForm* form) {
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    *form = TextForm::Utf8;
    qsizetype skip = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        *form = TextForm::Utf8Bom;
        skip = 3;
    } else if (bytes.startsWith("\xFF\xFE")) {
        *form = TextForm::Utf16Le;
        encoding = QStringConverter::Utf16LE;
        skip = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        *form = TextForm::Utf16Be;
        encoding = QStringConverter::Utf16BE;
        skip = 2;
    }
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes).sliced(skip));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QByteArray encodeText(const QString& text, TextForm form) {
    switch (form) {
    case TextForm::Utf8:
        return text.toUtf8();
    case TextForm::Utf8Bom:
        return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    case TextForm::Utf16Le:
    case TextForm::Utf16Be:
        break;
    }
    QStringEncoder encoder(form == TextForm::Utf16Le ? QStringConverter::Utf16LE
                                                     : QStringConverter::Utf16BE,
                           QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

// The system's texts are English; these say enough to act on.
QString saveFailureReason(const QSaveFile& file) {
    switch (file.error()) {
    case QFileDevice::OpenError:
        return QStringLiteral("файл не открывается для записи: нет прав на папку или ее нет");
    case QFileDevice::RenameError:
        return QStringLiteral("не удалось заменить прежний файл новым");
    default:
        return QStringLiteral("ошибка записи на диск (возможно, на нем нет места)");
    }
}

// Where each section's owned lines end and which keys it has, so that a
// key the file lacks goes after its section's last line of settings.
struct SectionPlace {
    qsizetype insertAt = -1;
    std::map<const SettingsKey*, bool> found;
};

QString keyLine(const SettingsKey& key, const TestSettings& s) {
    return QStringLiteral("%1=%2").arg(QLatin1String(key.name)).arg(s.*key.value);
}

QString missingLines(const QString& section, const std::map<const SettingsKey*, bool>& found,
                     const TestSettings& s, const QString& eol) {
    QString out;
    for (const SettingsKey& k : testSettingsKeys())
        if (section == QLatin1String(k.section) && !found.count(&k))
            out += keyLine(k, s) + eol;
    return out;
}

QString unreadableText() {
    return QStringLiteral("текст не в кодировке UTF-8 или UTF-16 с меткой порядка байтов");
}

// The count and the minutes keep their keys' ranges, as the dialog's
// controls do.
QString rangeProblem(const QString& what, int TestSettings::*member, int value) {
    const SettingsKey& key = testSettingsKey(member);
    if (value >= key.lower && value <= key.upper)
        return QString();
    return what.arg(value) +
           QStringLiteral(" — вне пределов от %1 до %2").arg(key.lower).arg(key.upper);
}

QString countProblem(int count) {
    return rangeProblem(QStringLiteral("число вопросов %1"), &TestSettings::count, count);
}

QString minutesProblem(int minutes) {
    return rangeProblem(QStringLiteral("время на вопрос %1 мин"), &TestSettings::minutes, minutes);
}

QString recordProblem(const QString& what, int number, int bankSize) {
    if (number >= 1 && number <= bankSize)
        return QString();
    return QStringLiteral("%1 %2 — вне пределов от 1 до %3").arg(what).arg(number).arg(bankSize);
}

QString widthProblem(const TestSettings& s) {
    const int needed = s.from + s.count + kRangeMargin;
    if (s.to >= needed)
        return QString();
    return QStringLiteral("диапазон от %1 до %2 узок для %3 вопросов: последняя запись должна "
                          "быть не меньше %4 (первая + число вопросов + %5)")
        .arg(s.from)
        .arg(s.to)
        .arg(s.count)
        .arg(needed)
        .arg(kRangeMargin);
}

void addIf(QStringList& list, const QString& problem) {
    if (!problem.isEmpty())
        list << problem;
}

QString fallback(const QString& problem, int builtIn) {
    return problem + QStringLiteral("; взято %1").arg(builtIn);
}

} // namespace

const std::array<SettingsKey, 4>& testSettingsKeys() {
    static const std::array<SettingsKey, 4> keys = {{
        {"test", "count", &SettingsFileContent::count, &TestSettings::count, 1, kMaxQuestionCount},
        {"test", "minutes", &SettingsFileContent::minutes, &TestSettings::minutes,
         kMinMinutesPerQuestion, kMaxMinutesPerQuestion},
        {"test", "from", &SettingsFileContent::from, &TestSettings::from, 1, 0},
        {"test", "to", &SettingsFileContent::to, &TestSettings::to, 1, 0},
    }};
    return keys;
}

const SettingsKey& testSettingsKey(int TestSettings::*value) {
    const auto& keys = testSettingsKeys();
    return *std::find_if(keys.begin(), keys.end(),
                         [value](const SettingsKey& k) { return k.value == value; });
}

QString withTestSettings(const QString& text, const TestSettings& s) {
    const QString eol =
        text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString out;
    std::map<QString, SectionPlace> places;
    QString section;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        end = end < 0 ? text.size() : end + 1;
        QString line = text.mid(start, end - start);
        const IniLine read = readLine(line, section);
        if (read.header)
            section = read.section;
        if (read.key) {
            places[section].found[read.key] = true;
            const bool crlf = line.endsWith(QLatin1String("\r\n"));
            line = keyLine(*read.key, s) + (crlf                   ? QStringLiteral("\r\n")
                                            : line.endsWith(u'\n') ? eol
                                                                   : QString());
        }
        out += line;
        if (read.header || read.key)
            places[section].insertAt = out.size();
        start = end;
    }
    std::vector<std::pair<qsizetype, QString>> inserts;
    for (const auto& [name, place] : places)
        inserts.emplace_back(place.insertAt, missingLines(name, place.found, s, eol));
    for (const SettingsKey& k : testSettingsKeys())
        if (!places.count(QLatin1String(k.section))) {
            const QString name = QLatin1String(k.section);
            places[name];
            inserts.emplace_back(text.size() + 1, QLatin1Char('[') + name + QLatin1Char(']') + eol +
                                                      missingLines(name, {}, s, eol));
        }
    // From the back, so that each place is still where it was found.
    std::stable_sort(inserts.begin(), inserts.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (auto& [at, lines] : inserts) {
        const qsizetype pos = std::min(at, out.size());
        if (lines.isEmpty())
            continue;
        if (pos == out.size() && !out.isEmpty() && !out.endsWith(u'\n'))
            lines.prepend(eol); // the file's last line had no line end
        out.insert(pos, lines);
    }
    return out;
}

namespace {

// The text with the section `name` made of `entries`: its headers and the
// key lines `owns` claims are taken out, and a header with the entries' lines
// goes where the first header stood (at the end of a file without one).
// Comments stay where they are, as do the key lines `owns` leaves, unless the
// section is taken out whole (no entries).
QString withTextSection(const QString& text, const QString& name,
                        const std::optional<SettingsEntries>& entries,
                        const std::function<bool(const QString&)>& owns) {
    const QString eol =
        text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString out;
    qsizetype at = -1; // where the section's header stood
    QString section;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        end = end < 0 ? text.size() : end + 1;
        const QString line = text.mid(start, end - start);
        const IniLine read = readLine(line, section);
        if (read.header)
            section = read.section;
        const bool ownedKey = !read.name.isEmpty() && (!entries || owns(read.name));
        const bool owned = section == name && (read.header || ownedKey);
        if (owned && read.header && at < 0)
            at = out.size();
        if (!owned)
            out += line;
        start = end;
    }
    if (!entries)
        return out;
    QString lines = u'[' + name + u']' + eol;
    for (const auto& [key, value] : *entries)
        lines += key + u'=' + value + eol;
    if (at < 0) {
        at = out.size();
        if (!out.isEmpty() && !out.endsWith(u'\n'))
            lines.prepend(eol); // the file's last line had no line end
    }
    out.insert(at, lines);
    return out;
}

} // namespace

const std::array<QString, 4>& classSettingsKeys() {
    static const std::array<QString, 4> keys = {QStringLiteral("folder"), QStringLiteral("title"),
                                                QStringLiteral("list"),
                                                QStringLiteral("list_only")};
    return keys;
}

const QString& classSettingsKey(ClassKey key) {
    return classSettingsKeys()[static_cast<size_t>(key)];
}

// Every key of [exam] is the exam rules' own.
QString withExamSection(const QString& text, const std::optional<SettingsEntries>& exam) {
    return withTextSection(text, kExamSection, exam, [](const QString&) { return true; });
}

QString withClassSection(const QString& text, const std::optional<SettingsEntries>& classroom) {
    return withTextSection(text, kClassSection, classroom, [](const QString& key) {
        const auto& keys = classSettingsKeys();
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    });
}

QString bankSettingsPath(const QString& bankPath) {
    const QFileInfo info(bankPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

SettingsFileContent readBankSettingsFile(const QString& path) {
    SettingsFileContent content;
    const SmallFile file = readSmallFile(path, kMaxSettingsBytes);
    if (file.status == SmallFile::Status::Missing)
        return content;
    content.present = true;
    TextForm form = TextForm::Utf8;
    const std::optional<QString> text =
        file.status == SmallFile::Status::Read ? decodeText(file.bytes, &form) : std::nullopt;
    if (text)
        parseLines(*text, content);
    else
        content.problems << QStringLiteral("файл не читается: %1")
                                .arg(file.reason.isEmpty() ? unreadableText() : file.reason);
    return content;
}

namespace {

// The file's text changed by `change`, in the form it was stored in.
void writeSettingsText(const QString& path, const std::function<QString(const QString&)>& change) {
    const QString name = QFileInfo(path).fileName();
    const SmallFile old = readSmallFile(path, kMaxSettingsBytes);
    TextForm form = TextForm::Utf8;
    std::optional<QString> text = QString();
    if (old.status == SmallFile::Status::Read)
        text = decodeText(old.bytes, &form);
    if (old.status == SmallFile::Status::Failed || !text)
        throw KtError(QStringLiteral("Файл настроек «%1» не изменен: он не читается (%2)")
                          .arg(name, old.reason.isEmpty() ? unreadableText() : old.reason));
    QSaveFile file(path);
    const QByteArray bytes = encodeText(change(*text), form);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw KtError(QStringLiteral("Не удалось записать файл настроек «%1»: %2")
                          .arg(name, saveFailureReason(file)));
}

} // namespace

void writeBankSettingsFile(const QString& path, const TestSettings& s) {
    writeSettingsText(path, [&s](const QString& text) { return withTestSettings(text, s); });
}

void writeBankSettingsFile(const QString& path, const TestSettings& s,
                           const std::optional<SettingsEntries>& exam) {
    writeSettingsText(path, [&s, &exam](const QString& text) {
        return withExamSection(withTestSettings(text, s), exam);
    });
}

void writeBankSettingsFile(const QString& path, const TestSettings& s,
                           const std::optional<SettingsEntries>& exam,
                           const std::optional<SettingsEntries>& classroom) {
    writeSettingsText(path, [&s, &exam, &classroom](const QString& text) {
        return withClassSection(withExamSection(withTestSettings(text, s), exam), classroom);
    });
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
    const TestSettings builtIn{kDefaultQuestionCount, kDefaultMinutesPerQuestion, 1, bankSize};
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/TestDefaults.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <utility>

namespace kt {

// The test settings a teacher may keep beside a bank, in the numbers the
// settings screen shows: `from` and `to` are 1-based record numbers.
struct TestSettings {
    int count = kDefaultQuestionCount;
    int minutes = kDefaultMinutesPerQuestion;
    int from = 1;
    int to = 0; // 0: the bank's last record
};

// The keys (lower case) and values of a section in file order.
using SettingsEntries = QList<std::pair<QString, QString>>;

// What a settings file holds; a value the file does not name stays empty.
struct SettingsFileContent {
    bool present = false;
    std::optional<int> count;
    std::optional<int> minutes;
    std::optional<int> from;
    std::optional<int> to;
    QStringList problems; // unreadable file, values that are not numbers
    // The [exam] and [class] sections' keys (lower case) and values in file
    // order; none without the section. Their meaning is their readers'.
    std::optional<SettingsEntries> exam;
    std::optional<SettingsEntries> classroom;
};

// The keys of the [class] section that this program reads, in the order the
// editor writes them. The section may hold others, of later versions: the
// editor keeps their lines as they are.
enum class ClassKey { Folder, Title, List, ListOnly };
const std::array<QString, 4>& classSettingsKeys();
const QString& classSettingsKey(ClassKey key);

// A key of the settings file that this program reads and writes: its
// section and name as the file spells them (any case), where the reader puts
// its value and where the writer takes it from. Keys of other sections and
// other names belong to later versions or to the teacher's notes; the writer
// keeps them as they are. The editor's dialog gives each key a control
// with the key's range; a value TestSettings() holds is the key's default.
struct SettingsKey {
    const char* section;
    const char* name;
    std::optional<int> SettingsFileContent::*read;
    int TestSettings::*value;
    int lower;
    int upper; // 0: the bank's last record
};
const std::array<SettingsKey, 4>& testSettingsKeys();
// The key whose value is that member of TestSettings.
const SettingsKey& testSettingsKey(int TestSettings::*value);

// "DB1.MDB" -> "DB1.ini" in the same folder.
QString bankSettingsPath(const QString& bankPath);

// Reads the keys of testSettingsKeys() (key=value; ";" and "#" start
// comments). The text is UTF-8, or UTF-16 when it starts with a byte-order
// mark. A missing file gives present = false and no problems; a file that
// cannot be read whole gives its reason in Russian and no values.
SettingsFileContent readBankSettingsFile(const QString& path);
// Sets the four values in the file: the lines of those keys are rewritten,
// missing ones added to their section, and every other byte is kept. Throws
// KtError with a Russian message, also when an existing file cannot be read
// (it is then left as it is).
void writeBankSettingsFile(const QString& path, const TestSettings& settings);
// The text of a settings file with the four values set as above.
QString withTestSettings(const QString& text, const TestSettings& settings);
// As writeBankSettingsFile, and the [exam] section's key lines replaced by
// `exam` (none: the section's header and key lines taken out); its comments
// and every other section are kept.
void writeBankSettingsFile(const QString& path, const TestSettings& settings,
                           const std::optional<SettingsEntries>& exam);
QString withExamSection(const QString& text, const std::optional<SettingsEntries>& exam);
// The [class] section likewise, except that the lines of keys outside
// classSettingsKeys() stay where they are; taking the section out takes
// them out with it, since without its header they would fall into another
// section.
QString withClassSection(const QString& text, const std::optional<SettingsEntries>& classroom);
// The test settings, [exam] and [class] in one write: the file holds all of
// them or, when the write fails, what it held before.
void writeBankSettingsFile(const QString& path, const TestSettings& settings,
                           const std::optional<SettingsEntries>& exam,
                           const std::optional<SettingsEntries>& classroom);

// The rules the settings screen applies, for a bank of `bankSize` records:
// one Russian sentence per broken rule, empty when the settings fit.
QStringList testSettingsProblems(const TestSettings& settings, int bankSize);

// The file's values over the built-in ones (60, 2, the whole bank). Each
// value that breaks a rule is named in `problems` and its built-in value
// used instead; a range too narrow for the count falls back to the whole
// bank first, and the count to 60 only when that does not help either.
TestSettings resolveTestSettings(const SettingsFileContent& file, int bankSize,
                                 QStringList* problems);

// Where the engine finds the settings kept beside its bank.
class TestSettingsSource {
public:
    virtual ~TestSettingsSource() = default;
    virtual SettingsFileContent Read() = 0;
    // The file's name, for messages.
    virtual QString Name() const = 0;
};

class BankSettingsFile : public TestSettingsSource {
public:
    explicit BankSettingsFile(QString path) : m_path(std::move(path)) {}
    SettingsFileContent Read() override { return readBankSettingsFile(m_path); }
    QString Name() const override;

private:
    QString m_path;
};

} // namespace kt

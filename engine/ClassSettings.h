// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/BankSettingsFile.h"

#include <QString>
#include <QStringList>

namespace kt {

// The [class] section of the bank's settings file: a test sat by a whole
// class, every PC writing into one shared folder. Paths are already made
// absolute against the bank's folder.
struct ClassSettings {
    bool present = false; // the file has a [class] section
    QString folder;       // empty: the files stay beside TestData.dat
    QString title;
    QString bankName; // the bank's file name, for the answers file
    QString listPath;
    QStringList names; // the class list, in its file's order
    bool listOnly = false;
    // Unreadable list, list_only without a list: said once at startup.
    QStringList problems;
};

// Reads [class] from the bank's settings file (decoded as its [test] section
// is) and the class list it names (UTF-8, else code page 1251; one name a
// line, blank lines skipped). A missing file or section gives present = false.
ClassSettings readClassSettings(const QString& iniPath, const QString& bankPath);

// The class list's bytes as names.
QStringList classListNames(const QByteArray& bytes);

// The key's value in the section's entries: the last one when the teacher
// wrote it twice, empty when not at all.
QString classSettingValue(const SettingsEntries& entries, ClassKey key);
// Whether a yes-or-no value such as list_only= says yes: "yes", "1", "true"
// or "да" in any case; anything else, or nothing, is no.
bool classSettingYes(const QString& value);

} // namespace kt

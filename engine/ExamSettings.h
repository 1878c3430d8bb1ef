// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/BankSettingsFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <utility>

namespace kt {

enum class ExamReview { None, List, Answers };

// What the [exam] section of the bank's settings file asks for. Without the
// section every field keeps its value here, and the program is as it always
// was.
struct ExamSettings {
    bool present = false;
    // The "password=" line as written; empty when the section sets none.
    QString passwordHash;
    // The line is there but cannot be read: the locks stay on and no
    // password opens them until the teacher sets one again.
    bool passwordUnreadable = false;
    bool shuffleAnswers = false;
    int attempts = 0; // 0: as many as the student likes
    bool fullscreen = false;
    bool countChosenAtTimeout = false;
    ExamReview review = ExamReview::None;
    bool showMark = false;
    // The least percentage for a 5, a 4 and a 3; below the last a 2.
    std::array<int, 3> marks{85, 70, 50};

    bool locked() const { return !passwordHash.isEmpty() || passwordUnreadable; }
};

// The meaning of the section's keys and values. Each bad value is named in
// `problems` with the choice taken instead: for a lock (password, shuffle,
// attempts, full screen) the locked one, for the rest the program's usual
// behaviour. `passwordReadable` says whether a "password=" value is a hash
// the program can check.
ExamSettings resolveExamSettings(const SettingsEntries& entries,
                                 const std::function<bool(const QString&)>& passwordReadable,
                                 QStringList* problems);

// The section's entries that give these settings back, in a fixed order;
// a setting left as without the section is not written.
SettingsEntries examEntries(const ExamSettings& settings);

// The mark on the five-point scale for a percentage.
int examMark(int percent, const std::array<int, 3>& marks);

} // namespace kt

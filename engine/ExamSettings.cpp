// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ExamSettings.h"

#include <optional>

namespace kt {
namespace {

std::optional<bool> yesNo(const QString& value) {
    const QString v = value.toLower();
    if (v == QLatin1String("yes") || v == QLatin1String("да") || v == QLatin1String("1"))
        return true;
    if (v == QLatin1String("no") || v == QLatin1String("нет") || v == QLatin1String("0"))
        return false;
    return std::nullopt;
}

QString bad(const QString& key, const QString& value, const QString& taken) {
    return QStringLiteral("«%1=%2» — %3").arg(key, value, taken);
}

void takeYesNo(const QString& key, const QString& value, bool safe, bool& into,
               QStringList& problems) {
    if (const std::optional<bool> v = yesNo(value)) {
        into = *v;
        return;
    }
    into = safe;
    problems << bad(key, value,
                    QStringLiteral("нужно yes или no; взято %1")
                        .arg(safe ? QStringLiteral("yes") : QStringLiteral("no")));
}

void takeAttempts(const QString& value, ExamSettings& s, QStringList& problems) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (ok && n >= 1 && n <= 99) {
        s.attempts = n;
        return;
    }
    s.attempts = 1;
    problems << bad(QStringLiteral("attempts"), value,
                    QStringLiteral("нужно число попыток от 1 до 99; взята одна попытка"));
}

void takeReview(const QString& value, ExamSettings& s, QStringList& problems) {
    const QString v = value.toLower();
    if (v == QLatin1String("no"))
        s.review = ExamReview::None;
    else if (v == QLatin1String("list"))
        s.review = ExamReview::List;
    else if (v == QLatin1String("answers"))
        s.review = ExamReview::Answers;
    else
        problems << bad(QStringLiteral("review"), value,
                        QStringLiteral("нужно no, list или answers; разбора не будет"));
}

// Three whole percentages, each below the one before: 85,70,50.
void takeMarks(const QString& value, ExamSettings& s, QStringList& problems) {
    const QStringList parts = value.split(QLatin1Char(','));
    std::array<int, 3> m{};
    bool good = parts.size() == 3;
    for (int i = 0; good && i < 3; ++i) {
        m[static_cast<size_t>(i)] = parts[i].trimmed().toInt(&good);
        good = good && m[static_cast<size_t>(i)] >= 0 && m[static_cast<size_t>(i)] <= 100 &&
               (i == 0 || m[static_cast<size_t>(i)] < m[static_cast<size_t>(i - 1)]);
    }
    if (good)
        s.marks = m;
    else
        problems << bad(QStringLiteral("marks"), value,
                        QStringLiteral("нужны три процента по убыванию, например 85,70,50; "
                                       "взято 85,70,50"));
}

void takePassword(const QString& value, bool readable, ExamSettings& s, QStringList& problems) {
    s.passwordHash = value;
    s.passwordUnreadable = value.isEmpty() || !readable;
    if (s.passwordUnreadable)
        problems << QStringLiteral("пароль учителя («password=») не читается: замки экзамена "
                                   "включены, и открыть их нельзя, пока пароль не задан заново "
                                   "в редакторе или командой qbank exam-password");
}

} // namespace

ExamSettings resolveExamSettings(const SettingsEntries& entries,
                                 const std::function<bool(const QString&)>& passwordReadable,
                                 QStringList* problems) {
    ExamSettings s;
    s.present = true;
    QStringList found;
    for (const auto& [key, value] : entries) {
        if (key == QLatin1String("password"))
            takePassword(value, passwordReadable && passwordReadable(value), s, found);
        else if (key == QLatin1String("shuffle_answers"))
            takeYesNo(key, value, true, s.shuffleAnswers, found);
        else if (key == QLatin1String("attempts"))
            takeAttempts(value, s, found);
        else if (key == QLatin1String("fullscreen"))
            takeYesNo(key, value, true, s.fullscreen, found);
        else if (key == QLatin1String("count_chosen_at_timeout"))
            takeYesNo(key, value, false, s.countChosenAtTimeout, found);
        else if (key == QLatin1String("review"))
            takeReview(value, s, found);
        else if (key == QLatin1String("show_mark"))
            takeYesNo(key, value, false, s.showMark, found);
        else if (key == QLatin1String("marks"))
            takeMarks(value, s, found);
        else // a misspelt lock must not pass unnoticed
            found << QStringLiteral("ключ «%1» в разделе [exam] неизвестен и пропущен").arg(key);
    }
    if (problems)
        *problems << found;
    return s;
}

SettingsEntries examEntries(const ExamSettings& s) {
    const auto yes = [](bool on) { return on ? QStringLiteral("yes") : QStringLiteral("no"); };
    SettingsEntries e;
    if (!s.passwordHash.isEmpty())
        e.append({QStringLiteral("password"), s.passwordHash});
    if (s.shuffleAnswers)
        e.append({QStringLiteral("shuffle_answers"), yes(true)});
    if (s.attempts > 0)
        e.append({QStringLiteral("attempts"), QString::number(s.attempts)});
    if (s.fullscreen)
        e.append({QStringLiteral("fullscreen"), yes(true)});
    if (s.countChosenAtTimeout)
        e.append({QStringLiteral("count_chosen_at_timeout"), yes(true)});
    if (s.review != ExamReview::None)
        e.append({QStringLiteral("review"), s.review == ExamReview::List
                                                ? QStringLiteral("list")
                                                : QStringLiteral("answers")});
    if (s.showMark) {
        e.append({QStringLiteral("show_mark"), yes(true)});
        e.append({QStringLiteral("marks"),
                  QStringLiteral("%1,%2,%3").arg(s.marks[0]).arg(s.marks[1]).arg(s.marks[2])});
    }
    return e;
}

int examMark(int percent, const std::array<int, 3>& marks) {
    for (size_t i = 0; i < marks.size(); ++i)
        if (percent >= marks[i])
            return 5 - static_cast<int>(i);
    return 2;
}

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/Marks.h"

#include <QSettings>

namespace kt {
namespace {

const QString kFive = QStringLiteral("journal/markFive");
const QString kFour = QStringLiteral("journal/markFour");
const QString kThree = QStringLiteral("journal/markThree");

} // namespace

QString thresholdsProblem(const MarkThresholds& t) {
    if (t.five > 100)
        return QStringLiteral("Порог оценки «5» не может быть больше 100 %.");
    if (t.three < 1)
        return QStringLiteral("Порог оценки «3» должен быть не меньше 1 %.");
    if (!(t.five > t.four && t.four > t.three))
        return QStringLiteral("Пороги должны убывать: «5» выше «4», «4» выше «3».");
    return QString();
}

bool isValid(const MarkThresholds& t) {
    return thresholdsProblem(t).isEmpty();
}

int markFor(int percent, const MarkThresholds& t) {
    if (percent >= t.five)
        return 5;
    if (percent >= t.four)
        return 4;
    if (percent >= t.three)
        return 3;
    return 2;
}

MarkThresholds loadThresholds(QSettings& settings) {
    const MarkThresholds defaults;
    MarkThresholds t;
    t.five = settings.value(kFive, defaults.five).toInt();
    t.four = settings.value(kFour, defaults.four).toInt();
    t.three = settings.value(kThree, defaults.three).toInt();
    return isValid(t) ? t : defaults;
}

void saveThresholds(QSettings& settings, const MarkThresholds& t) {
    settings.setValue(kFive, t.five);
    settings.setValue(kFour, t.four);
    settings.setValue(kThree, t.three);
}

} // namespace kt

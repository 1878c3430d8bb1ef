// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/TestDefaults.h"

#include <QString>

namespace kt {

// One up-down control with the value text beside it. The position moves by
// one between the limits without wrapping; a position set outside them is
// brought to the nearest limit. Every change of position writes the value
// text in decimal with the Russian thousands separator from 1000 on; SetText
// writes a text as it is (the plain digits of startup).
class UpDownModel {
public:
    UpDownModel(int lower, int upper, int position) : m_lower(lower), m_upper(upper) {
        SetPosition(position);
        m_text = QString::number(m_position);
    }
    int position() const { return m_position; }
    int lower() const { return m_lower; }
    int upper() const { return m_upper; }
    const QString& text() const { return m_text; }
    // The value of the text, read past thousands separators.
    int textValue() const;

    void SetPosition(int position);
    void SetLower(int lower);
    void SetUpper(int upper);
    void SetText(const QString& text) { m_text = text; }
    // An arrow click: +1 up, -1 down. Returns false when a limit held it.
    bool Step(int delta);

private:
    int m_lower;
    int m_upper;
    int m_position = 0;
    QString m_text;
};

// The values behind the settings screen: the four controls and the
// bank-size line. The report copies these texts.
struct SettingsModel {
    UpDownModel count{1, kMaxQuestionCount, kDefaultQuestionCount};
    UpDownModel time{kMinMinutesPerQuestion, kMaxMinutesPerQuestion, kDefaultMinutesPerQuestion};
    UpDownModel from{1, 0, 0};
    UpDownModel to{0, 0, 0};
    QString bankSizeLine;
};

} // namespace kt

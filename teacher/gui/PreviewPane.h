// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"

#include <QScrollArea>

namespace kt {

class QuestionScreen;

// The record as the student will see it: the student program's own
// question screen at its real size, fonts and colours, with the texts
// passed through the same code page view (a character outside it shows as
// "?", a text is cut at 255 characters), so that a text cut by its label
// is seen before the lesson.
class PreviewPane : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewPane(QWidget* parent = nullptr);

    void showRecord(const BankRecord* record);
    QuestionScreen* screen() const { return m_screen; }

private:
    QuestionScreen* m_screen;
};

} // namespace kt

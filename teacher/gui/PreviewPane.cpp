// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/gui/PreviewPane.h"

#include "bank/Cp1251.h"
#include "ui/QuestionScreen.h"

namespace kt {

PreviewPane::PreviewPane(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("preview"));
    m_screen = new QuestionScreen;
    m_screen->setObjectName(QStringLiteral("previewScreen"));
    setWidget(m_screen);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    showRecord(nullptr);
}

void PreviewPane::showRecord(const BankRecord* record) {
    // The student program reads the bank through the code page and shows
    // the texts as the draw stores them.
    m_screen->setItemsVisible(record != nullptr);
    if (!record)
        return;
    m_screen->setQuestion(cp1251Text(record->text[FieldQuestion], 255));
    for (int k = 1; k <= 5; ++k)
        m_screen->setAnswer(k, cp1251Text(record->text[static_cast<size_t>(k)], 255));
    m_screen->clearBackgrounds();
    m_screen->clearBorders();
}

} // namespace kt

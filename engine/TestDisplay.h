// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/TestItem.h"

#include <QString>

namespace kt {

struct SettingsModel;

// What the engine shows; the main window implements it. Each call is one
// visible change, so a recording fake can check the exact sequence.
class TestDisplay {
public:
    virtual ~TestDisplay() = default;

    // The question screen.
    virtual void ShowItem(const TestItem& item) = 0;
    virtual void ShowCounter(const QString& text) = 0;
    // ResetAnswerLook in its two halves: a move clears the backgrounds first
    // and the borders last.
    virtual void ClearAnswerBackgrounds() = 0;
    virtual void ClearAnswerBorders() = 0;
    // Answer k gets the chosen look, the other four the plain look.
    virtual void ShowAnswerChosen(int k) = 0;

    virtual void ShowScore(int right, int open, int wrong) = 0;
    virtual void ShowTimeLeft(const QString& text) = 0;
    virtual void ShowTitle(const QString& subject) = 0;

    // Visibility of the question, the five answers, the score bar, Back,
    // Forward and the counter, all together.
    virtual void SetTestElementsVisible(bool visible) = 0;
    virtual void SetStartPanelVisible(bool visible) = 0;
    virtual void SetResultPanelVisible(bool visible) = 0;
    virtual void SetSettingsVisible(bool visible) = 0;
    virtual void SetReportViewerVisible(bool visible) = 0;
    virtual void SetAboutVisible(bool visible) = 0;

    // The abort menu item and the Stop tool button.
    virtual void SetAbortEnabled(bool enabled) = 0;
    // The "Настройка" menu item and the Options tool button, separately:
    // startup enables only the menu item.
    virtual void SetSettingsMenuEnabled(bool enabled) = 0;
    virtual void SetOptionsButtonEnabled(bool enabled) = 0;

    virtual void ShowResultName(const QString& name) = 0;
    virtual void ShowResultPercent(const QString& text) = 0;

    // The settings screen's texts and controls follow the model.
    virtual void ShowSettings(const SettingsModel& settings) = 0;

    // The program ends now (after the connection-error dialog).
    virtual void Terminate() = 0;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Bevel.h"

#include <QLineEdit>
#include <QPushButton>

namespace kt {

class TextLabel;

// The start panel: asks for the student's name. OK (or Enter, handled by
// the window) starts the test.
class StartPanel : public BevelPanel {
    Q_OBJECT
public:
    explicit StartPanel(QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return m_name; }
    QPushButton* okButton() const { return m_ok; }
    TextLabel* heading() const { return m_heading; }
    TextLabel* prompt() const { return m_prompt; }
    // A class list: its names are offered as the student types, and the box
    // takes a listed name whole, up to 40 characters. The panel looks the same.
    void setClassList(const QStringList& names);

signals:
    void accepted();

private:
    TextLabel* m_heading;
    TextLabel* m_prompt;
    QLineEdit* m_name;
    QPushButton* m_ok;
};

} // namespace kt

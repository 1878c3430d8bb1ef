// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Bevel.h"

class QPlainTextEdit;
class QPushButton;

namespace kt {

class TextLabel;

// After the result: the questions a student got wrong or left open, in the
// result panel's look and place. OK closes it.
class ReviewPanel : public BevelPanel {
    Q_OBJECT
public:
    explicit ReviewPanel(QWidget* parent = nullptr);

    // One paragraph per question, as the caller words them.
    void setText(const QString& text);
    QString text() const;
    QPushButton* okButton() const { return m_ok; }

signals:
    void accepted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* m_heading;
    QPlainTextEdit* m_list;
    QPushButton* m_ok;
};

} // namespace kt

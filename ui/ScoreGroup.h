// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kt {

// A titled frame in the desktop colour: an etched line round the group,
// starting half a text height down, broken by the red title near its left.
class ScoreGroup : public QWidget {
    Q_OBJECT
public:
    explicit ScoreGroup(const QString& title, QWidget* parent = nullptr);
    const QString& title() const { return m_title; }
    QColor titleColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};

} // namespace kt

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Bevel.h"

#include <QLabel>

namespace kt {

// The title panel: the test's subject centred across its top.
class TitlePanel : public BevelPanel {
    Q_OBJECT
public:
    explicit TitlePanel(QWidget* parent = nullptr);

    void setTitle(const QString& text);
    // The title as stored, with its "&" prefixes.
    const QString& title() const { return m_raw; }

private:
    QLabel* m_title;
    QString m_raw;
};

} // namespace kt

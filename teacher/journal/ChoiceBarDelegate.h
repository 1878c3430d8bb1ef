// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace kt {

// Draws the five choice shares and "no answer" of a row as one small bar:
// the key green, the wrong variants in shades of red, no answer grey, so a
// wrong variant that outweighs the key stands out at a glance.
class ChoiceBarDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ChoiceBarDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kt

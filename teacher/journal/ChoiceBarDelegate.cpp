// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ChoiceBarDelegate.h"

#include "teacher/journal/ItemAnalysisModel.h"

#include <QPainter>

namespace kt {
namespace {

QColor segmentColor(int segment, int key) {
    if (segment == kNoAnswer)
        return QColor(190, 190, 190);
    if (segment == key - 1)
        return QColor(60, 160, 80);
    static const QColor kWrong[] = {QColor(200, 70, 60), QColor(225, 120, 90), QColor(180, 90, 120),
                                    QColor(230, 160, 110), QColor(160, 60, 60)};
    return kWrong[segment];
}

} // namespace

ChoiceBarDelegate::ChoiceBarDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void ChoiceBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariantList shares = index.data(ItemAnalysisModel::ChoicesRole).toList();
    const int key = index.data(ItemAnalysisModel::KeyRole).toInt();
    const QRectF bar = QRectF(option.rect).adjusted(3, 4, -3, -4);
    painter->save();
    double x = bar.left();
    for (int i = 0; i < shares.size(); ++i) {
        const double width = shares[i].toDouble() * bar.width();
        painter->fillRect(QRectF(x, bar.top(), width, bar.height()), segmentColor(i, key));
        x += width;
    }
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawRect(bar);
    painter->restore();
}

QSize ChoiceBarDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index).expandedTo(QSize(120, 18));
}

} // namespace kt

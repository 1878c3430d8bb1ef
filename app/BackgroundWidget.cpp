#include "BackgroundWidget.h"

#include "Look.h"

#include <QMouseEvent>
#include <QPainter>

namespace kt {

BackgroundWidget::BackgroundWidget(const QPixmap& picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void BackgroundWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kSkyBlue);
    painter.drawPixmap(0, 0, m_picture);
}

void BackgroundWidget::mouseMoveEvent(QMouseEvent* event) {
    // Moves over elements without their own handling arrive here as well;
    // only the picture itself counts as the background.
    if (!childAt(event->position().toPoint()))
        emit backgroundHovered();
    event->accept();
}

} // namespace kt

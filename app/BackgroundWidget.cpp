// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BackgroundWidget.h"

#include "ui/layout/Look.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <system_error>

namespace kt {

BackgroundWidget::BackgroundWidget(const QString& picturePath, QWidget* parent)
    : QWidget(parent), m_path(picturePath) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void BackgroundWidget::decodeAside() {
    if (m_pictureTaken || m_decoding.valid())
        return;
    try {
        m_decoding =
            std::async(std::launch::async, [path = m_path] { return QImageReader(path).read(); });
    } catch (const std::system_error&) {
        // No thread to spare: the picture is decoded when it is first needed.
    }
}

const QPixmap& BackgroundWidget::picture() const {
    if (!m_pictureTaken) {
        m_pictureTaken = true;
        QImage image = m_decoding.valid() ? m_decoding.get() : QImageReader(m_path).read();
        // A pixmap belongs to the window's thread: it is made here, from the
        // decoded image, as loading the file straight into a pixmap would.
        m_picture = QPixmap::fromImage(std::move(image));
    }
    return m_picture;
}

void BackgroundWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kSkyBlue);
    painter.drawPixmap(0, 0, picture());
}

void BackgroundWidget::mouseMoveEvent(QMouseEvent* event) {
    // Moves over elements without their own handling arrive here as well;
    // only the picture itself counts as the background.
    if (!childAt(event->position().toPoint()))
        emit backgroundHovered();
    event->accept();
}

} // namespace kt

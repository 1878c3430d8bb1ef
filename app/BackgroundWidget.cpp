#include "BackgroundWidget.h"

#include "Look.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <system_error>

namespace kt {

BackgroundWidget::BackgroundWidget(std::shared_future<QImage> picture, QWidget* parent)
    : QWidget(parent), m_decoding(std::move(picture)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

std::shared_future<QImage> BackgroundWidget::decodeAside(const QString& path) {
    auto decode = [path] { return QImageReader(path).read(); };
    try {
        return std::async(std::launch::async, decode).share();
    } catch (const std::system_error&) {
        // No thread to spare: the picture is decoded when it is first needed.
        return std::async(std::launch::deferred, decode).share();
    }
}

const QPixmap& BackgroundWidget::picture() const {
    if (m_decoding.valid()) {
        // A pixmap belongs to the window's thread: it is made here, from the
        // decoded image, as loading the file straight into a pixmap would.
        QImage image = m_decoding.get();
        m_decoding = {};
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

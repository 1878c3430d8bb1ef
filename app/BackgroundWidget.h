#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <future>

namespace kt {

// The window's client area: the background picture at its natural size
// from the top-left corner, clipped, over the sky-blue window colour. The
// elements of the window are its children.
//
// Decoding the picture takes about as long as building all the elements, so
// it is decoded on another thread while they are built and taken over when
// it is first needed, at the first paint at the latest.
class BackgroundWidget : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundWidget(std::shared_future<QImage> picture, QWidget* parent = nullptr);

    // Starts decoding the picture file on another thread.
    static std::shared_future<QImage> decodeAside(const QString& path);

    // The picture; waits for its decoding if that is still under way.
    const QPixmap& picture() const;

signals:
    // The pointer moved over the background itself, not over an element.
    void backgroundHovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    mutable std::shared_future<QImage> m_decoding;
    mutable QPixmap m_picture;
};

} // namespace kt

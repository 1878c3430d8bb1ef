// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <future>

namespace kt {

// The window's client area: the background picture at its natural size
// from the top-left corner, clipped, over the sky-blue window colour. The
// elements of the window are its children.
class BackgroundWidget : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundWidget(const QString& picturePath, QWidget* parent = nullptr);

    // Decoding the picture costs about as much as building half of the
    // window's elements: this starts it on another thread, and the picture
    // is taken over when it is first needed. Without it, the picture is
    // decoded then.
    void decodeAside();

    // The picture; waits for its decoding if that is still under way.
    const QPixmap& picture() const;

signals:
    // The pointer moved over the background itself, not over an element.
    void backgroundHovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString m_path;
    mutable std::future<QImage> m_decoding;
    mutable QPixmap m_picture;
    mutable bool m_pictureTaken = false;
};

} // namespace kt

#pragma once

#include <QPixmap>
#include <QWidget>

namespace kt {

// The window's client area: the background picture at its natural size
// from the top-left corner, clipped, over the sky-blue window colour. The
// elements of the window are its children.
class BackgroundWidget : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundWidget(const QPixmap& picture, QWidget* parent = nullptr);
    const QPixmap& picture() const { return m_picture; }

signals:
    // The pointer moved over the background itself, not over an element.
    void backgroundHovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace kt

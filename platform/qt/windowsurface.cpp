#include "platform/qt/windowsurface.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

WindowSurface::WindowSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.canvas().setChangeListener(
        [this](const TRect& r) { update(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top)); });
    fitImage(width(), height());
}

void WindowSurface::fitImage(int width, int height) {
    if (width == image_.width() && height == image_.height()) return;
    Bitmap24 old(image_);
    image_.setSize(width, height);
    Canvas& c = image_.canvas();
    const bool clipped = c.hasClip();
    const TRect clip = c.clipRect();
    c.clearClip();
    if (!old.isEmpty()) c.draw(0, 0, old);
    if (clipped) c.setClipRect(clip);
}

Bitmap24& WindowSurface::image() {
    fitImage(width(), height());
    return image_;
}

void WindowSurface::resizeEvent(QResizeEvent* event) {
    fitImage(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

void WindowSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isEmpty()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    const QImage view(image_.bits(), image_.width(), image_.height(), image_.stride(), QImage::Format_BGR888);
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), view, r);
}

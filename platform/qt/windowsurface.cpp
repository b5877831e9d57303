#include "platform/qt/windowsurface.h"

#include <algorithm>
#include <cstddef>

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {

// Qt draws on its thread pool once a drawing has about a hundred rows, and converts an image there
// once it has 2 x 65536 pixels or more (device pixels both).
constexpr double kRowsPerBand = 64.0;
constexpr double kPixelsPerBand = 131071.0;

} // namespace

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

bool WindowSurface::imageReady() {
    return width() <= 0 || height() <= 0 || !image().isEmpty();
}

void WindowSurface::resizeEvent(QResizeEvent* event) {
    fitImage(event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

void WindowSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Qt has no image of the window to paint on when it could not allocate one: nothing is drawn.
    if (!painter.isActive()) {
        Bitmap24::noteOutOfMemory();
        return;
    }
    if (image_.isEmpty()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    // Qt draws and converts a 24-bit image on its thread pool once a drawing covers about a hundred
    // rows or a wide window's fewer rows, and the GUI thread waits for those threads (of low priority,
    // and started anew after 30 s unused): on a busy machine that wait stalled playback for tens of
    // milliseconds. In bands below both thresholds the work stays on this thread, and costs no more.
    const QRect r = event->rect() & QRect(0, 0, image_.width(), image_.height());
    const double ratio = std::max(1.0, devicePixelRatioF());
    const int band = std::max(
        1, int(std::min(kRowsPerBand / ratio, kPixelsPerBand / (std::max(1, r.width()) * ratio * ratio))));
    for (int y = r.top(); y <= r.bottom(); y += band) {
        const int rows = std::min(band, r.bottom() + 1 - y);
        const QImage view(image_.bits() + std::ptrdiff_t(y) * image_.stride() + std::ptrdiff_t(r.left()) * 3,
                          r.width(), rows, image_.stride(), QImage::Format_BGR888);
        // The rows are converted for the screen here rather than inside Qt's drawing, which goes on
        // with a null image when it cannot allocate the converted copy: without memory for it the
        // rest is not drawn, and the failure is reported.
        const bool allowed = Bitmap24::mayAllocate(std::size_t(r.width()) * std::size_t(rows) * 4);
        const QImage screenRows = allowed ? view.convertToFormat(QImage::Format_RGB32) : QImage();
        if (screenRows.isNull()) {
            Bitmap24::noteOutOfMemory();
            return;
        }
        painter.drawImage(QPoint(r.left(), y), screenRows);
    }
}

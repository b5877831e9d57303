// Text on the canvas: QPainter draws on a QImage that views the canvas rows for one call only.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/qt/canvas.h"

void Canvas::textOut(int x, int y, const std::string& text) {
    if (text.empty() || !isAttached() || base_ == nullptr || !fontsAvailable()) return;
    const TRect lim = drawable();
    if (lim.Right <= lim.Left || lim.Bottom <= lim.Top) return;
    const QFont qfont = makeQFont(font);
    const QFontMetrics metrics(qfont);
    const QString s = displayText(text);
    {
        QImage view(base_, width_, height_, stride_, QImage::Format_BGR888);
        QPainter painter(&view);
        painter.setClipRect(QRect(lim.Left, lim.Top, lim.Right - lim.Left, lim.Bottom - lim.Top));
        painter.setFont(qfont);
        painter.setPen(QColor(colourRed(font.color), colourGreen(font.color), colourBlue(font.color)));
        painter.drawText(QPoint(x, y + metrics.ascent()), s);
    }
    const int w = metrics.horizontalAdvance(s);
    // Glyphs may reach a little beyond their advance (overhangs, italics): report a wider area.
    const int slack = metrics.height() / 2 + 2;
    changed({x - slack, y, x + w + slack, y + metrics.height() + 1});
}

int Canvas::textWidth(const std::string& text) const {
    if (text.empty() || !fontsAvailable()) return 0;
    return QFontMetrics(makeQFont(font)).horizontalAdvance(displayText(text));
}

int Canvas::textHeight(const std::string& text) const {
    (void)text;
    if (!fontsAvailable()) return 0;
    return QFontMetrics(makeQFont(font)).height();
}

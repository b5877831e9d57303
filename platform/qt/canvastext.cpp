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
    const long long w = metrics.horizontalAdvance(s);
    // Glyphs may reach a little beyond their advance (overhangs, italics): count a wider area.
    const long long slack = metrics.height() / 2 + 2;
    const long long left = static_cast<long long>(x) - slack;
    const long long right = static_cast<long long>(x) + w + slack;
    const long long bottom = static_cast<long long>(y) + metrics.height() + 1;
    if (right <= lim.Left || left >= lim.Right || bottom <= lim.Top || y >= lim.Bottom) return;
    {
        QImage view(base_, width_, height_, stride_, QImage::Format_BGR888);
        QPainter painter(&view);
        painter.setClipRect(QRect(lim.Left, lim.Top, lim.Right - lim.Left, lim.Bottom - lim.Top));
        painter.setFont(qfont);
        painter.setPen(QColor(colourRed(font.color), colourGreen(font.color), colourBlue(font.color)));
        painter.drawText(QPoint(x, y + metrics.ascent()), s);
    }
    changed({static_cast<int>(left), y, static_cast<int>(right), static_cast<int>(bottom)});
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

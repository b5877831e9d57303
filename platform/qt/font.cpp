#include "platform/qt/font.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QString>

std::string resolveFontFamily(const std::string& name) {
    if (name == "Tahoma") return "DejaVu Sans Condensed";
    return name;
}

bool fontsAvailable() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

namespace {

QFont familyFont(const Font& font, int pixelSize) {
    QFont f(QString::fromStdString(resolveFontFamily(font.name)));
    f.setPixelSize(pixelSize < 1 ? 1 : pixelSize);
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    return f;
}

} // namespace

QFont makeQFont(const Font& font) {
    constexpr int kLargest = 2000;
    int h = font.height;
    if (h == 0) h = -11;
    if (h < 0) return familyFont(font, -h < kLargest ? -h : kLargest);
    // A positive height is the cell height: take the largest type whose cell fits it.
    int size = h < kLargest ? h : kLargest;
    while (size > 1 && QFontMetrics(familyFont(font, size)).height() > h) --size;
    return familyFont(font, size);
}

bool isValidUtf8(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int follow = 0;
        unsigned min = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1;
            cp = c & 0x1F;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            cp = c & 0x0F;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            cp = c & 0x07;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + follow >= n) return false;
        for (int k = 1; k <= follow; ++k) {
            unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += follow + 1;
    }
    return true;
}

QString displayText(const std::string& text) {
    if (isValidUtf8(text)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

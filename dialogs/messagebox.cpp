#include "dialogs/messagebox.h"

#include <algorithm>
#include <vector>

#include "dialogs/tfdialog.h"
#include "ui/limage.h"

namespace {

// The text a line shows and whether it is bold (a leading "^"; then "~" is a link marker).
std::string shownText(const std::string& line, bool& bold) {
    std::string t = line;
    bold = !t.empty() && t[0] == '^';
    if (bold) t.erase(0, 1);
    if (!t.empty() && t[0] == '~') t.erase(0, 1);
    return t;
}

// A link line: its text is what a click opens, so it is never broken.
bool isLinkLine(const std::string& line) {
    std::size_t at = !line.empty() && line[0] == '^' ? 1 : 0;
    return line.compare(at, 1, "~") == 0 || line.compare(at, 4, "www.") == 0;
}

// The length of the longest start of text (cut between UTF-8 characters) no wider than width; at
// least one character, so that every piece moves on.
std::size_t fittingLength(Canvas& c, const std::string& text, int width) {
    auto nextChar = [&text](std::size_t i) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        return i;
    };
    std::size_t good = nextChar(0), lo = good, hi = text.size();
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo + 1) / 2;
        while (mid < text.size() && (static_cast<unsigned char>(text[mid]) & 0xC0) == 0x80) ++mid;
        if (mid > hi) mid = hi;
        if (c.textWidth(text.substr(0, mid)) <= width) {
            good = lo = mid;
        } else {
            hi = mid - 1;
            while (hi > lo && (static_cast<unsigned char>(text[hi]) & 0xC0) == 0x80) --hi;
        }
    }
    return std::max(good, nextChar(0));
}

// A line as the box shows it; a piece of a broken line is plain text (bold kept), never a link.
struct ShownLine {
    std::string text;
    bool plain = false;
};

// The lines as the box shows them: a line wider than width is broken at its last blank that fits,
// or within a word that does not fit at all; its pieces keep its bold mark. A link line stays whole,
// shortened with "…" when it does not fit.
std::vector<ShownLine> wrapLines(const Llist<std::string>& lines, int width, int& widest) {
    std::vector<ShownLine> shown;
    widest = 0;
    Limage scratch;
    if (!scratch.setSize(10, 10, true) || scratch.canvas() == nullptr) {
        for (const std::string& line : lines) shown.push_back({line, false});
        return shown;
    }
    Canvas& c = *scratch.canvas();
    const std::string ellipsis = "\xE2\x80\xA6"; // "…" in UTF-8
    for (const std::string& line : lines) {
        bool bold = false;
        std::string text = shownText(line, bold);
        c.font = Font{};
        c.font.bold = bold;
        int w = c.textWidth(text);
        if (w <= width) {
            widest = std::max(widest, w);
            shown.push_back({line, false});
            continue;
        }
        if (isLinkLine(line)) {
            std::string cut =
                text.substr(0, fittingLength(c, text, std::max(1, width - c.textWidth(ellipsis))));
            cut += ellipsis;
            widest = std::max(widest, c.textWidth(cut));
            shown.push_back({line.substr(0, line.size() - text.size()) + cut, false});
            continue;
        }
        const std::string mark = bold ? "^" : "";
        while (!text.empty()) {
            std::size_t n = text.size();
            if (c.textWidth(text) > width) {
                n = fittingLength(c, text, width);
                std::size_t blank = text.rfind(' ', n);
                if (blank != std::string::npos && blank > 0 && blank <= n) n = blank;
            }
            std::string piece = text.substr(0, n);
            widest = std::max(widest, c.textWidth(piece));
            shown.push_back({mark + piece, true});
            std::size_t next = n;
            while (next < text.size() && text[next] == ' ') ++next;
            text.erase(0, next);
        }
    }
    return shown;
}

struct Layout {
    QSize size;
    std::vector<ShownLine> shown;
};

// The page size for the lines and the lines it shows: 500 wide, or the widest line + 50, but never
// wider than kMaxWidth nor the screen (longer lines are broken); 16 per line + 124 high, within the
// screen (an invalid screen size limits nothing).
Layout layoutFor(const Llist<std::string>& lines, QSize screen) {
    constexpr int kMaxWidth = 900;
    int maxWidth = kMaxWidth;
    if (screen.isValid() && screen.width() > 0) maxWidth = std::min(maxWidth, screen.width());
    Layout l;
    int widest = 0;
    l.shown = wrapLines(lines, std::max(1, maxWidth - 50), widest);
    int width = std::min(std::max(500, widest + 50), std::max(maxWidth, 1));
    int height = 16 * int(l.shown.size()) + 124;
    if (screen.isValid() && screen.height() > 0) height = std::min(height, screen.height());
    l.size = {width, height};
    return l;
}

} // namespace

QSize messageBoxPageSize(const Llist<std::string>& lines, QSize screen) {
    return layoutFor(lines, screen).size;
}

int messageBox(const Llist<std::string>& lines, bool withCancel, bool yesNo, const std::string& title) {
    TFdialog page(kPageMessageBox);
    const Layout layout = layoutFor(lines, dialogScreenSize());
    const QSize size = layout.size;
    page.beginPage(size.width(), size.height(), title);
    for (int i = 0; i < int(layout.shown.size()); ++i) {
        // A box held within the screen shows the lines that fit above its buttons.
        if (50 + 16 * i + 20 > size.height() - 52) break;
        const ShownLine& line = layout.shown[std::size_t(i)];
        page.drawPageText(25, 50 + 16 * i, line.text, -1, -1, 0, !line.plain);
    }
    const std::string first = yesNo ? "Yes" : "OK";
    const std::string second = yesNo ? "No" : (withCancel ? "Cancel" : "");
    const std::string third = yesNo && withCancel ? "Cancel" : "";
    return page.showPage(first, second, third);
}

int messageBoxLine(const std::string& text, bool withCancel, bool yesNo, const std::string& title) {
    Llist<std::string> lines(0, 1, true);
    lines.add(text);
    return messageBox(lines, withCancel, yesNo, title);
}

int DialogPrompt::messageBox(const Llist<std::string>& lines, PromptButtons buttons,
                             const std::string& title) {
    const bool withCancel = buttons == PromptButtons::OkCancel || buttons == PromptButtons::YesNoCancel;
    const bool yesNo = buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel;
    return ::messageBox(lines, withCancel, yesNo, title);
}

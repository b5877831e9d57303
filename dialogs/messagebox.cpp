#include "dialogs/messagebox.h"

#include <algorithm>

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

} // namespace

QSize messageBoxPageSize(const Llist<std::string>& lines, QSize screen) {
    Limage scratch;
    int widest = 0;
    if (scratch.setSize(10, 10, true) && scratch.canvas() != nullptr) {
        Canvas& c = *scratch.canvas();
        for (const std::string& line : lines) {
            bool bold = false;
            const std::string text = shownText(line, bold);
            c.font = Font{};
            c.font.bold = bold;
            widest = std::max(widest, c.textWidth(text));
        }
    }
    int width = std::max(500, widest + 50);
    int height = 16 * lines.count() + 124;
    if (screen.isValid() && screen.width() > 0) width = std::min(width, screen.width());
    if (screen.isValid() && screen.height() > 0) height = std::min(height, screen.height());
    return {width, height};
}

int messageBox(const Llist<std::string>& lines, bool withCancel, bool yesNo, const std::string& title) {
    TFdialog page(kPageMessageBox);
    const QSize size = messageBoxPageSize(lines, dialogScreenSize());
    page.beginPage(size.width(), size.height(), title);
    for (int i = 0; i < lines.count(); ++i) {
        // A box held within the screen shows the lines that fit above its buttons.
        if (50 + 16 * i + 20 > size.height() - 52) break;
        page.drawPageText(25, 50 + 16 * i, lines.at(i));
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

#pragma once
// The program's message and question box: a dialog page sized to its text lines with OK, OK/Cancel,
// Yes/No or Yes/No/Cancel buttons, and the Prompt the document and page commands ask through.
#include <QSize>
#include <string>

#include "engine/prompt.h"
#include "foundation/llist.h"

// Lines may carry the page text markup ("^" bold, "~" or "www." a link). An empty title means the
// application title. Returns the button's index (left to right), or -1 when the box was closed
// (Esc, the window closed, the program quitting); Enter gives 0.
int messageBox(const Llist<std::string>& lines, bool withCancel, bool yesNo, const std::string& title);
int messageBoxLine(const std::string& text, bool withCancel, bool yesNo, const std::string& title);

// The page size for these lines: 500 wide, or the widest line (measured in the font it is drawn in)
// + 50, at most 900 and the screen's width: a longer line is broken into several (at blanks where it
// can; the pieces are plain text), a link line is shortened with "…" instead; 16 per shown line + 124
// high, within the screen (an invalid screen size limits nothing).
QSize messageBoxPageSize(const Llist<std::string>& lines, QSize screen);

// The message box page answering the program's questions.
class DialogPrompt : public Prompt {
  public:
    int messageBox(const Llist<std::string>& lines, PromptButtons buttons, const std::string& title) override;
};

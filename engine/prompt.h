#pragma once
// The program's questions and notices as the engine asks them: a message box with text lines and
// a fixed set of buttons. The dialog layer implements it; tests use a scripted fake.
#include <string>

#include "foundation/llist.h"

enum class PromptButtons {
    Ok,          // "OK": result 0
    OkCancel,    // "OK", "Cancel": 0, 1
    YesNo,       // "Yes", "No": 0, 1
    YesNoCancel, // "Yes", "No", "Cancel": 0, 1, 2
};

class Prompt {
  public:
    virtual ~Prompt() = default;
    // Shows the lines with the buttons and waits for the answer: the index of the button chosen
    // (left to right), or -1 when the box was closed without one. An empty title means the
    // application title.
    virtual int messageBox(const Llist<std::string>& lines, PromptButtons buttons,
                           const std::string& title) = 0;
};

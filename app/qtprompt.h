#pragma once
// The program's questions until the dialog form answers them: a relay that hands each question to
// the prompt set as its target (the dialog form's message page, once that form exists), and
// otherwise to a plain Qt message box that is waited for in the program's wait loop, so that
// playback keeps going while it is open.
#include "engine/prompt.h"

class QtMessagePrompt : public Prompt {
  public:
    int messageBox(const Llist<std::string>& lines, PromptButtons buttons, const std::string& title) override;
};

class PromptRelay : public Prompt {
  public:
    Prompt* target = nullptr; // null: the Qt message box
    int messageBox(const Llist<std::string>& lines, PromptButtons buttons,
                   const std::string& title) override {
        return target != nullptr ? target->messageBox(lines, buttons, title)
                                 : fallback.messageBox(lines, buttons, title);
    }

  private:
    QtMessagePrompt fallback;
};

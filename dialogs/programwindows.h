#pragma once
// The program's other windows around the main form: the dialog form's message page as the program's
// prompt, the popup menus, the selector overlay painted over the main window, and the Style
// Programmer, connected to the main object's window hooks. One object for the program's life,
// made after the main form and destroyed before it.
#include <memory>

class QuoVelanta;
class TFmain;
class TFprogrammer;

class ProgramWindows {
  public:
    ProgramWindows(QuoVelanta& app, TFmain& form);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // The menus follow the main window's look as it is now (white model, display text colour).
    void syncPopupLook();
    TFprogrammer& programmer() { return *programmer_; }

    // The quit's last question: unsaved style edits (closing the Style Programmer when it is shown).
    // False keeps the program running.
    bool confirmQuit();

  private:
    QuoVelanta& app_;
    TFmain& form_;
    std::unique_ptr<TFprogrammer> programmer_;
    void connect();
};

#pragma once
// How the main window's menus are shown: the program's popup menu, or a script in the tests.
#include <string>

#include "foundation/llist.h"
#include "platform/qt/gditypes.h"
#include "ui/popupmenu.h"

class MenuPresenter {
  public:
    virtual ~MenuPresenter() = default;
    // Shows items at (x, y) in screen coordinates (-1000, -1000: at the mouse); the chosen index (a
    // dimmed item, a heading or a line too: the caller ignores it), or -1 when nothing was chosen.
    virtual int show(const Llist<std::string>& items, int x, int y) = 0;
    // How the last popup ended without a choice: closed by a key, or by a click elsewhere (which the
    // main window may replay).
    virtual bool closedByKey() const = 0;
    virtual DismissClick dismissClick() const = 0;
    // A popup is showing; close() ends it without a choice.
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // The mouse in screen coordinates.
    virtual TPoint cursorPos() const = 0;
};

// The program's popup menu (ui/popupmenu.h).
class PopupMenuPresenter : public MenuPresenter {
  public:
    int show(const Llist<std::string>& items, int x, int y) override;
    bool closedByKey() const override { return byKey; }
    // (A press on a greyed item or the focus leaving the program closes the menu without a key.)
    DismissClick dismissClick() const override { return lastDismissClick(); }
    bool isOpen() const override { return activePopupMenu() != nullptr; }
    void close() override;
    TPoint cursorPos() const override { return popupDesktop().cursorPos(); }

  private:
    bool byKey = false;
    bool closedHere = false;
};
MenuPresenter& defaultMenuPresenter();

// Menu titles, in order.
inline constexpr int kMenuFile = 0, kMenuEdit = 1, kMenuPlay = 2, kMenuOptions = 3, kMenuHelp = 4;

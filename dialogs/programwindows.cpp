#include "dialogs/programwindows.h"

#include <QGuiApplication>

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "dialogs/programmer.h"
#include "dialogs/tfdialog.h"
#include "ui/popupmenu.h"
#include "ui/qvselector.h"

ProgramWindows::ProgramWindows(QuoVelanta& app, TFmain& form)
    : app_(app), form_(form), programmer_(std::make_unique<TFprogrammer>(app)) {
    connect();
}

ProgramWindows::~ProgramWindows() {
    WindowHooks& h = app_.hooks;
    h.openChordSelector = nullptr;
    h.openArrangementSelector = nullptr;
    h.openPageMenu = nullptr;
    h.paintSelector = nullptr;
    h.selectorRect = nullptr;
    h.isDialogVisible = nullptr;
    h.closeDialog = nullptr;
    h.isPopupMenuVisible = nullptr;
    h.showStyleProgrammer = nullptr;
    h.refreshStyleProgrammer = nullptr;
    h.confirmQuit = nullptr;
    h.updateHover = nullptr;
    h.cancelMouseInteractions = nullptr;
    h.resetInputState = nullptr;
    popupSettings().keyUp = nullptr;
    DialogServices& d = dialogServices();
    d.options = nullptr;
    d.showPopupMenu = nullptr;
    d.popupMenuVisible = nullptr;
    d.closePopupMenu = nullptr;
}

bool ProgramWindows::confirmQuit() {
    if (programmer_->isVisible()) {
        if (app_.closeStyleEdits() == QuoVelanta::StyleEditEnd::KeepEditing) return false;
        programmer_->hide();
        return true;
    }
    return app_.confirmStyleEdits(-1);
}

void ProgramWindows::syncPopupLook() {
    PopupSettings& ps = popupSettings();
    ps.theme = app_.theme;
    if (app_.engine.options.displayTextColorNames.count() > 0)
        ps.firstColourName = app_.engine.options.displayTextColorNames.at(0);
}

void ProgramWindows::connect() {
    QuoVelanta& app = app_;
    TFmain& form = form_;

    // The popup menus: every window's menus share the main window's look and key-up handler.
    syncPopupLook();
    popupSettings().keyUp = [&app](int vk) {
        const Qt::KeyboardModifiers m = QGuiApplication::keyboardModifiers();
        app.keyUp(vk, (m & Qt::ControlModifier) != 0, (m & Qt::ShiftModifier) != 0);
    };

    DialogServices& d = dialogServices();
    d.options = &app.engine.options;
    d.showPopupMenu = [this](const Llist<std::string>& items, int current, int x, int y, TColor colour,
                             int width) {
        syncPopupLook();
        return showPopupMenu(items, current, x, y, colour, width);
    };
    d.popupMenuVisible = [] { return popupMenuOpen(); };
    d.closePopupMenu = [] {
        if (TFmenu* m = activePopupMenu()) m->closeMenu();
    };

    WindowHooks& h = app.hooks;
    h.isDialogVisible = [] { return isDialogVisible(); };
    h.closeDialog = [] { closeDialogPages(); };
    h.isPopupMenuVisible = [] { return popupMenuOpen(); };

    // The selector overlay over the main window's back buffer.
    h.paintSelector = [&app] {
        if (app.selector != nullptr && app.selector->isOpen()) app.selector->paint(!app.deferBlit);
    };
    h.selectorRect = [&app]() -> TRect {
        if (app.selector == nullptr || !app.selector->isOpen()) return {0, 0, -1, -1};
        const TRect b = app.selector->bounds();
        return {b.Left, b.Top, b.Right - 1, b.Bottom - 1};
    };
    h.openChordSelector = [&app, &form](int chord, const QvChord& target) {
        if (chord < 0 || chord >= app.chordRects.count()) return;
        const TRect& r = app.chordRects.at(chord);
        app.openChordSelector(target, &app.backBuffer, &form.canvas(), r.Left, r.Top, app.pageArea.Left,
                              app.pageArea.Right);
    };
    h.openArrangementSelector = [&app, &form](const QvAPoint& point, int x) {
        app.openArrangementSelector(point, &app.backBuffer, &form.canvas(), app.pageArea.Left,
                                    app.arrangementStrip.Top, app.pageArea.Right, x);
    };
    h.openPageMenu = [&app, &form](int slot, int page, bool blit) {
        if (slot < 0 || slot >= app.slotRects.count()) return;
        const TRect& r = app.slotRects.at(slot);
        app.openPageMenu(&app.backBuffer, blit ? &form.canvas() : nullptr, r.Left, r.Top, page,
                         app.pageArea.Left, app.pageArea.Right);
        if (app.selector != nullptr) app.selector->setTarget(&app.backBuffer, &form.canvas());
    };

    // The Style Programmer.
    TFprogrammer& p = *programmer_;
    p.popupMenu = [this](const Llist<std::string>& items, int current, int x, int y, int colour, int width) {
        syncPopupLook();
        return showPopupMenu(items, current, x, y, colour, width);
    };
    p.popupGrid = [this](const Llist<std::string>& items, int current, int rows, int group, int x, int y,
                         int colour) {
        syncPopupLook();
        return showPopupGrid(items, current, rows, group, x, y, colour);
    };
    h.showStyleProgrammer = [&p] { p.showProgrammer(); };
    h.refreshStyleProgrammer = [&p] { p.refresh(); };
    h.confirmQuit = [this] { return confirmQuit(); };

    // The mouse input's hover and drags follow the commands' edits.
    h.updateHover = [&app] { app.updateHover(); };
    h.cancelMouseInteractions = [&app] { app.cancelMouseState(); };
    h.resetInputState = [&app] { app.cancelMouseState(); };
}

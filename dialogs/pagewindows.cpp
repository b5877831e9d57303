#include "dialogs/pagewindows.h"

#include "app/mainform.h"
#include "app/quovelanta.h"
#include "app/qvcontext.h"
#include "dialogs/accompanimentpages.h"
#include "dialogs/documentpages.h"
#include "dialogs/infopages.h"
#include "dialogs/optionspage.h"
#include "dialogs/presetspage.h"
#include "dialogs/settingspages.h"
#include "dialogs/titlecards.h"
#include "dialogs/toolwindows.h"
#include "dialogs/transposepage.h"
#include "ui/popupmenu.h"

PageWindows::PageWindows(QvContext& context, TFmain& mainForm) : ctx(context), form(mainForm) {
    QuoVelanta& app = ctx.app;
    WindowHooks& h = app.hooks;

    // The mixer, the notes window and the title cards.
    tools_ = installMixerAndNotes(ctx, &form);
    h.refreshMixer = [this] { tools_->refreshMixer(); };
    h.reloadNotes = [this] { tools_->reloadNotes(); };
    h.titleCardsStart = startTitleCardClock;
    h.titleCardsIdle = pollTitleCards;
    h.titleCardsShowOne = showTitleCard;

    // Reference tones (key T), about, the sound test (the first start too) and the loop help.
    info_ = installInfoPages(ctx);
    h.soundTest = [] { return showSoundTestPage(); };
    h.showAboutPage = [] { showAboutPage(); };
    h.showSoundTestPage = [] { (void)showSoundTestPage(); };
    h.showLoopHelp = [] { showLoopHelpPage(); };

    // The settings pages (history on H, visual transpose) and what they repaint.
    installSettingsPages(ctx);
    SettingsWindowHooks& sh = settingsWindowHooks();
    sh.relayoutMainWindow = [this] { ctx.app.paintWindow(&form); };
    sh.repaintTransposingInstrumentBox = [this] { ctx.app.paintTransposingInstrumentBox(); };
    sh.reskinToolWindows = [this] { tools_->rebuildForLook(); };

    // The pages the menus open.
    h.showTransposePage = [&app](bool chordsSelected) { return transposeCommand(app, chordsSelected); };
    h.showFadeOutPage = [&app] { showFadeOutPage(app); };
    h.showAccompanimentPage = [&app] { (void)showAccompanimentPage(app); };
    h.showPrecountPage = [&app] { showPrecountPage(app); };
    h.showOptionsPage = [&app] { showOptionsPage(app); };
    h.showHotKeysPage = [] { showHotKeysPage(); };
    h.choosePresetProgression = [](const Llist<std::string>& names, int& chosen) {
        return choosePresetProgression(names, chosen);
    };
    // The mouse input's arrangement point menu and Transpose on the selected chords.
    app.arrangementPointMenu = [&app](int point, bool onMenuButton) {
        const QvPage& page = app.engine.core.pageAt(false);
        const int position =
            point >= 0 && point < page.apointCount() ? page.apointAt(point).pos : app.hoveredStripPosition;
        return position >= 0 && app.showArrangementPointMenu(position, onMenuButton);
    };
    app.transposeSelectedChords = [&app] { return transposeCommand(app, true); };
    connectDocumentPages(app);

    // The menu bar follows the mouse while a menu is open; a click that closed a context menu
    // elsewhere reaches the window again.
    h.trackMenuBarHover = [&app] { app.trackMenuBarHover(); };
    h.isPopupMenuVisible = [] { return popupMenuOpen(); };
    h.replayMouseDown = [&app](int x, int y, int button, int modifier) {
        app.scheduleClickReplay(x, y, button, modifier);
    };
    h.clientToScreen = [this](TPoint p) {
        const QPoint g = form.mapToGlobal(QPoint(p.x, p.y));
        return TPoint{g.x(), g.y()};
    };
    h.screenToClient = [this](TPoint p) {
        const QPoint c = form.mapFromGlobal(QPoint(p.x, p.y));
        return TPoint{c.x(), c.y()};
    };
    connectMarker();
}

PageWindows::~PageWindows() {
    WindowHooks& h = ctx.app.hooks;
    h.refreshMixer = nullptr;
    h.reloadNotes = nullptr;
    h.titleCardsStart = h.titleCardsIdle = h.titleCardsShowOne = nullptr;
    h.soundTest = nullptr;
    h.showAboutPage = h.showSoundTestPage = h.showLoopHelp = nullptr;
    h.showTransposePage = nullptr;
    h.showFadeOutPage = h.showAccompanimentPage = h.showPrecountPage = nullptr;
    h.showOptionsPage = h.showHotKeysPage = nullptr;
    h.choosePresetProgression = nullptr;
    h.trackMenuBarHover = nullptr;
    h.isPopupMenuVisible = nullptr;
    h.replayMouseDown = nullptr;
    h.clientToScreen = h.screenToClient = nullptr;
    h.paintPositionMarker = nullptr;
    ctx.app.arrangementPointMenu = nullptr;
    ctx.app.transposeSelectedChords = nullptr;
    settingsWindowHooks() = SettingsWindowHooks();
    // The pages save the tone settings; the tool windows close before the main form goes.
    info_.reset();
    tools_.reset();
}

void PageWindows::connectMarker() {
    QuoVelanta& app = ctx.app;
    // Beneath the marker the page is painted again from the session (never from saved pixels).
    // The page painter hides the play-from marker and asks for the marker again when it ends: inside
    // this repaint that request only forgets the old box, and the marker's position is kept.
    marker_.repaintUnder = [this, &app](const TRect&) {
        const bool deferred = app.deferBlit;
        const int position = app.playMarkerPosition;
        repaintingUnder_ = true;
        app.deferBlit = true;
        app.paintPage(true);
        app.deferBlit = deferred;
        repaintingUnder_ = false;
        app.playMarkerPosition = position;
    };
    marker_.blend = [&app](const TRect& r, int grey) {
        const int w = r.Right - r.Left, hgt = r.Bottom - r.Top;
        if (w <= 0 || hgt <= 0) return;
        Limage box;
        if (!box.setSize(w, hgt, false)) return;
        box.fill(static_cast<TColor>(grey | grey << 8 | grey << 16));
        BlitArgs args;
        args.source = &box;
        args.target = &app.backBuffer;
        args.x = r.Left;
        args.y = r.Top;
        args.table = 3; // lightens the cells beneath as a screen does
        Limage::blitBlend(args);
    };
    marker_.present = [&app](const TRect& r) {
        if (r.Right > r.Left && r.Bottom > r.Top)
            app.presentNow(TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1});
    };
    app.hooks.paintPositionMarker = [this](bool force, int mode) { paintMarker(force, mode); };
}

void PageWindows::paintMarker(bool force, int mode) {
    if (repaintingUnder_) {
        marker_.forget();
        return;
    }
    QuoVelanta& app = ctx.app;
    const QvCore& core = app.engine.core;
    const QvPage& page = core.pageAt(false);
    MarkerGeometry g;
    g.scaleLeft = app.positionScale.Left;
    g.scaleWidth = app.positionScale.Right - app.positionScale.Left;
    g.pageTop = app.pageArea.Top;
    g.zoomBars = app.pageZoom(page);
    g.triple = core.isTripleMeter();
    g.pageUnits = page.length();
    // While a click-to-play count-in runs its marker stays; otherwise the play-from marker under the
    // mouse (set by the mouse input), or none.
    const int position = app.countInRunning ? app.countInMarkerPosition : app.playMarkerPosition;
    const int kind = app.selectorKind;
    const bool allowed = (kind == 0 || kind == 4 || kind == 6) && app.resizedChord < 0;
    marker_.update(position, g, allowed, force, mode);
}

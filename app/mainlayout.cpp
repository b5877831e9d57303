// The main window's frame and layout: window size, background, title, menu bar, window buttons,
// display frame, control panel and key strips; the rule by which the back buffer reaches the form;
// the idle tick that keeps the display in step with playback.
#include <QGuiApplication>

#include "app/mainform.h"
#include "app/paintutil.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "engine/naming.h"
#include "foundation/strutil.h"

using namespace paint;

int QuoVelanta::clientWidth() const {
    return engine.options.wideModel ? 1243 : 987;
}

void QuoVelanta::present(const TRect& rect) {
    if (deferBlit || hostForm == nullptr || !backBuffer.isValid() || !scContext.uiReady) return;
    drawGraphicClipped(*backBuffer.bitmap(), hostForm->canvas(), rect, 0, 0);
}

void QuoVelanta::presentNow(const TRect& rect) {
    if (hostForm == nullptr || !backBuffer.isValid() || !scContext.uiReady) return;
    drawGraphicClipped(*backBuffer.bitmap(), hostForm->canvas(), rect, 0, 0);
    hostForm->showNow(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void QuoVelanta::drawGraphicRect(const Bitmap24& graphic, Canvas& canvas, const TRect& rect, int x, int y) {
    if (isUndefinedRect(rect)) return;
    const int m = (rect.Left + rect.Right) / 2;
    drawGraphicClipped(graphic, canvas, {rect.Left, rect.Top, m, rect.Bottom}, x, y);
    playbackTick();
    drawGraphicClipped(graphic, canvas, {m + 1, rect.Top, rect.Right, rect.Bottom}, x, y);
    if (hostForm != nullptr && &canvas == &hostForm->canvas())
        hostForm->showNow(rect.Left + x, rect.Top + y, rect.Right + x, rect.Bottom + y);
}

void QuoVelanta::paintWindow(TFmain* host) {
    if (host != nullptr) hostForm = host;
    if (hostForm == nullptr) return;
    const Options& o = engine.options;
    scContext.uiReady = true;
    playbackTick();
    theme.whiteModel = o.whiteModel;
    theme.displayTextColor = o.displayTextColor;

    const int W = clientWidth();
    const int H = kClientHeight;
    if (!backBuffer.isValid() || backBuffer.width() != W || backBuffer.height() != H)
        backBuffer.setSize(W, H, true);
    if (!backBuffer.isValid()) return;
    backBuffer.fill(theme.themePanelColour());
    Canvas& c = *backBuffer.canvas();
    c.clearClip();

    const float dim = theme.themeDimFactor();
    const TColor panel = theme.themePanelColour();
    const TColor panelDim = scaleColour(panel, dim);
    const TColor panelTop = scaleColour(panel, 1.0f / dim);

    // The band under the display and the control panel.
    gradient(c, 0, 404, W - 1, 416, panel, panelDim);
    fill(c, 0, 416, W, H, panelDim);
    // Title bar.
    fill(c, 0, 0, W, 59, panelTop);
    gradient(c, 0, 46, W - 1, 58, panelTop, panel);
    setFont(c, 21, theme.headingTextColour(), true);
    const int tw = c.textWidth(kApplicationTitle) / 2 * 2;
    c.textOut(W - 104 - tw, 13, kApplicationTitle);
    line(c, 0, 0, W, 0, scaleColour(panelTop, 1.25f));
    line(c, 0, H - 1, W, H - 1, scaleColour(panel, 0.8f));
    playbackTick();

    // Side borders.
    const TColor base = theme.themeBaseGrey();
    const TColor c1 = scaleColour(base, dim);
    const TColor c2 = scaleColour(base, dim * dim);
    for (int x0 : {0, W - 9}) {
        const int x1 = x0 + 8;
        line(c, x0, 0, x1, 0, scaleColour(base, 1.15f));
        fill(c, x0, 1, x1, 59, base);
        gradient(c, x0, 46, x1 - 1, 58, base, c1);
        fill(c, x0, 58, x1, 405, c1);
        gradient(c, x0, 404, x1 - 1, 416, c1, c2);
        fill(c, x0, 416, x1, H - 1, c2);
        line(c, x0, H - 1, x1, H - 1, scaleColour(c2, 0.85f));
    }
    Limage shade;
    if (shade.setSize(1, H, false)) {
        shade.fill(RGB(24, 24, 24));
        const int placed[4][2] = {{W - 9, 1}, {W - 1, 7}, {0, 1}, {8, 7}};
        for (const auto& p : placed) {
            BlitArgs a;
            a.source = &shade;
            a.target = &backBuffer;
            a.x = p[0];
            a.table = p[1];
            Limage::blitBlend(a);
        }
        shade.fill(RGB(10, 10, 10));
        BlitArgs a;
        a.source = &shade;
        a.target = &backBuffer;
        a.x = 9;
        a.table = 7;
        Limage::blitBlend(a);
    }
    playbackTick();

    // Menu titles.
    menuTitles.clear();
    for (const char* t : {"File", "Edit", "Play", "Options", "Help"}) menuTitles.add(t);
    menuTitleRects.clear();
    const TColor separator = scaleColour(theme.themeShadeColour(), theme.whiteModel ? 2.4f : 0.67f);
    int x = 11;
    for (int j = 0; j < menuTitles.count(); ++j) {
        const int w = textWidth(c, menuTitles.at(j), 11) + 12;
        if (j > 0) line(c, x - 2, 24, x - 2, 36, separator);
        menuTitleRects.add({x - 2, 18, x + w - 1, 41});
        x += w + 2;
    }
    paintMenuBar(true);

    // The display and its frame.
    displayRect = {30, 70, W - 31, H - 210};
    const TRect& d = displayRect;
    const TColor shadow = scaleColour(panel, 0.7f);
    const TColor light = scaleColour(panel, 1.2f);
    line(c, d.Left - 1, d.Top - 1, d.Right + 2, d.Top - 1, shadow);
    line(c, d.Left - 1, d.Top - 1, d.Left - 1, d.Bottom + 2, shadow);
    line(c, d.Left - 1, d.Bottom + 1, d.Right + 2, d.Bottom + 1, light);
    line(c, d.Right + 1, d.Top - 1, d.Right + 1, d.Bottom + 2, light);
    playbackTick();

    buildKeyStripImages();
    buildControlPanels();
    refreshPanels();
    hostForm->setClientSize(W, H);
    blitToForm();
}

void QuoVelanta::blitToForm() {
    if (!scContext.uiReady || hostForm == nullptr || !backBuffer.isValid()) return;
    playbackTick();
    Canvas& screen = hostForm->canvas();
    screen.clearClip();
    screen.draw(0, 0, *backBuffer.bitmap());
    playbackTick();
    if (selectorKind != 0 && hooks.paintSelector) hooks.paintSelector();
    playbackTick();
}

void QuoVelanta::paintMenuBar(bool force) {
    if (!backBuffer.isValid()) return;
    Canvas& c = *backBuffer.canvas();
    int hovered = -1;
    for (int j = 0; j < menuTitleRects.count(); ++j)
        if (pointInRect(mouseX, mouseY, menuTitleRects.at(j))) hovered = j;
    const int W = backBuffer.width();
    const int cx = W - 22;
    const int cy = 29;
    const TRect newClose{cx - 7, cy - 9, cx + 7, cy + 9};
    // The minimise box stands 18 px left of the close box, with a rectangle of its own.
    const TRect newMinimise{cx - 18 - 7, cy - 9, cx - 18 + 7, cy + 9};
    const bool overClose = pointInRect(mouseX, mouseY, newClose);
    const bool overMinimise = pointInRect(mouseX, mouseY, newMinimise);
    const bool titlesChanged = force || hovered != hoveredMenuTitle;
    const bool closeChanged = force || overClose != closeHover || !(closeRect == newClose);
    const bool minimiseChanged = force || overMinimise != minimiseHover || !(minimiseRect == newMinimise);
    if (!titlesChanged && !closeChanged && !minimiseChanged) return;

    const float dim = theme.themeDimFactor();
    const TColor normal = theme.themeShadeColour();
    const TColor hot = theme.whiteModel ? scaleColour(theme.displayTextColour(), 0.8f)
                                        : scaleColour(theme.themeShadeColour(), 1.5f);
    const TColor background = scaleColour(theme.themePanelColour(), 1.0f / dim);
    if (titlesChanged) {
        hoveredMenuTitle = hovered;
        for (int j = 0; j < menuTitleRects.count() && j < menuTitles.count(); ++j) {
            const TRect& r = menuTitleRects.at(j);
            fill(c, r.Left + 1, r.Top, r.Right + 1, r.Bottom + 1, background);
            setFont(c, 11, j == hovered ? hot : normal);
            const std::string& t = menuTitles.at(j);
            const int w = c.textWidth(t);
            const int h = c.textHeight(t);
            c.textOut((r.Left + r.Right - 1) / 2 - w / 2 + 2, (r.Top + r.Bottom) / 2 - h / 2, t);
            present(r);
        }
    }
    if (closeChanged) {
        closeHover = overClose;
        closeRect = newClose;
        fill(c, closeRect.Left, closeRect.Top, closeRect.Right + 1, closeRect.Bottom + 1, background);
        const TColor k = overClose ? hot : normal;
        line(c, cx - 4, cy - 4, cx + 5, cy + 5, k);
        line(c, cx - 4, cy + 4, cx + 5, cy - 5, k);
        present(closeRect);
    }
    if (minimiseChanged) {
        minimiseHover = overMinimise;
        minimiseRect = newMinimise;
        const int mx = cx - 18;
        fill(c, minimiseRect.Left, minimiseRect.Top, minimiseRect.Right + 1, minimiseRect.Bottom + 1,
             background);
        line(c, mx - 4, cy + 4, mx + 5, cy + 4, overMinimise ? hot : normal);
        present(minimiseRect);
    }
}

void QuoVelanta::paintPanelBackground(Canvas& c, int x1, int x2, bool withReflection) {
    const TRect& b = panelBand;
    const TColor top = scaleColour(theme.dimTextColour(), 0.63f);
    gradient(c, x1, b.Top, x2, b.Bottom - 2, RGB(0, 0, 0), top);
    line(c, b.Left, b.Bottom - 3, b.Right + 1, b.Bottom - 3, scaleColour(theme.dimTextColour(), 0.5f));
    if (withReflection) gradient(c, x1, b.Bottom - 2, x2, b.Bottom + 3, top, RGB(0, 0, 0));
}

void QuoVelanta::layoutPagePanel() {
    Canvas& c = *backBuffer.canvas();
    const TRect& d = displayRect;
    const int L = d.Left, T = d.Top, R = d.Right;
    fill(c, L, T, R + 1, d.Bottom + 1, RGB(0, 0, 0));
    panelBand = {L + 6, T + 5, R - 6, T + 55};
    paintPanelBackground(c, L + 6, R - 6, true);
    const int cw = engine.options.wideModel ? 288 : 224;
    const int g = theme.barCellGap();
    const int y = T + 74;
    const int h = theme.barCellHeight();
    styleCell = {L + 16, y, L + 16 + cw - g, y + h};
    tempoCell = {L + 16 + cw, y, L + 16 + cw + cw - g, y + h};
    keyCell = {L + 16 + 2 * cw, y, std::min(L + 16 + 3 * cw, R - 1), y + h};
    pageArea = {L + 16, T + 147, R - 14, T + 255};
    positionScale = {pageArea.Left, pageArea.Bottom - 12, pageArea.Right, pageArea.Bottom};
    rulerRect = positionScale;
    arrangementStrip = {pageArea.Left - 10, pageArea.Top - 20, pageArea.Right + 10, pageArea.Top - 2};
    barsBoxOrigin = {R - 57, pageArea.Top - 36};
    text(c, L + 16, pageArea.Bottom + 10, "Pages", 11, theme.displayTextColour());
    slotStrip = {L + 16, pageArea.Bottom + 27, R - 13, pageArea.Bottom + 51};
}

void QuoVelanta::buildControlPanels() {
    tempoPlusRect = tempoMinusRect = keyShiftPlusRect = keyShiftMinusRect = playButtonRect =
        globalUndefinedRect;
    controls.clear();
    const Options& o = engine.options;
    const float dim = theme.themeDimFactor();
    const TColor background = scaleColour(theme.themePanelColour(), dim);
    const TColor label = scaleColour(theme.themeShadeColour(), dim * dim);
    scContext.scTarget = &backBuffer;
    scContext.scCanvas = hostForm != nullptr ? &hostForm->canvas() : nullptr;
    scContext.aaPen = &aaPen;
    scContext.scFaceColour =
        theme.whiteModel ? RGB(214, 214, 214) : scaleColour(theme.themePanelColour(), 1.3f);
    scContext.scTextColour =
        theme.whiteModel ? theme.themeShadeColour() : scaleColour(theme.displayTextColour(), 0.84f);
    scContext.scLedColour = theme.controlHighlightColour();
    scContext.scBoxColour = theme.whiteModel ? RGB(150, 190, 235) : RGB(40, 110, 190);

    const int W = clientWidth();
    const int H = kClientHeight;
    const bool k = o.keyShiftButtons;
    const int top = H - 176;
    const int x0 = 373 - (k ? 42 : 0) - (o.wideModel ? 0 : 128);
    QvCore& core = engine.core;
    controls.addFader().create(x0, top, 100, "Master", &core.sessionVolume, 10);
    controls.addFader().create(x0 + 64, top, 100, "Drums", &core.mix.volDrums, 10);
    controls.addFader().create(x0 + 128, top, 100, "Bass", &core.mix.volBass, 10);
    controls.addFader().create(x0 + 192, top, 100, "Chords", &core.mix.volChords, 10);
    ScButton& sound = controls.addButton();
    sound.initToggle(x0 - 46, top + 41, 24, 24, "<sound>", &core.mute);
    sound.inverted = true;
    controls.addButton().initToggle(x0 + 255, top + 41, 24, 24, "<reset>", &mixAtDefaults);
    Canvas& c = *backBuffer.canvas();
    line(c, x0 + 90, top + 53, x0 + 249, top + 53, mixColours(background, label, 0.4f));

    const int x1 = k ? x0 + 84 : x0;
    controls.addFader().create(W - x1 + 10 - (k ? 0 : 51), top, 100, "Tempo", &core.tempoSlider, 10);
    const int bx = W - x1 + 22 - (k ? 58 : 0);
    controls.addButton().initToggle(bx, top + 41, 24, 24, "<reset>", &tempoResetButton);
    ScButton& plus = controls.addButton();
    plus.initPush(bx, top + 77, 24, 24, "<plus>");
    tempoPlusRect = plus.rect;
    ScButton& minus = controls.addButton();
    minus.initPush(bx, top + 102, 24, 24, "<minus>");
    tempoMinusRect = minus.rect;
    if (k) {
        const int kx = W - x1 + 106;
        setFont(c, 11, label);
        const std::string caption = "Key Shift";
        c.textOut(kx + 12 - c.textWidth(caption) / 2, top + 16, caption);
        controls.addButton().initToggle(kx, top + 41, 24, 24, "<reset>", &keyResetButton);
        ScButton& kplus = controls.addButton();
        kplus.initPush(kx, top + 77, 24, 24, "<plus>");
        keyShiftPlusRect = kplus.rect;
        ScButton& kminus = controls.addButton();
        kminus.initPush(kx, top + 102, 24, 24, "<minus>");
        keyShiftMinusRect = kminus.rect;
    }
}

void QuoVelanta::buildKeyStripImages() {
    // The strips depend on nothing that changes while the program runs (only on the small signs):
    // once built with them they are kept.
    const bool haveSigns = glyphImages[Iflat_small].isValid() && glyphImages[Isharp_small].isValid();
    if (keyStripsWithSigns && haveSigns) return;
    keyStripsWithSigns = haveSigns;
    for (int img = 0; img < 4; ++img) {
        Limage& strip = keyStripImages[img];
        if (!strip.setSize(335, 16, true)) continue;
        strip.fill(RGB(255, 255, 255));
        Canvas& c = *strip.canvas();
        const bool gradientLook = img >= 2;
        const bool sharps = img % 2 == 1;
        for (int i = 0; i < 12; ++i) {
            const int x = 28 * i;
            if (!gradientLook) {
                for (int y = 0; y <= 15; y += 3) line(c, x, y, x + 28, y, RGB(236, 236, 236));
            } else {
                gradient(c, x, 0, x + 26, 7, RGB(192, 192, 192), RGB(255, 255, 255));
                gradient(c, x, 8, x + 26, 15, RGB(255, 255, 255), RGB(192, 192, 192));
            }
            const std::string name = noteName(i, sharps);
            const std::string letter = name.substr(0, 1);
            const bool accidental = name.size() > 1;
            setFont(c, 11, RGB(0, 0, 0), true);
            const int w = c.textWidth(letter);
            const int h = c.textHeight(letter);
            const int cx = static_cast<int>((i + 0.5) * 28);
            const int tx = cx - w / 2 - 2 + (accidental ? 0 : 2);
            c.textOut(tx, 7 - h / 2, letter);
            c.textOut(tx, 7 - h / 2 + 1, letter);
            if (accidental) {
                Limage glyph(glyphImages[sharps ? Isharp_small : Iflat_small]);
                if (!glyph.isValid()) continue;
                glyph.invert();
                const int s = sharps ? 1 : 0;
                BlitArgs a;
                a.source = &glyph;
                a.target = &strip;
                a.x = cx + 2 + s;
                a.y = s;
                a.table = 13;
                Limage::blitBlend(a);
            }
        }
    }
}

void QuoVelanta::refreshPanels() {
    if (hostForm == nullptr || !backBuffer.isValid()) return;
    controls.drawAll();
    paintPlayButton(-1);
    layoutPagePanel();
    const bool wasDeferred = deferBlit;
    deferBlit = true;
    paintVisualiser();
    paintSessionPanel(false);
    paintPositionCounter();
    paintStyleBox();
    paintTempoBox();
    paintKeyBox();
    paintRepeatBox();
    paintPrecountBox();
    paintMasterTuneBox();
    paintTransposingInstrumentBox();
    paintSessionLinks(-1);
    paintPage(true);
    paintPageSlots(true);
    deferBlit = wasDeferred;
    present(displayRect);
    mixAtDefaults = !isSoundMixChanged();
    controls.redrawBoundTo(&mixAtDefaults);
}

void QuoVelanta::followPlayingPage() {
    QvCore& core = engine.core;
    core.editedPosition = core.playingPosition;
    // Every index that points into the page shown so far is void on the new page.
    hoveredChord = hoveredResizeHandle = -1;
    editedChord = menuSlot = selectedPoint = selectedPointX = -1;
    pointDragIndex = chordDropIndex = -1;
    pointDragArmed = pointDragMoving = chordDragArmed = chordDragMoving = false;
    resizedChord = -1;
    addChordHover = false;
    hoveredStripPosition = hoveredLoopBar = -1;
    if (hostForm == nullptr || !backBuffer.isValid()) {
        core.pageAt(false).selectNone();
        return;
    }
    const bool wasDeferred = deferBlit;
    deferBlit = true;
    core.pageAt(false).selectNone();
    paintPage(false);
    updateHover(); // what lies under the mouse on the page now shown
    paintPageSlots(false);
    deferBlit = wasDeferred;
    paintBarsPanel(false);
    if (selectorKind != 0 && hooks.paintSelector) hooks.paintSelector();
    present(arrangementStrip);
    present({displayRect.Left, pageArea.Top, displayRect.Right, pageArea.Bottom});
    present(slotStrip);
}

void QuoVelanta::idleTick() {
    playbackTick();
    QvCore& core = engine.core;
    if (core.playingPosition != core.editedPosition && !isBusy()) followPlayingPage();
    if (hostForm == nullptr || !backBuffer.isValid()) return;
    if (engine.stepControl.isPlaying()) {
        paintRuler(false);
        paintVisualiser();
        paintPositionCounter();
    }
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    const std::int64_t now = engine.clock.nowMs();
    // Only for the main window's own keyboard: the Shift a user types with in the notes window or
    // an edit box must not repaint the page under it (a repaint long enough to hold up the keys).
    if (gui != nullptr && QGuiApplication::applicationState() == Qt::ApplicationActive &&
        hostForm->isActiveWindow() && now - lastModifierPollMs > 50) {
        lastModifierPollMs = now;
        const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
        const bool held = (mods & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
        if (held != copyModifierDown) {
            copyModifierDown = held;
            repaintPageWithSelector();
        }
    }
    if (hooks.isPopupMenuVisible && hooks.isPopupMenuVisible() && hooks.trackMenuBarHover)
        hooks.trackMenuBarHover();
}

void QuoVelanta::resetWindowInputState() {
    hoveredChord = hoveredResizeHandle = hoveredSlot = -1;
    addPageHover = addChordHover = false;
    hoveredStripPosition = hoveredLoopBar = -1;
    previousClickChord = previousClickSlot = previousClickStripPosition = -1;
    selectionAnchor = dismissedSensor = -1;
    titleDragging = false;
    chordDragArmed = chordDragMoving = false;
    chordDropIndex = pointDragIndex = -1;
    pointDragArmed = pointDragMoving = loopDragging = false;
    loopDragAnchor = -1;
    playButtonPressed = false;
    editedChord = menuSlot = selectedPoint = selectedPointX = -1;
    playMarkerPosition = countInMarkerPosition = -1;
    quitRequested = minimiseRequested = false;
}

// The context menu of an arrangement point, and the pointer helpers of the main window.
#include <algorithm>

#include "app/flagscope.h"
#include "app/menubar.h"
#include "app/quovelanta.h"
#include "foundation/strutil.h"
#include "ui/menumarkup.h"
#include "ui/qvselector.h"

namespace {

const char* const kPoint = "Arrangement Point";

bool startsGroup(int kind) {
    return kind == 0 || kind == 1 || kind == 7 || kind == 12 || kind == 18;
}

} // namespace

Llist<std::string> QuoVelanta::arrangementPointMenuItems(int position) const {
    Llist<std::string> m(0, 32, true);
    const QvPage& page = engine.core.pageAt(false);
    const int at = page.findAPoint(position);
    const bool here = at >= 0;
    if (here) {
        m.add(std::string("Edit ") + kPoint + "...");
        m.add(std::string("-Cut ") + kPoint);
        m.add(std::string("Copy ") + kPoint);
    }
    m.add(std::string(pointClipboard ? "" : "@") + "Paste " + (here ? "(Replace) " : "") + kPoint);
    if (here) m.add(std::string("-Delete ") + kPoint);
    m.add("-^A r r a n g e m e n t   P r e s e t s :");
    QvAPoint point = here ? page.apointAt(at) : QvAPoint(position);
    for (int k = 0; k < kArrangementKindCount; ++k)
        m.add((startsGroup(k) ? "-" : "") + point.applyKind(k, false, here));
    return m;
}

bool QuoVelanta::showArrangementPointMenu(int position, bool fromEditor) {
    const Llist<std::string> items = arrangementPointMenuItems(position);
    host.repaintPageArea(false);
    int x = -1000, y = -1000;
    if (fromEditor && selector && selector->isOpen()) {
        const TRect r = selector->bounds();
        TPoint at{std::max(r.Left, mouseX), r.Bottom};
        if (hooks.clientToScreen) at = hooks.clientToScreen(at);
        x = at.x;
        y = at.y;
    }
    MenuPresenter& menus = menuPresenter ? *menuPresenter : defaultMenuPresenter();
    int chosen = -1;
    {
        FlagScope busy(popupMenuOpen);
        chosen = menus.show(items, x, y);
    }
    if (chosen < 0) {
        // A click elsewhere closed the menu: it goes on to what was clicked.
        const DismissClick click = menus.dismissClick();
        if (!menus.closedByKey() && click.valid && hooks.replayMouseDown) {
            TPoint p = click.global;
            if (hooks.screenToClient) p = hooks.screenToClient(p);
            hooks.replayMouseDown(p.x, p.y, click.button, click.modifiers);
        }
        return false;
    }
    return runArrangementPointItem(position, chosen);
}

bool QuoVelanta::runArrangementPointItem(int position, int item) {
    const Llist<std::string> items = arrangementPointMenuItems(position);
    if (item < 0 || item >= items.count() || !parseMenuItem(items.at(item)).acts()) return false;
    QvCore& core = engine.core;
    QvPage& page = core.pageAt(false);
    position = std::clamp(position, 0, kMaxPointPos);
    int at = page.findAPoint(position);
    const bool here = at >= 0;
    // Item numbers without a point: paste 0, heading 1, kinds from 2; with one: edit 0, cut 1,
    // copy 2, paste 3, delete 4, heading 5, kinds from 6.
    const int paste = here ? 3 : 0;
    const int firstKind = here ? 6 : 2;
    auto changed = [&](const std::string& step) {
        core.applyArrangementAtPosition();
        host.repaintArrangementStrip();
        host.repaintRuler(false);
        host.repaintPositionCounter();
        recordStep(step, false);
    };
    if (here && item == 0) {
        selectedPoint = at;
        openArrangementPointEditor();
        return true;
    }
    if (here && (item == 1 || item == 2)) {
        pointClipboard = page.apointAt(at);
        if (item == 2) return true;
        closeSelectorOverlay();
        page.removeAPoint(at);
        cancelInteractions();
        changed(std::string("Cut ") + kPoint);
        return true;
    }
    if (here && item == 4) {
        selectedPoint = at;
        deleteArrangementPoint();
        return true;
    }
    if (item == paste) {
        if (!pointClipboard) return false;
        if (!here) page.addAPoint(position);
        at = page.findAPoint(position);
        if (at < 0) return false;
        QvAPoint p = *pointClipboard;
        p.pos = position;
        at = page.setAPoint(p, at);
        if (selectorKind == 6 && selectedPoint >= 0) rebuildArrangementSelector(page.apointAt(at));
        changed(std::string("Paste ") + kPoint);
        return true;
    }
    const int kind = item - firstKind;
    if (kind < 0 || kind >= kArrangementKindCount) return false;
    if (!here) page.addAPoint(position);
    at = page.findAPoint(position);
    if (at < 0) return false;
    QvAPoint p = page.apointAt(at);
    p.applyKind(kind, true, false);
    at = page.setAPoint(p, at);
    if (selectorKind == 6 && selectedPoint >= 0) rebuildArrangementSelector(page.apointAt(at));
    changed(std::string(here ? "Edit" : "Add") + " " + kPoint + " (select preset)");
    return true;
}

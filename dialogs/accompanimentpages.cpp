#include "dialogs/accompanimentpages.h"

#include <algorithm>

#include "app/quovelanta.h"
#include "dialogs/settingspages.h"
#include "dialogs/tfdialog.h"
#include "engine/qvcore.h"
#include "foundation/strutil.h"
#include "ui/shadedialog.h"

namespace {

std::string withoutMark(const std::string& text) {
    return !text.empty() && text[0] == '-' ? text.substr(1) : text;
}

std::string onOff(bool v) {
    return v ? "on" : "off";
}

bool containsNoCase(const std::string& text, const std::string& part) {
    return upperCase(text).find(upperCase(part)) != std::string::npos;
}

const std::string kFromLastPoint = std::string("From last ") + "Arrangement Point";

} // namespace

std::string fadeOutText(int v) {
    if (v == 0) return "Off";
    if (v == kFadeFromLastPoint) return kFromLastPoint;
    if (v < 0) {
        const long long bars = -static_cast<long long>(v);
        return std::to_string(bars) + " " + QvCore::kUnitBar + (bars >= 2 ? "s" : "");
    }
    return intToText(v) + " " + QvCore::kUnitSec;
}

int fadeOutValue(const std::string& choiceText) {
    const std::string text = withoutMark(choiceText);
    if (containsNoCase(text, kFromLastPoint)) return kFadeFromLastPoint;
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) return 0;
    const std::string unit = text.substr(blank + 1);
    const int number = textToInt(text.substr(0, blank));
    if (number <= 0 || number >= kFadeFromLastPoint) return 0;
    if (unit.find(QvCore::kUnitBar) != std::string::npos) return -number;
    if (unit.find(QvCore::kUnitSec) != std::string::npos) return number;
    return 0;
}

Llist<std::string> autoCymbalItems(int styleNthBar) {
    Llist<std::string> items = QvCore::cymbalChoices();
    const std::string first =
        std::string("Style's default: ") + (styleNthBar == 0 ? std::string("off") : intToText(styleNthBar));
    if (items.count() > 0) items.at(0) = first;
    return items;
}

std::string autoCymbalText(int sessionNthBar, int styleNthBar) {
    if (sessionNthBar == 0) return autoCymbalItems(styleNthBar).at(0);
    return intToText(sessionNthBar);
}

bool showAccompanimentPage(QuoVelanta& app) {
    QvCore& core = app.engine.core;
    TFdialog page(kPageAccompaniment);
    page.beginPage(400, 264, "Accompaniment");
    page.drawPageText(25, 50, "Auto cymbal");
    const int everyBox = page.addCheckBox(118, 50, "Every n-th bar", &core.autoCymbal);
    (void)everyBox;
    page.addCheckBox(118, 80, "On page start", &core.cymbalOnPageStart);
    page.drawPageLine(88, 61, 118, 61);
    page.drawPageLine(103, 61, 103, 91);
    page.drawPageLine(103, 91, 118, 91);
    page.addCheckBox(25, 125, "Restart music style on page change", &core.restartStyleOnPageChange);
    page.addCheckBox(25, 155, "Repeat music style segment in loops", &core.rewindStyleInLoops);
    auto styleNthBar = [&app] { return app.engine.styles.current().autoCymbal_nthBar; };
    auto drawRow = [&] {
        page.drawAutoCymbalRow(autoCymbalText(core.autoCymbal_nthBar, styleNthBar()));
        page.slotItems[0] = autoCymbalItems(styleNthBar());
    };
    drawRow();

    page.onSelectorClick = [&](int slot, int index) {
        if (slot != 0) return;
        const Llist<std::string> items = autoCymbalItems(styleNthBar());
        if (index < 0 || index >= items.count()) return;
        const std::string text = withoutMark(items.at(index));
        core.autoCymbal_nthBar = index == 0 ? 0 : std::max(0, textToInt(text));
        drawRow();
        page.present();
        app.recordStep("Auto cymbal every n-th bar: " + text, true);
    };
    page.onValueChanged = [&](void* variable, bool) {
        std::string text;
        if (variable == &core.autoCymbal)
            text = "Auto cymbal every n-th bar: " + onOff(core.autoCymbal);
        else if (variable == &core.cymbalOnPageStart)
            text = "Auto cymbal on page start: " + onOff(core.cymbalOnPageStart);
        else if (variable == &core.restartStyleOnPageChange)
            text = "Restart music style on page change: " + onOff(core.restartStyleOnPageChange);
        else if (variable == &core.rewindStyleInLoops)
            text = "Repeat music style segment in loops: " + onOff(core.rewindStyleInLoops);
        if (!text.empty()) app.recordStep(text, true);
    };
    page.onMouseDown = [&](int x, int y, int button) {
        if (button != 1 || !pointInRect(x, y, page.helpRect)) return;
        Llist<std::string> lines(0, 1, true);
        for (const char* line :
             {"If enabled, the accompaniment pattern will be synchronized to the song position whenever a "
              "loop restarts (similarly to a CD player).",
              "",
              "If disabled (default), the accompaniment pattern will loop independently (i.e. it will play "
              "its full length pattern regardless of the",
              "length of the loop). This way it is possible, for example, to define a short progression "
              "(e.g. two chords in two bars) and have an",
              "8-bar accompaniment pattern playing its full length without restarting after the first two "
              "bars every time.",
              "", ""})
            lines.add(line);
        ShadeUI colours;
        colours.faceColour = page.pageBackground;
        colours.textColour = page.pageTextColour;
        showShadeDialog(&colours, lines, false, false);
        if (!page.isClosed()) page.activateWindow();
    };
    return page.showPage("OK", "", "") == 0;
}

void showFadeOutPage(QuoVelanta& app) {
    QvCore& core = app.engine.core;
    TFdialog page(kPageFadeOut);
    page.beginPage(297, 160, "Fade Out");
    auto drawRow = [&] {
        page.drawFadeOutRow(fadeOutText(core.fadeOutMode));
        page.slotItems[0] = QvCore::fadeOutChoices();
    };
    drawRow();
    page.onSelectorClick = [&](int slot, int index) {
        const Llist<std::string>& items = QvCore::fadeOutChoices();
        if (slot != 0 || index < 0 || index >= items.count()) return;
        const std::string text = withoutMark(items.at(index));
        core.fadeOutMode = fadeOutValue(text);
        drawRow();
        page.present();
        core.updateFadeOut(true);
        app.recordStep("Fade out: " + text, false);
    };
    page.showPage("OK", "", "");
}

void showPrecountPage(QuoVelanta& app) {
    Options& options = app.engine.options;
    TFdialog page(kPagePrecount);
    page.beginPage(310, 240, "Precount");
    auto drawRows = [&] {
        page.drawPrecountModeRow();
        page.drawPrecountSoundRow();
        page.drawPrecountWaitRow();
    };
    drawRows();
    page.addFader(185, 50, "Volume", &options.precountVolume, 50);
    page.onSelectorClick = [&](int slot, int index) {
        if (slot == 0) {
            options.precountMode = index;
            app.host.repaintPrecountBox();
        } else if (slot == 1) {
            options.precountSound = index;
        } else if (slot == 2) {
            options.precountWait = index - 1;
        } else {
            return;
        }
        // Every row shows its value again (a choice may have been made in any of them).
        drawRows();
        page.present();
    };
    page.showPage("OK", "", "");
}

void showVisualTransposePage(QuoVelanta& app) {
    Options& options = app.engine.options;
    TFdialog page(kPageVisualTranspose);
    page.beginPage(477, 205, "Visual Transpose");
    page.drawTransposingInstrumentRow();
    page.addCheckBox(68, 95, "Instrument selector on main display", &options.visualTranspose_selector);
    page.onSelectorClick = [&](int slot, int index) {
        if (slot != 1) return;
        options.visualTranspose = index;
        page.drawTransposingInstrumentRow();
        page.present();
        app.host.repaintPageArea(true);
        if (settingsWindowHooks().repaintTransposingInstrumentBox)
            settingsWindowHooks().repaintTransposingInstrumentBox();
        else
            app.host.refreshPanels();
        page.selectDialogDrawing();
    };
    page.onValueChanged = [&](void* variable, bool) {
        if (variable != &options.visualTranspose_selector) return;
        app.host.refreshPanels();
        page.selectDialogDrawing();
    };
    page.showPage("OK", "", "");
}

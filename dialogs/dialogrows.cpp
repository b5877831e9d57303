// The rows of the dialog pages: texts with their markup, check boxes, radio buttons, push buttons,
// faders, selector rows with their value boxes, lines and connectors, and the link tabs.
#include <algorithm>

#include "dialogs/tfdialog.h"
#include "engine/options.h"
#include "foundation/strutil.h"
#include "ui/geometry.h"

namespace {

TColor connectorColour(const TFdialog& page) {
    return mixColours(page.pageBackground, page.pageTextColour, 0.4f);
}

std::string signedNumber(int v) {
    return (v >= 1 ? "+" : "") + intToText(v);
}

} // namespace

void TFdialog::drawTextAt(int x, int top, const std::string& text, int size, TColor colour, bool forceBold,
                          bool links) {
    Limage& image = dialogImage;
    Canvas* cp = image.canvas();
    if (cp == nullptr) return;
    Canvas& c = *cp;
    std::string t = text;
    bool bold = forceBold;
    bool link = false;
    if (!t.empty() && t[0] == '^') {
        bold = true;
        t.erase(0, 1);
    }
    if (links && !t.empty() && t[0] == '~') {
        link = true;
        t.erase(0, 1);
    } else if (links && t.rfind("www.", 0) == 0) {
        link = true;
    }
    const int right = image.width() - (dialogPageId == kPageAbout ? 16 : 25);
    c.font = Font{};
    c.font.height = size > 0 ? -size : -11;
    c.font.bold = bold;
    c.font.color =
        link ? (dialogPageId == kPageAbout ? 0xFF4040 : 0xFFB0B0) : (colour == -1 ? pageTextColour : colour);
    c.setClipRect({0, 0, std::max(0, right), image.height()});
    c.textOut(x, top, t);
    if (link) {
        const int tw = c.textWidth(t), th = c.textHeight(t);
        const int y = top - 4; // the row's y
        c.brush = {c.font.color, false};
        c.fillRect({x, y + th + 3, x + tw, y + th + 4});
        linkRect = {x, y, x + tw, y + th + 5};
    }
    c.clearClip();
    c.font = Font{};
}

void TFdialog::drawPageText(int x, int y, const std::string& text, int size, TColor colour, int fillWidth,
                            bool links) {
    tickPlayback();
    Canvas* c = dialogImage.canvas();
    if (c == nullptr) return;
    if (fillWidth > 0) {
        c->brush = {pageBackground, false};
        c->fillRect({x, y + 4, x + fillWidth + 1, y + 21});
    }
    drawTextAt(x, y + 4, text, size, colour, false, links);
    if (isVisible()) present();
}

int TFdialog::addCheckBox(int x, int y, const std::string& label, bool* target) {
    tickPlayback();
    const bool ownCaption = label.find('<') != std::string::npos;
    controls.addButton().initToggle(x, y, 27, 22, ownCaption ? label : std::string(), target);
    const int index = controls.buttons.current;
    if (!ownCaption && !label.empty()) drawPageText(x + 32, y, label);
    if (isVisible()) controls.buttons.at(index).paint();
    return index;
}

int TFdialog::addRadioButton(int x, int y, const std::string& label, int* target, int value) {
    tickPlayback();
    controls.addButton().initRadio(x, y, 27, 22, std::string(), target, value);
    const int index = controls.buttons.current;
    if (!label.empty()) drawPageText(x + 32, y, label);
    if (isVisible()) controls.buttons.at(index).paint();
    return index;
}

int TFdialog::addPushButton(int x, int y, int width, const std::string& text, bool large) {
    tickPlayback();
    controls.addButton().initPush(x, y, width, large ? 33 : 22, text);
    const int index = controls.buttons.current;
    if (isVisible()) controls.buttons.at(index).paint();
    return index;
}

int TFdialog::addFader(int x, int y, const std::string& label, double* target, int length) {
    tickPlayback();
    std::string text = label;
    int ticks = length > 69 ? 10 : 4;
    if (text.find('%') != std::string::npos) {
        ticks = 10;
        if (text[0] == '%') text.erase(0, 1); // the marker; a "%" inside the label stays
    }
    controls.addFader().create(x, y, length, text, target, ticks);
    const int index = controls.faders.current;
    if (isVisible()) controls.faders.at(index).paint();
    return index;
}

void TFdialog::valueRow(int x, int y, int labelWidth, int boxWidth, const std::string& label,
                        const std::string& value, int slot, TColor boxColour, TColor textColour) {
    tickPlayback();
    if (slot < 0 || slot >= kSlotCount) return;
    if (labelWidth > 0) {
        // The row redraws itself whole: the label's strip is cleared in the page colour found beside it.
        Canvas* c = dialogImage.canvas();
        if (c != nullptr) {
            const TColor there = dialogImage.pixel(x - 2, y + 12);
            c->brush = {there >= 0 ? there : pageBackground, false};
            c->fillRect({x, y + 4, x + labelWidth - 1, y + 21});
        }
        drawPageText(x, y, label);
    }
    const TColor savedBox = scContext.scBoxColour;
    if (boxColour != -1) scContext.scBoxColour = boxColour;
    ScValueBox& box = selectorSlots[slot];
    box.context = &scContext;
    ScValueBoxArgs a;
    a.box = &box;
    a.x = x + labelWidth;
    a.y = y;
    a.width = boxWidth;
    a.height = 22;
    a.title = value;
    a.textColour = textColour;
    a.present = isVisible();
    ScValueBox::paint(a);
    scContext.scBoxColour = savedBox;
}

void TFdialog::addSelectorRow(int x, int y, int labelWidth, int boxWidth, const std::string& label,
                              const std::string& valueText, int slot) {
    valueRow(x, y, labelWidth, boxWidth, label, valueText, slot, -1, -1);
}

void TFdialog::drawPageLine(int x1, int y1, int x2, int y2, TColor colour) {
    tickPlayback();
    Canvas* c = dialogImage.canvas();
    if (c == nullptr) return;
    c->pen = {colour == -1 ? connectorColour(*this) : colour, false};
    c->moveTo(x1, y1);
    c->lineTo(x2, y2);
    if (isVisible()) present();
}

void TFdialog::drawIndentConnector(int a, int b) {
    if (a < 0 || b < 0 || a >= controls.buttons.count() || b >= controls.buttons.count()) return;
    const TRect ra = controls.buttons.at(a).rect, rb = controls.buttons.at(b).rect;
    const int cx = (ra.Left + ra.Right) / 2, my = (rb.Top + rb.Bottom) / 2;
    drawPageLine(cx, ra.Bottom, cx, my);
    drawPageLine(cx, my, rb.Left, my);
}

void TFdialog::drawRowConnector(int a, int b) {
    if (a < 0 || b < 0 || a >= controls.buttons.count() || b >= controls.buttons.count()) return;
    const TRect ra = controls.buttons.at(a).rect, rb = controls.buttons.at(b).rect;
    const int cx = (ra.Left + ra.Right) / 2;
    drawPageLine(cx, ra.Bottom, cx, rb.Top);
}

void TFdialog::drawLinkTabs() {
    tickPlayback();
    Canvas* cp = dialogImage.canvas();
    if (cp == nullptr) return;
    Canvas& c = *cp;
    const int count = 5, tabWidth = 43, top = 37, base = 52;
    const int x0 = dialogPageId == kPageAbout ? 15 : 24;
    const TColor strong = pageLineColour;
    const TColor dim = mixColours(pageBackground, pageTextColour, 0.4f);
    c.brush = {pageBackground, false};
    c.fillRect({0 + 9, top, dialogImage.width() - 9, base + 1});
    drawGradient(c, 10, base, x0, base, pageBackground, strong, true);
    const int end = x0 + count * tabWidth;
    drawGradient(c, end, base, std::max(end, dialogImage.width() - 50), base, strong, pageBackground, true);
    tabRects.clear();
    for (int i = 0; i < count; ++i) {
        const int x = x0 + i * tabWidth;
        const bool selected = i == selectedLinkTab;
        c.pen = {selected ? strong : dim, false};
        c.moveTo(x, base);
        c.lineTo(x, top);
        c.lineTo(x + tabWidth, top);
        c.lineTo(x + tabWidth, base + 1);
        if (!selected) {
            c.moveTo(x, base);
            c.lineTo(x + tabWidth, base);
        }
        std::string label = slotItem(linkTabLabels, i);
        if (label.empty()) label = i == 0 ? "Link" : "Link " + intToText(i + 1);
        c.font = Font{};
        c.font.bold = true;
        c.font.color = selected ? pageTextColour : dim;
        c.textOut(x + (tabWidth - c.textWidth(label)) / 2, top + 1, label);
        c.font = Font{};
        tabRects.add(TRect{x, top, x + tabWidth, base});
    }
    if (isVisible()) present();
}

// Rows over the options' value lists. Each keeps its list in its slot, so a click in the box offers it.
#define QV_OPTIONS_OR_RETURN                                                                                 \
    const Options* o = dialogServices().options;                                                             \
    if (o == nullptr) return

void TFdialog::drawMidiDeviceRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[0] = o->midiDeviceNames;
    addSelectorRow(25, 50, 95, 194, "Midi output device", slotItem(o->midiDeviceNames, o->midiDevice + 1), 0);
}

void TFdialog::drawMidiChannelsRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[1] = o->midiChannelRanges;
    addSelectorRow(25, 80, 95, 52, "Midi channels used", slotItem(o->midiChannelRanges, o->midiChannels), 1);
}

void TFdialog::drawTextColorRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[2] = o->displayTextColorNames;
    addSelectorRow(372, 170, 95, 104, "Display text color",
                   slotItem(o->displayTextColorNames, o->displayTextColor), 2);
}

void TFdialog::drawChordColorsRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[3] = o->chordColoringNames;
    addSelectorRow(372, 200, 95, 104, "Chord colors", slotItem(o->chordColoringNames, o->chordColoring), 3);
}

void TFdialog::drawChordLookRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[4] = o->chordLookNames;
    addSelectorRow(372, 260, 95, 104, "Chord & page look", slotItem(o->chordLookNames, o->chordLook), 4);
}

void TFdialog::drawChordCursorRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[5] = o->cursorModeNames;
    addSelectorRow(372, 290, 95, 104, "Chord cursor", slotItem(o->cursorModeNames, o->cursorMode), 5);
}

void TFdialog::drawVisualizeNotesRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[6] = o->visualizeModeNames;
    addSelectorRow(372, 350, 95, 104, "Visualize notes", slotItem(o->visualizeModeNames, o->visualizeMode),
                   6);
}

void TFdialog::drawPrecountModeRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[0] = o->precountModeNames;
    addSelectorRow(25, 50, 36, 80, "Mode", slotItem(o->precountModeNames, o->precountMode), 0);
}

void TFdialog::drawPrecountSoundRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[1] = o->precountSoundNames;
    addSelectorRow(25, 80, 36, 80, "Sound", slotItem(o->precountSoundNames, o->precountSound), 1);
}

void TFdialog::drawPrecountWaitRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[2] = o->precountWaitNames;
    addSelectorRow(25, 110, 36, 80, "Wait", slotItem(o->precountWaitNames, o->precountWait + 1), 2);
}

void TFdialog::drawTransposingInstrumentRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[1] = o->visualTransposeNames;
    addSelectorRow(25, 50, 200, 227, "Show chords for transposing instrument:",
                   slotItem(o->visualTransposeNames, o->visualTranspose), 1);
}

void TFdialog::drawCentsRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[2] = o->masterTuneCentsNames;
    valueRow(267, 215, 31, 60, "Cents", signedNumber(o->masterTune_cents), 2,
             scaleColour(pageBackground, theme.whiteModel ? 0.935f : 1.13f), -1);
}

void TFdialog::drawSemiRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[3] = o->masterTuneSemitoneNames;
    valueRow(267, 245, 31, 60, "Semi", signedNumber(o->masterTune_semitones), 3,
             scaleColour(pageBackground, theme.whiteModel ? 0.935f : 1.13f), -1);
}

void TFdialog::drawFreqRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[4].clear();
    valueRow(267, 290, 31, 60, "Freq", o->masterTuneText(), 4,
             scaleColour(pageBackground, theme.whiteModel ? 0.935f : 1.13f),
             scaleColour(pageLineColour, theme.whiteModel ? 0.9f : 1.333f));
}

void TFdialog::drawExportSilenceRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[0] = o->silenceBarsNames;
    addSelectorRow(134, 92, 0, 55, "", slotItem(o->silenceBarsNames, o->exportToMidi_silenceBars - 1), 0);
}

void TFdialog::drawExportPrecountRow() {
    QV_OPTIONS_OR_RETURN;
    slotItems[1] = o->precountBarsNames;
    addSelectorRow(177, 122, 0, 55, "", slotItem(o->precountBarsNames, o->exportToMidi_precountBars - 1), 1);
}

#undef QV_OPTIONS_OR_RETURN

void TFdialog::drawFadeOutRow(const std::string& valueText) {
    addSelectorRow(25, 50, 70, 160, "Fade out time", valueText, 0);
}

void TFdialog::drawAutoCymbalRow(const std::string& valueText) {
    addSelectorRow(224, 50, 0, 110, "", valueText, 0);
}

void TFdialog::drawCustomPitchRow(const std::string& pitchName) {
    std::string name = pitchName;
    if (!name.empty() && name[0] == '-') name.erase(0, 1);
    addSelectorRow(57, 245, 0, 60, "", name, 0);
}

void TFdialog::drawRefToneRepeatRow(const std::string& durationText) {
    addSelectorRow(134, 245, 38, 60, "Repeat", durationText, 1);
}

#include "dialogs/optionspage.h"

#include <QPoint>
#include <optional>

#include "app/quovelanta.h"
#include "dialogs/settingspages.h"
#include "dialogs/tfdialog.h"
#include "engine/options.h"

void layOutOptionsPage(TFdialog& page, Options& o) {
    page.beginPage(708, 397, "Options");
    page.drawPageLine(354, 50, 354, 312);
    page.drawMidiDeviceRow();
    page.drawMidiChannelsRow();
    page.addCheckBox(25, 140, "Warning before deleting an unsaved session", &o.warnSessionDelete);
    page.addCheckBox(25, 170, "Flat notes by default in new session", &o.flatNotesByDefault);
    page.drawPageText(25, 230, "Automatically close");
    page.drawPageLine(121, 241, 151, 241);
    page.drawPageLine(136, 241, 136, 301);
    page.drawPageLine(136, 271, 151, 271);
    page.drawPageLine(136, 301, 151, 301);
    page.addCheckBox(151, 230, "Style selector", &o.closeStyleSelector);
    page.addCheckBox(151, 260, "Tempo selector", &o.closeTempoSelector);
    page.addCheckBox(151, 290, "Key shift selector", &o.closeKeySelector);
    page.drawPageText(372, 50, "Model");
    page.drawPageLine(405, 61, 435, 61);
    page.drawPageLine(420, 61, 420, 121);
    page.drawPageLine(420, 91, 435, 91);
    page.drawPageLine(420, 121, 435, 121);
    page.addCheckBox(435, 50, "White", &o.whiteModel);
    page.addCheckBox(435, 80, "Wide", &o.wideModel);
    page.addCheckBox(435, 110, "Key shift buttons", &o.keyShiftButtons);
    page.drawTextColorRow();
    page.drawChordColorsRow();
    page.drawChordLookRow();
    page.drawChordCursorRow();
    page.drawVisualizeNotesRow();
    if (o.chordColoring > 1) {
        page.drawPageLine(494, 223, 494, 230);
        page.addCheckBox(482, 230, "Color gradient for slash chords", &o.biColor);
    }
}

namespace {

// One showing of the Options page. A change that alters the page's own look or rows rebuilds it at
// the same screen position: the page's wait ends and the loop in showOptionsPage builds it again, so
// pages never nest.
class OptionsPage {
  public:
    explicit OptionsPage(QuoVelanta& app_) : app(app_), options(app_.engine.options) {}

    void run() {
        std::optional<QPoint> position;
        for (;;) {
            // The device list as it is now; a choice opens from this same list.
            app.engine.midi.listMidiOutDevices(devices);
            options.midiDeviceNames.clear();
            options.midiDeviceNames.add("Midi Mapper");
            for (const std::string& name : devices) options.midiDeviceNames.add(name);

            TFdialog page(kPageOptions);
            page.reopenPosition = position;
            current = &page;
            reopen = false;
            build(page);
            page.showPage("OK", "", "");
            current = nullptr;
            if (!reopen) break;
            position = reopenAt;
        }
    }

  private:
    QuoVelanta& app;
    Options& options;
    Llist<std::string> devices;
    TFdialog* current = nullptr;
    bool reopen = false;
    QPoint reopenAt;

    static constexpr int kReopenResult = 100;

    void build(TFdialog& page) {
        layOutOptionsPage(page, options);
        page.onSelectorClick = [this](int slot, int index) { choose(slot, index); };
        page.onValueChanged = [this](void* variable, bool isClick) {
            if (isClick) changed(variable);
        };
    }

    void reopenMidiOutput() {
        app.openMidiOutputFrom(devices);
        if (current) current->selectDialogDrawing();
    }

    void choose(int slot, int index) {
        TFdialog& page = *current;
        Options& o = options;
        switch (slot) {
        case 0:
            o.midiDevice = index - 1;
            o.midiDeviceName = index >= 1 && index - 1 < devices.count() ? devices.at(index - 1) : "";
            page.drawMidiDeviceRow();
            page.present();
            reopenMidiOutput();
            return;
        case 1:
            o.midiChannels = index;
            page.drawMidiChannelsRow();
            page.present();
            reopenMidiOutput();
            return;
        case 2:
            o.displayTextColor = index;
            page.drawTextColorRow();
            changed(&o.displayTextColor);
            return;
        case 3:
            o.chordColoring = index;
            page.drawChordColorsRow();
            changed(&o.chordColoring);
            return;
        case 4:
            o.chordLook = index;
            page.drawChordLookRow();
            changed(&o.chordLook);
            return;
        case 5:
            o.cursorMode = index;
            page.drawChordCursorRow();
            page.present();
            return;
        case 6:
            o.visualizeMode = index;
            page.drawVisualizeNotesRow();
            changed(&o.visualizeMode);
            return;
        default:
            return;
        }
    }

    void changed(void* variable) {
        Options& o = options;
        TFdialog& page = *current;
        if (variable == &o.keyShiftButtons || variable == &o.biColor || variable == &o.chordLook ||
            variable == &o.visualizeMode) {
            relayoutMainWindow(app);
            page.selectDialogDrawing();
            page.present();
            page.activateWindow();
        } else if (variable == &o.whiteModel || variable == &o.displayTextColor) {
            reopenOptionsPage(true);
        } else if (variable == &o.wideModel || variable == &o.chordColoring) {
            reopenOptionsPage(false);
        }
    }

    // Rebuilds the page in place after a change of its own look or rows.
    void reopenOptionsPage(bool skinChanged) {
        relayoutMainWindow(app);
        if (skinChanged && settingsWindowHooks().reskinToolWindows) settingsWindowHooks().reskinToolWindows();
        reopen = true;
        reopenAt = current->pos();
        current->closePage(kReopenResult);
    }
};

struct HotKey {
    int y;
    const char* action;
    const char* key;
};

const HotKey kHotKeys[] = {
    {50, "Play from actual page", "Space"},
    {66, "Play from start", "Home"},
    {82, "Play from loop start", "Enter"},
    {98, "Stop", "Space"},
    {130, "Tempo +/-", "+/-"},
    {146, "Key shift +/-", "Up/Down arrows"},
    {162, "Select repeat mode", "R"},
    {178, "Activate/deactivate loop", "L"},
    {194, "Clear loop", "C"},
    {210, "Select precount mode", "P"},
    {226, "Show mixer", "M"},
    {242, "Show session notes", "N"},
    {258, "Show/hide reference tones", "T"},
    {274, "Mute", "U"},
    {306, "Undo", "Ctrl+Z"},
    {322, "Redo", "Ctrl+Y"},
    {338, "History", "H"},
    {370, "Cut chords", "Ctrl+X"},
    {386, "Copy chords", "Ctrl+C"},
    {402, "Paste chords", "Ctrl+V"},
    {418, "Select all chords on page", "Ctrl+A"},
    {434, "Delete selected chords", "Del"},
    {466, "Close active window", "Esc"},
};

} // namespace

void showOptionsPage(QuoVelanta& app) {
    OptionsPage(app).run();
}

void showHotKeysPage() {
    TFdialog page(kPageHotKeys);
    page.beginPage(440, 574, "Hot Keys");
    for (const HotKey& k : kHotKeys) {
        page.drawPageText(25, k.y, k.action);
        page.drawPageText(225, k.y, k.key);
    }
    page.showPage("OK", "", "");
}

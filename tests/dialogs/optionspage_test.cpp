// The Options page: the device list refreshed on every opening and the output opened from it, the
// stored device name preferred, the channel plan, rebuilding in place (no nesting) with the chord
// colour box, Style Programmer edits kept across a reopened output; and the Hot Keys table.
#include <gtest/gtest.h>

#include <QApplication>

#include "dialogs/optionspage.h"
#include "dialogs/settingspages.h"
#include "settingspages_rig.h"

using pages::Rig;

namespace {

int visibleDialogs() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<TFdialog*>(w) != nullptr && w->isVisible()) ++n;
    return n;
}

bool hasEditedNote(Rig& r) {
    for (const StyleNote& n : r.engine().styles.current().tracks.at(1).arp.notes)
        if (n.pos == 5 && n.vel == 77) return true;
    return false;
}

void editStyle(Rig& r) {
    StyleEditBuffer& buffer = r.app().styleEdits;
    buffer.take(r.engine().styles);
    buffer.style.tracks.at(1).arp.notes.add(StyleNote(40, 77, 5, 1.5));
    buffer.markEdited(r.engine().styles);
    r.app().selectStyle(-2, false, false, false);
}

} // namespace

TEST(OptionsPage, DeviceListIsReadOnEveryOpeningAndTheChoiceOpensFromIt) {
    Rig r;
    r.ports->names = {"Port A", "Port B", "Port C"};
    r.ports->log.clear();
    editStyle(r);
    r.then([&] { r.choose(0, 3); }); // "Port C"
    r.then([&] {
        EXPECT_EQ(r.offered.count(), 4);
        EXPECT_EQ(r.offered.at(0), "Midi Mapper");
        EXPECT_EQ(r.offered.at(3), "Port C");
    });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showOptionsPage(r.app());
    EXPECT_EQ(r.options().midiDevice, 2);
    EXPECT_EQ(r.options().midiDeviceName, "Port C");
    EXPECT_TRUE(r.ports->isOpen());
    EXPECT_EQ(r.ports->openedIndex, 2);
    ASSERT_FALSE(r.ports->log.empty());
    EXPECT_NE(std::find(r.ports->log.begin(), r.ports->log.end(), "open 2"), r.ports->log.end());
    // The voices got their programs again on the new device, and the Style Programmer's edit plays on.
    EXPECT_FALSE(r.ports->sent.empty());
    EXPECT_TRUE(r.app().styleEdits.edited);
    EXPECT_TRUE(hasEditedNote(r));
    EXPECT_EQ(r.prompt.asked, 0);

    // The mapper: item 0 stores -1 and forgets the name.
    r.then([&] { r.choose(0, 0); });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showOptionsPage(r.app());
    EXPECT_EQ(r.options().midiDevice, -1);
    EXPECT_EQ(r.options().midiDeviceName, "");
    EXPECT_FALSE(r.ports->isOpen());
}

TEST(OptionsPage, TheStoredDeviceNameIsPreferredToItsIndex) {
    Rig r;
    r.options().midiDevice = 0;
    r.options().midiDeviceName = "Port B";
    r.ports->names = {"New Port", "Port A", "Port B"};
    r.app().openMidiOutput();
    EXPECT_EQ(r.options().midiDevice, 2);
    EXPECT_EQ(r.ports->openedIndex, 2);
    // A name that is gone leaves the index as stored.
    r.options().midiDeviceName = "Gone";
    r.options().midiDevice = 1;
    r.app().openMidiOutput();
    EXPECT_EQ(r.ports->openedIndex, 1);
    EXPECT_EQ(r.options().midiDeviceName, "Gone");
}

TEST(OptionsPage, DeviceNameIsWrittenOnlyOnceChosenAndReadBack) {
    Rig r;
    r.options().midiDeviceName = "Port B";
    ASSERT_TRUE(r.options().save());
    Options again(Llist<std::string>(), r.options().filePath());
    EXPECT_EQ(again.midiDeviceName, "Port B");
    again.midiDeviceName.clear();
    ASSERT_TRUE(again.save());
    EXPECT_EQ(readBytes(again.filePath()).find("midiDeviceName"), std::string::npos);
}

TEST(OptionsPage, ChannelChoiceMovesTheVoices) {
    Rig r;
    r.then([&] { r.choose(1, 0); }); // "1-6, 10"
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showOptionsPage(r.app());
    EXPECT_EQ(r.options().midiChannels, 0);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(r.engine().instruments.at(i).midiChannel, partMidiChannel(i, 0)) << i;
}

TEST(OptionsPage, ChordColourChangeRebuildsInPlaceWithTheGradientBox) {
    Rig r;
    r.options().chordColoring = 0;
    int relayouts = 0, reskins = 0;
    settingsWindowHooks().relayoutMainWindow = [&] { ++relayouts; };
    settingsWindowHooks().reskinToolWindows = [&] { ++reskins; };
    int buttonsBefore = 0;
    QPoint where;
    r.then([&] {
        buttonsBefore = r.top().controls.buttons.count();
        r.top().move(40, 30);
    });
    r.then([&] {
        where = r.top().pos();
        r.choose(3, 2); // "Spectrum"
    });
    r.then([&] {
        TFdialog& page = r.top();
        EXPECT_EQ(visibleDialogs(), 1);
        EXPECT_EQ(page.pos(), where);
        EXPECT_EQ(page.controls.buttons.count(), buttonsBefore + 1);
        bool bound = false;
        for (const ScButton& b : page.controls.buttons) bound |= b.toggleTarget == &r.options().biColor;
        EXPECT_TRUE(bound);
        EXPECT_EQ(relayouts, 1);
        EXPECT_EQ(reskins, 0);
    });
    // Widgets: 0 warn, 1 flat, 2..4 close selectors, 5 White, 6 Wide, 7 key shift buttons, 8 gradient.
    r.then([&] { r.clickWidget(8); });
    r.then([&] {
        EXPECT_TRUE(r.options().biColor);
        EXPECT_EQ(relayouts, 2);
    });
    r.then([&] { r.clickWidget(5); }); // White: rebuilt in the other look, tool windows reskinned
    r.then([&] {
        EXPECT_FALSE(r.options().whiteModel);
        EXPECT_FALSE(r.top().theme.whiteModel);
        EXPECT_EQ(reskins, 1);
        EXPECT_EQ(visibleDialogs(), 1);
        EXPECT_EQ(r.top().pos(), where);
    });
    r.then([&] { dlg::clickButton(&r.top(), 0); });
    showOptionsPage(r.app());
    settingsWindowHooks() = SettingsWindowHooks{};
    EXPECT_EQ(visibleDialogs(), 0);
    EXPECT_EQ(topDialogPage(), nullptr);
    EXPECT_EQ(r.options().chordColoring, 2);
}

TEST(HotKeysPage, ShowsAndClosesWithOk) {
    Rig r;
    int buttons = 0;
    r.then([&] {
        buttons = r.top().controls.buttons.count();
        dlg::pressTopKey(Qt::Key_Return);
    });
    showHotKeysPage();
    EXPECT_EQ(buttons, 1);
}

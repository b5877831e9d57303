#pragma once
// The main window with its windows connected and its context menus answered from a script: the rig
// of the mouse tests. Every menu shown is kept in `menus` (its place in `menuPlaces`); `menuAnswers`
// answers them in turn (-1 once they run out).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/selectorcontents.h"
#include "dialogs/programwindows.h"
#include "tests/app/mainwindow_rig.h"

namespace win {

class ScriptedMenusTest : public ::testing::Test {
  protected:
    WindowRig rig;
    std::unique_ptr<ProgramWindows> windows;
    std::vector<std::vector<std::string>> menus;
    std::vector<int> menuAnswers;
    struct MenuPlace {
        int x, y, colour, width; // where on the screen, in which colour and how wide it was asked for
    };
    std::vector<MenuPlace> menuPlaces;

    void SetUp() override {
        windows = std::make_unique<ProgramWindows>(rig.app(), *rig.form);
        rig.start();
        app().contextMenu = [this](const Llist<std::string>& items, int x, int y, TColor colour, int width) {
            std::vector<std::string> texts;
            for (const std::string& t : items) texts.push_back(t);
            menus.push_back(texts);
            menuPlaces.push_back({x, y, int(colour), width});
            const size_t i = menus.size() - 1;
            return i < menuAnswers.size() ? menuAnswers[i] : -1;
        };
    }
    void TearDown() override {
        app().contextMenu = nullptr;
        app().dismissClickSource = nullptr;
        windows.reset();
    }
    QuoVelanta& app() { return rig.app(); }
    QvPage& page() { return rig.core().pageAt(false); }
    // The newest history entry's description, and the number of entries.
    std::string lastRecord() {
        const QvHistory& h = rig.ctx->history;
        return h.description(h.count() - 1);
    }
    int records() { return rig.ctx->history.count(); }
};

} // namespace win

// Screenshots of the dialog pages for people to look at (build/ui-screens/): the message box with each
// button set and two pages with several row kinds, in the dark and the light look.
#include <QLineEdit>
#include <gtest/gtest.h>

#include "dialog_rig.h"
#include "dialogs/messagebox.h"
#include "dialogs/optionspage.h"
#include "engine/options.h"
#include "tests/common/tempdir.h"

using namespace dlg;

namespace {

struct Look {
    const char* name;
    bool white;
};

class DialogScreens : public ::testing::TestWithParam<Look> {
  protected:
    TempDir dir;
    std::unique_ptr<Options> options;
    DialogServices saved;

    void SetUp() override {
        ensureQtApp();
        saved = dialogServices();
        options = std::make_unique<Options>(Llist<std::string>(), dir.file("options.cfg"));
        options->whiteModel = GetParam().white;
        dialogServices().options = options.get();
    }
    void TearDown() override { dialogServices() = saved; }

    std::string name(const std::string& what) const { return "dialog-" + what + "-" + GetParam().name; }

    // Shows the page, saves what its window shows, and closes it.
    void shoot(LoopScope& s, TFdialog& page, const std::string& what, const std::string& a,
               const std::string& b, const std::string& c) {
        std::string path;
        s.then([&] {
            path = saveScreen(page, name(what));
            pressTopKey(Qt::Key_Escape);
        });
        EXPECT_EQ(page.showPage(a, b, c), -1);
        EXPECT_FALSE(path.empty());
    }
};

} // namespace

TEST_P(DialogScreens, MessageBoxWithEachButtonSet) {
    LoopScope s;
    struct Set {
        const char* what;
        bool withCancel, yesNo;
    };
    const Set sets[] = {
        {"ok", false, false}, {"okcancel", true, false}, {"yesno", false, true}, {"yesnocancel", true, true}};
    Llist<std::string> lines(0, 1, true);
    lines.add("^Save changes to session Blue Sky?");
    lines.add("");
    lines.add("The session has changes that are not saved yet.");
    lines.add("~Read more about sessions");
    lines.add("www.example.org");
    lines.add("Version " + std::string(400, '9') + " of a long file name, broken to fit the box.");
    for (const Set& set : sets) {
        std::string path;
        int buttons = 0;
        s.then([&] {
            TFdialog* top = topDialogPage();
            for (const TRect& r : top->bottomButtonRects) buttons += r.Left >= 0;
            path = saveScreen(*top, name(std::string("messagebox-") + set.what));
            pressTopKey(Qt::Key_Escape);
        });
        EXPECT_EQ(messageBox(lines, set.withCancel, set.yesNo, ""), -1);
        EXPECT_EQ(buttons, 1 + int(set.withCancel) + int(set.yesNo));
        EXPECT_FALSE(path.empty());
    }
}

TEST_P(DialogScreens, OptionsStylePageWithSelectorRowsAndCheckBoxes) {
    LoopScope s;
    Options& o = *options;
    TFdialog page(kPageOptions);
    layOutOptionsPage(page, o);
    shoot(s, page, "options", "OK", "", "");
}

TEST_P(DialogScreens, TonesStylePageWithFadersRadiosConnectorsAndTabs) {
    LoopScope s;
    Options& o = *options;
    int tone = 2;
    bool octave = false;
    double volume = 0.7, shift = 0.5;
    TFdialog page(kPageReferenceTones);
    page.beginPage(400, 360, "Reference Tones");
    // Both key hint boxes are framed; the About page has a black frame round it.
    for (int top : {120, 137})
        EXPECT_EQ(page.dialogImage.pixel(96, top + 7), scaleColour(page.theme.dimTextColour(), 1.15f)) << top;
    TFdialog about(kPageAbout);
    about.beginPage(400, 300, "About");
    for (TPoint p : {TPoint{0, 150}, TPoint{399, 150}, TPoint{300, 0}, TPoint{200, 299}})
        EXPECT_EQ(about.dialogImage.pixel(p.x, p.y), 0) << p.x << "," << p.y;
    const char* names[] = {"E4", "B3", "G3", "D3", "A2", "E2", "", "Silence"};
    const int ys[] = {50, 80, 110, 140, 170, 200, 245, 290};
    for (int i = 0; i < 8; ++i) page.addRadioButton(25, ys[i], names[i], &tone, i);
    page.drawRowConnector(0, 7);
    page.drawCustomPitchRow("-C3");
    page.addCheckBox(134, 290, "Octave", &octave);
    page.drawRefToneRepeatRow("2 sec");
    page.addFader(167, 49, "Volume", &volume, 101);
    page.addFader(293, 49, "A440 Shift", &shift, 101);
    page.drawCentsRow();
    page.drawSemiRow();
    page.drawFreqRow();
    shoot(s, page, "tones", "OK", "", "");

    TFdialog links(kPageSessionLinks);
    links.Esequence()->setText("www.example.org/songs");
    links.Esequence()->resize(548 - 2 * 24, links.Esequence()->height());
    links.beginPage(548, 229, "Session Links");
    links.selectedLinkTab = 1;
    links.drawLinkTabs();
    links.drawPageText(25, 70, "File name or web page:");
    links.addPushButton(50, 117, 69, "Clear", false);
    links.addPushButton(120, 117, 69, "Browse", false);
    links.addPushButton(190, 117, 69, "Test", false);
    (void)o;
    shoot(s, links, "links", "OK", "Cancel", "");
}

INSTANTIATE_TEST_SUITE_P(Looks, DialogScreens, ::testing::Values(Look{"dark", false}, Look{"light", true}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             return std::string(info.param.name);
                         });

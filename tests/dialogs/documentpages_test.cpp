// The document pages: page sequence, session links with its tabs and buttons, the export settings
// and the text-list page, driven through their windows with a scripted wait loop.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/documentdialogs.h"
#include "dialog_rig.h"
#include "dialogs/documentpages.h"
#include "engine/options.h"
#include "tests/app/commands_rig.h"
#include "tests/common/qtapp.h"
#include "tests/common/typing.h"

namespace {

using namespace dlg;

std::vector<std::string> itemsOf(const Llist<std::string>& l) {
    return std::vector<std::string>(l.begin(), l.end());
}

Llist<std::string> listOf(std::initializer_list<std::string> items) {
    Llist<std::string> l(0, 4, true);
    for (const std::string& s : items) l.add(s);
    return l;
}

class BrowseDialogs : public FileDialogs {
  public:
    std::string answer;
    std::string title;
    bool runOpenDialog(std::string& f, const std::string& t, const std::string&,
                       const std::string&) override {
        title = t;
        if (answer.empty()) return false;
        f = answer;
        return true;
    }
    bool runSaveDialog(std::string&, const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

class DocumentPages : public ::testing::Test {
  protected:
    cmd::Rig rig; // before the page loop, which then takes over the waits
    LoopScope scope;
    DialogServices saved;
    std::vector<std::string> opened;
    BrowseDialogs browse;

    void SetUp() override {
        saved = dialogServices();
        dialogServices().options = &rig.options();
        rig.app().hooks.urlOpener = [this](const std::string& url) {
            opened.push_back(url);
            return true;
        };
        rig.app().fileDialogs = &browse;
        Llist<std::string>& links = rig.core().sessionLinks;
        links.clear();
        for (const char* l : {"zero", "one", "two", "three", "four"}) links.add(l);
    }
    void TearDown() override { dialogServices() = saved; }

    void then(std::function<void()> step) { scope.then(std::move(step)); }
    static QLineEdit* edit() { return topDialogPage()->Esequence(); }
    static void clickTab(int i) {
        TFdialog* page = topDialogPage();
        const TRect r = page->tabRects.at(i);
        click(page, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    static void clickWidget(int i) {
        TFdialog* page = topDialogPage();
        const TPoint p = centreOf(page->controls.buttons.at(i).rect);
        click(page, p.x, p.y);
    }
};

TEST_F(DocumentPages, SessionLinksKeepEditsPerTabAndCancelDropsThemAll) {
    QuoVelanta& app = rig.app();
    std::vector<std::string> seen;
    then([&] {
        ASSERT_EQ(currentDialogPageId(), kPageSessionLinks);
        EXPECT_EQ(topDialogPage()->selectedLinkTab, 4); // start link 7 is the fifth tab
        seen.push_back(edit()->text().toStdString());
        edit()->setText("www.example.com/five");
        clickTab(0);
        seen.push_back(edit()->text().toStdString());
        edit()->setText("first");
        clickTab(4);
        seen.push_back(edit()->text().toStdString());
        saveScreen(*topDialogPage(), "page-session-links");
        clickTopButton(1); // Cancel
    });
    EXPECT_FALSE(editSessionLinks(app, 7));
    EXPECT_EQ(seen, (std::vector<std::string>{"four", "zero", "www.example.com/five"}));
    EXPECT_EQ(itemsOf(rig.core().sessionLinks),
              (std::vector<std::string>{"zero", "one", "two", "three", "four"}));

    then([&] {
        edit()->setText("first");
        clickTab(1);
        edit()->setText(QString(4000, QChar(0x266D))); // no longer than a session file keeps a link
        clickTab(2);
        edit()->clear();
        typeText(edit());  // keys without a code of their own and an input method's text as well
        clickTopButton(0); // OK keeps every tab's edit, the shown one too
    });
    EXPECT_TRUE(editSessionLinks(app, 0));
    std::string flats;
    for (int i = 0; i < kMaxLinkBytes / 3; ++i) flats += "\u266D";
    EXPECT_EQ(itemsOf(rig.core().sessionLinks),
              (std::vector<std::string>{"first", flats, kTypedText, "three", "four"}));
}

TEST_F(DocumentPages, SessionLinksClearBrowseAndTest) {
    QuoVelanta& app = rig.app();
    // Clear, Browse (the open dialog titled "Browse"), then Test: blanks go to the shell, which finds
    // nothing ("File not found."); only the empty text gets the browse message. Nothing is opened.
    browse.answer = "/tmp/some file.pdf";
    std::vector<int> messageWidths; // how far each message page's line reaches
    auto message = [&] {
        TFdialog* page = topDialogPage();
        int right = 0;
        for (int y = 50; y < 66; ++y)
            for (int x = 25; x < page->dialogImage.width() - 9; ++x)
                if (page->dialogImage.pixel(x, y) != page->pageBackground) right = std::max(right, x - 25);
        messageWidths.push_back(right);
        clickTopButton(0);
    };
    then([&] {
        clickWidget(0); // Clear
        EXPECT_TRUE(edit()->text().isEmpty());
        clickWidget(1); // Browse
        EXPECT_EQ(edit()->text().toStdString(), "/tmp/some file.pdf");
        edit()->setText("   ");
        clickWidget(2); // Test: a message page opens over this one
    });
    then(message);
    then([&] {
        edit()->clear();
        clickWidget(2);
    });
    then(message);
    then([&] {
        // A web address opens; a program is refused with a message and never run.
        edit()->setText("  www.example.com  ");
        clickWidget(2);
        edit()->setText("/bin/sh");
        clickWidget(2);
    });
    then(message);
    then([&] { clickTopButton(1); });
    EXPECT_FALSE(editSessionLinks(app, 0));
    EXPECT_EQ(browse.title, "Browse");
    const Canvas page; // measures in the page's font
    ASSERT_EQ(messageWidths.size(), 3u);
    EXPECT_NEAR(messageWidths[0], page.textWidth("File not found."), 3);
    EXPECT_NEAR(messageWidths[1],
                page.textWidth("Please browse for a file or enter/paste an internet address."), 3);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "http://www.example.com");
}

TEST_F(DocumentPages, PageSequenceKeepsALongTextWhole) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "A B ";
    ASSERT_GT(text.size(), 80u);
    then([&] {
        ASSERT_EQ(currentDialogPageId(), kPagePageSequence);
        EXPECT_EQ(edit()->text().size(), static_cast<int>(text.size()));
        saveScreen(*topDialogPage(), "page-page-sequence");
        clickTopButton(0);
    });
    std::string edited = text;
    EXPECT_TRUE(editPageSequence(edited));
    EXPECT_EQ(edited, text);
    // A short text may grow to 80 characters; Cancel keeps the caller's text.
    then([&] {
        EXPECT_EQ(edit()->maxLength(), 80);
        edit()->setText("A A A");
        clickTopButton(1);
    });
    std::string shortText = "A B";
    EXPECT_FALSE(editPageSequence(shortText));
    EXPECT_EQ(shortText, "A B");
}

TEST_F(DocumentPages, TextListRoundTripsEveryLine) {
    // The memo text and back: "=" lines, empty middle lines and a last empty line come back; a final
    // line break of a typed text is no extra entry.
    const Llist<std::string> lines = listOf({"key=value", "", "middle", "="});
    EXPECT_EQ(itemsOf(splitMemoText(joinMemoLines(lines))), itemsOf(lines));
    const Llist<std::string> trailing = listOf({"a", ""});
    EXPECT_EQ(itemsOf(splitMemoText(joinMemoLines(trailing))), itemsOf(trailing));
    EXPECT_EQ(itemsOf(splitMemoText("typed\n")), (std::vector<std::string>{"typed"}));
    EXPECT_EQ(itemsOf(splitMemoText("a\r\nb")), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(splitMemoText("").count() == 0);

    Llist<std::string> notes = listOf({"x = 1", "", "y"});
    then([&] {
        ASSERT_EQ(currentDialogPageId(), kPageTextList);
        saveScreen(*topDialogPage(), "page-global-notes");
        topDialogPage()->Mnotes()->setPlainText("changed\n");
        clickTopButton(1); // Cancel keeps the lines even after an edit
    });
    EXPECT_FALSE(editTextList("Global Notes", notes));
    EXPECT_EQ(itemsOf(notes), (std::vector<std::string>{"x = 1", "", "y"}));
    then([&] { clickTopButton(0); });
    EXPECT_TRUE(editTextList("Global Notes", notes));
    EXPECT_EQ(itemsOf(notes), (std::vector<std::string>{"x = 1", "", "y"}));
    then([&] {
        topDialogPage()->Mnotes()->setPlainText("");
        clickTopButton(0);
    });
    EXPECT_TRUE(editTextList("Global Notes", notes));
    EXPECT_EQ(notes.count(), 0);
    // Typed text of every kind is kept byte for byte.
    then([&] {
        typeText(topDialogPage()->Mnotes());
        clickTopButton(0);
    });
    EXPECT_TRUE(editTextList("Global Notes", notes));
    EXPECT_EQ(itemsOf(notes), (std::vector<std::string>{kTypedText}));
}

TEST_F(DocumentPages, ExportSettingsPagesBindTheOptionsDirectly) {
    Options& o = rig.options();
    o.exportToText_bars = true;
    then([&] {
        ASSERT_EQ(currentDialogPageId(), kPageSaveChordsAsText);
        saveScreen(*topDialogPage(), "page-save-chords-as-text");
        clickWidget(1); // "Indicate bars and beats:"
        clickTopButton(1);
    });
    EXPECT_FALSE(askTextExportSettings(o));
    EXPECT_FALSE(o.exportToText_bars); // kept although cancelled
    then([&] { clickTopButton(0); });
    EXPECT_TRUE(askTextExportSettings(o));

    // Stored values outside the lists show an empty box instead of reading past the list.
    o.exportToMidi_silenceBars = 99;
    o.exportToMidi_precountBars = -5;
    o.exportToMidi_silence = false;
    o.exportToMidi_format = 0;
    then([&] {
        ASSERT_EQ(currentDialogPageId(), kPageSaveAsMidiFile);
        TFdialog* page = topDialogPage();
        EXPECT_EQ(page->slotItems[0].count(), o.silenceBarsNames.count());
        page->onSelectorClick(0, 0); // the first silence item is one bar
        page->onSelectorClick(1, 1);
        saveScreen(*page, "page-save-as-midi-file");
        clickWidget(2); // Silence
        clickWidget(5); // format 1
        pressTopKey(Qt::Key_Escape);
    });
    EXPECT_FALSE(askMidiExportSettings(o));
    EXPECT_EQ(o.exportToMidi_silenceBars, 1);
    EXPECT_EQ(o.exportToMidi_precountBars, 2);
    EXPECT_TRUE(o.exportToMidi_silence);
    EXPECT_EQ(o.exportToMidi_format, 1);
    then([&] { clickTopButton(0); });
    EXPECT_TRUE(askMidiExportSettings(o));
}

TEST_F(DocumentPages, HooksConnectThePagesToTheMainObject) {
    QuoVelanta& app = rig.app();
    connectDocumentPages(app);
    ASSERT_TRUE(app.hooks.editSessionLinks && app.hooks.editPageSequence && app.hooks.askMidiExportSettings &&
                app.hooks.askTextExportSettings && app.hooks.editTextList);
    // The File menu's Session Links item runs the page; OK records the edit.
    then([&] {
        ASSERT_EQ(currentDialogPageId(), kPageSessionLinks);
        edit()->setText("www.example.org");
        clickTopButton(0);
    });
    EXPECT_TRUE(app.runFileItem(8));
    EXPECT_EQ(rig.core().sessionLinks.at(0), "www.example.org");
    EXPECT_EQ(rig.newest(), "Edit session links");
}

} // namespace

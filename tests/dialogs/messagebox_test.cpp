// The message box page: its size from its lines, the button sets and their results, the Prompt over
// it, and the questions of the document commands answered on the real page with clicks on its buttons.
#include <gtest/gtest.h>

#include "app/qvcontext.h"
#include "dialog_rig.h"
#include "dialogs/messagebox.h"
#include "engine/qvhistory.h"
#include "tests/app/play_harness.h"
#include "tests/common/scratchsetup.h"

using namespace dlg;

namespace {

Llist<std::string> linesOf(std::initializer_list<std::string> texts) {
    Llist<std::string> l(0, 1, true);
    for (const std::string& t : texts) l.add(t);
    return l;
}

int textWidth(const std::string& text, bool bold) {
    Limage scratch;
    scratch.setSize(10, 10, true);
    Canvas& c = *scratch.canvas();
    c.font = Font{};
    c.font.bold = bold;
    return c.textWidth(text);
}

// What the top page showed when a step looked at it.
struct Seen {
    int id = -1;
    QSize size;
    std::array<std::string, 3> texts{};
};
Seen look() {
    Seen s;
    if (TFdialog* top = topDialogPage()) {
        s.id = top->dialogPageId;
        s.size = top->size();
        s.texts = top->bottomButtonTexts;
    }
    return s;
}

} // namespace

TEST(MessageBox, SizeFollowsTheLinesMeasuredInTheirOwnFont) {
    ensureQtApp();
    const QSize screen(1000, 700);
    EXPECT_EQ(messageBoxPageSize(Llist<std::string>(), screen), QSize(500, 124));
    EXPECT_EQ(messageBoxPageSize(linesOf({"short", "", "lines"}), screen), QSize(500, 124 + 48));

    // A line long enough to widen the page: bold lines are measured bold, markers are not measured.
    std::string text;
    while (textWidth(text, false) < 560) text += "Wide words ";
    const int plain = textWidth(text, false), bold = textWidth(text, true);
    ASSERT_GT(bold, plain);
    EXPECT_EQ(messageBoxPageSize(linesOf({text}), screen).width(), plain + 50);
    EXPECT_EQ(messageBoxPageSize(linesOf({"^" + text}), screen).width(), bold + 50);
    EXPECT_EQ(messageBoxPageSize(linesOf({"~" + text}), screen).width(), plain + 50);

    // Held within the screen both ways; a long line, words or one 400-digit number, is broken into
    // lines that fit a box no wider than 900.
    std::string huge;
    while (textWidth(huge, false) < 1200) huge += "Very wide line ";
    const QSize wrapped = messageBoxPageSize(linesOf({huge}), screen);
    EXPECT_LE(wrapped.width(), 900);
    EXPECT_EQ(wrapped.height(), 124 + 2 * 16);
    const QSize digits = messageBoxPageSize(linesOf({std::string(400, '7')}), QSize(2000, 1200));
    EXPECT_LE(digits.width(), 900);
    EXPECT_GE(digits.height(), 124 + 3 * 16);
    EXPECT_LE(messageBoxPageSize(linesOf({huge}), QSize(600, 700)).width(), 600);
    Llist<std::string> many(0, 1, true);
    for (int i = 0; i < 60; ++i) many.add("line");
    EXPECT_EQ(messageBoxPageSize(many, screen).height(), 700);
    EXPECT_EQ(messageBoxPageSize(many, QSize()).height(), 60 * 16 + 124);
}

TEST(MessageBox, TheShownPageTakesTheScreenClamp) {
    LoopScope s;
    DialogServices saved = dialogServices();
    dialogServices().screenSize = [] { return QSize(640, 480); };
    Llist<std::string> many(0, 1, true);
    for (int i = 0; i < 40; ++i) many.add("^Line " + std::to_string(i));
    Seen seen;
    QPoint pos;
    int buttonRow = 0, textUnderButtons = 0;
    s.then([&] {
        seen = look();
        TFdialog* top = topDialogPage();
        pos = top->pos();
        buttonRow = top->bottomButtonRects[0].Top;
        // Between the buttons' row and the bottom there is only the page's own colour and frame.
        for (int y = buttonRow - 4; y < buttonRow + 26; ++y)
            for (int x = 25; x < 100; ++x)
                textUnderButtons += top->dialogImage.pixel(x, y) != top->dialogImage.pixel(24, y);
        clickTopButton(0);
    });
    EXPECT_EQ(messageBox(many, false, false, ""), 0);
    EXPECT_EQ(seen.size, QSize(500, 480));
    EXPECT_EQ(buttonRow, 480 - 48);
    EXPECT_EQ(textUnderButtons, 0); // the lines that do not fit are left out, not drawn under the buttons
    EXPECT_EQ(pos, QPoint(70, 0));  // centred
    dialogServices() = saved;
}

// The piece of a broken line is plain text even where it starts like a link; a link line that does
// not fit is shortened with "…" inside the box, not cut at its edge.
TEST(MessageBox, BrokenLinesAreNoLinksAndLongLinksAreShortened) {
    LoopScope s;
    DialogServices saved = dialogServices();
    dialogServices().screenSize = [] { return QSize(1000, 700); };
    std::string words = "see";
    while (textWidth(words, false) < 2000) words += " www.example.org";
    const std::string link = "www.example.org/" + std::string(300, 'x');
    TRect linkRect[2];
    int width[2] = {};
    for (int i = 0; i < 2; ++i) {
        s.then([&, i] {
            TFdialog* top = topDialogPage();
            linkRect[i] = top->linkRect;
            width[i] = top->width();
            clickTopButton(0);
        });
        EXPECT_EQ(messageBox(linesOf({i == 0 ? words : link}), false, false, ""), 0);
    }
    EXPECT_EQ(linkRect[0].Left, -1);
    EXPECT_EQ(linkRect[1].Left, 25);
    EXPECT_LE(linkRect[1].Right, width[1] - 25);
    EXPECT_GT(linkRect[1].Right, width[1] - 60);
    dialogServices() = saved;
}

TEST(MessageBox, ButtonSetsAndResults) {
    LoopScope s;
    struct Case {
        bool withCancel, yesNo;
        std::array<std::string, 3> texts;
    };
    const Case cases[] = {{false, false, {"OK", "", ""}},
                          {true, false, {"OK", "Cancel", ""}},
                          {false, true, {"Yes", "No", ""}},
                          {true, true, {"Yes", "No", "Cancel"}}};
    for (const Case& c : cases) {
        const int buttons = c.texts[2].empty() ? (c.texts[1].empty() ? 1 : 2) : 3;
        for (int i = 0; i < buttons; ++i) {
            Seen seen;
            s.then([&, i] {
                seen = look();
                clickTopButton(i);
            });
            EXPECT_EQ(messageBoxLine("Question", c.withCancel, c.yesNo, "Title"), i);
            EXPECT_EQ(seen.id, kPageMessageBox);
            EXPECT_EQ(seen.texts, c.texts);
        }
        s.then([] { pressTopKey(Qt::Key_Escape); });
        EXPECT_EQ(messageBoxLine("Question", c.withCancel, c.yesNo, ""), -1);
        s.then([] { pressTopKey(Qt::Key_Return); });
        EXPECT_EQ(messageBoxLine("Question", c.withCancel, c.yesNo, ""), 0);
    }
}

TEST(MessageBox, ThePromptMapsEveryButtonKind) {
    LoopScope s;
    DialogPrompt prompt;
    struct Case {
        PromptButtons kind;
        std::array<std::string, 3> texts;
    };
    const Case cases[] = {{PromptButtons::Ok, {"OK", "", ""}},
                          {PromptButtons::OkCancel, {"OK", "Cancel", ""}},
                          {PromptButtons::YesNo, {"Yes", "No", ""}},
                          {PromptButtons::YesNoCancel, {"Yes", "No", "Cancel"}}};
    for (const Case& c : cases) {
        const int last = c.texts[2].empty() ? (c.texts[1].empty() ? 0 : 1) : 2;
        Seen seen;
        s.then([&] {
            seen = look();
            clickTopButton(last);
        });
        EXPECT_EQ(prompt.messageBox(linesOf({"A", "B"}), c.kind, ""), last);
        EXPECT_EQ(seen.texts, c.texts);
        EXPECT_EQ(seen.size.height(), 2 * 16 + 124);
        s.then([] { topDialogPage()->close(); });
        EXPECT_EQ(prompt.messageBox(linesOf({"A"}), c.kind, ""), -1);
    }
}

namespace {

// The program context with the real message box as its prompt.
struct DocRig {
    LoopScope loop;
    FakeClock clock{100000};
    DialogPrompt prompt;
    TempDir dir;
    std::vector<play::TimedMessage> live;
    std::unique_ptr<QvContext> ctx;
    DocRig() {
        QvContext::Setup s = scratchSetup(dir, &clock, nullptr, &prompt);
        s.synth = std::make_unique<play::TimedBackend>(clock, live);
        ctx = std::make_unique<QvContext>(std::move(s));
        play::startWithTestStyles(*ctx);
    }
    QvCore& core() { return ctx->engine.core; }
    void edit() {
        QvPage& page = core().pages.at(0);
        while (page.chordCount() > 0) page.chords.remove(0);
        for (int i = 0; i < 4; ++i) page.addChord(QvChord(i * 2, 0, 0, kAutoBassArg, false, 12), -1);
        page.addChord(QvChord(7, 0, 0, kAutoBassArg, false, 48), -1);
        ctx->history.record("Edit chord", false);
    }
};

} // namespace

TEST(MessageBox, TheSaveChangesQuestionIsAnsweredOnThePage) {
    DocRig rig;
    rig.edit();
    ASSERT_TRUE(rig.ctx->history.modified);
    Seen seen;
    // Cancel, a closed box and Esc stop; No goes on.
    rig.loop.then([&] {
        seen = look();
        clickTopButton(2);
    });
    EXPECT_FALSE(rig.ctx->app.querySaveChanges());
    EXPECT_EQ(seen.id, kPageMessageBox);
    EXPECT_EQ(seen.texts, (std::array<std::string, 3>{"Yes", "No", "Cancel"}));
    rig.loop.then([] { topDialogPage()->close(); });
    EXPECT_FALSE(rig.ctx->app.querySaveChanges());
    rig.loop.then([] { pressTopKey(Qt::Key_Escape); });
    EXPECT_FALSE(rig.ctx->app.newSession(false));
    EXPECT_EQ(rig.core().pages.at(0).chordCount(), 5);
    // Yes on an untitled session runs Save As, which is cancelled here: nothing goes on.
    rig.loop.then([] { clickTopButton(0); });
    EXPECT_FALSE(rig.ctx->app.newSession(false));
    EXPECT_EQ(rig.core().pages.at(0).chordCount(), 5);
    rig.loop.then([] { clickTopButton(1); });
    EXPECT_TRUE(rig.ctx->app.newSession(false));
    EXPECT_EQ(rig.core().pages.at(0).chordCount(), 0);
    EXPECT_FALSE(isDialogVisible());
}

TEST(MessageBox, ADeclinedConversionTo34ChangesNothing) {
    DocRig rig;
    rig.edit();
    QvSessionMix& mix = rig.core().mix;
    mix.volDrums = 0.33;
    mix.mixSnare = 0.7;
    mix.mixB = 0.4;
    auto levels = [&] {
        return std::vector<double>{mix.volDrums, mix.mixKick,         mix.mixSnare, mix.mixHihat,
                                   mix.mixExtra, mix.mixRide,         mix.mixCrash, mix.mixFxCym,
                                   mix.volBass,  mix.volChords,       mix.mixA,     mix.mixB,
                                   mix.mixC,     double(mix.forStyle)};
    };
    const std::vector<double> mixBefore = levels();
    const int historyBefore = rig.ctx->history.count();
    Seen seen;
    rig.loop.then([&] {
        seen = look();
        clickTopButton(1); // Cancel
    });
    rig.ctx->app.selectStyle(2, false, true, true);
    EXPECT_EQ(seen.texts, (std::array<std::string, 3>{"OK", "Cancel", ""}));
    EXPECT_GT(seen.size.height(), 124 + 16 * 6);
    rig.loop.then([] { pressTopKey(Qt::Key_Escape); }); // closed without an answer
    rig.ctx->app.selectStyle(2, false, true, true);
    rig.loop.then([] { topDialogPage()->close(); });
    rig.ctx->app.selectStyle(2, false, true, true);
    EXPECT_EQ(rig.core().styleNumber, 1);
    EXPECT_EQ(rig.core().stepsPerBar(), 16);
    EXPECT_EQ(rig.core().pages.at(0).chordCount(), 5);
    EXPECT_EQ(rig.ctx->history.count(), historyBefore);
    EXPECT_EQ(levels(), mixBefore);

    rig.loop.then([] { clickTopButton(0); }); // OK converts
    rig.ctx->app.selectStyle(2, false, true, true);
    EXPECT_EQ(rig.core().styleNumber, 2);
    EXPECT_EQ(rig.core().pages.at(0).chordCount(), 4);
}

TEST(MessageBox, OpenAndSaveFailuresAreTold) {
    DocRig rig;
    Seen seen;
    rig.loop.then([&] {
        seen = look();
        clickTopButton(0);
    });
    EXPECT_FALSE(rig.ctx->app.openSession(rig.dir.file("missing.qvs")));
    EXPECT_EQ(seen.id, kPageMessageBox);
    EXPECT_EQ(seen.texts[0], "OK");
    rig.ctx->app.sessionPath = rig.dir.file("no/such/folder/x.qvs");
    rig.loop.then([&] {
        seen = look();
        pressTopKey(Qt::Key_Return);
    });
    seen = {};
    EXPECT_FALSE(rig.ctx->app.saveSession());
    EXPECT_EQ(seen.id, kPageMessageBox);
}

TEST(MessageBox, PastingFourFourChordsIntoThreeFourAsksOnThePage) {
    DocRig rig;
    rig.ctx->app.selectStyle(2, false, false, true); // empty pages: nothing to ask
    ASSERT_TRUE(rig.core().isTripleMeter());
    QvEngine& engine = rig.ctx->engine;
    engine.clipboard.clear();
    for (int i = 0; i < 4; ++i) engine.clipboard.addChord(QvChord(i, 0, 0, kAutoBassArg, false, 12), -1);
    engine.clipboardIs34 = false;
    QvPage& page = rig.core().pages.at(3);
    Seen seen;
    rig.loop.then([&] {
        seen = look();
        clickTopButton(1); // Cancel
    });
    EXPECT_FALSE(page.paste(-1, false, false, engine.pageContext()));
    EXPECT_EQ(seen.texts, (std::array<std::string, 3>{"OK", "Cancel", ""}));
    EXPECT_EQ(page.chordCount(), 0);
    EXPECT_EQ(engine.clipboard.chordCount(), 4);
    rig.loop.then([] { pressTopKey(Qt::Key_Escape); }); // closed: as Cancel
    EXPECT_FALSE(page.paste(-1, false, false, engine.pageContext()));
    EXPECT_EQ(page.chordCount(), 0);
    rig.loop.then([] { clickTopButton(0); }); // OK
    EXPECT_TRUE(page.paste(-1, false, false, engine.pageContext()));
    EXPECT_GT(page.chordCount(), 0);
    EXPECT_LT(page.chordCount(), 4);
}

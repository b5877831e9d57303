// The session notes window: loading, one undo step per editing visit, storing on every way out and
// before the save question and every save, and lines (typed in any script) that survive the session file.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "tests/common/typing.h"
#include "tests/dialogs/toolwindows_rig.h"

namespace {

using namespace dlg;

Llist<std::string> lines(std::initializer_list<std::string> l) {
    Llist<std::string> out(0, 1, true);
    for (const std::string& s : l) out.add(s);
    return out;
}

std::vector<std::string> asVector(const Llist<std::string>& l) {
    std::vector<std::string> v;
    for (const std::string& s : l) v.push_back(s);
    return v;
}

void type(TFnotes& n, const QString& text) {
    n.Mnotes->moveCursor(QTextCursor::End);
    n.Mnotes->insertPlainText(text);
}

} // namespace

TEST(Notes, KeyNShowsTheSessionNotesAndLoadingNeverRecords) {
    tw::Rig rig;
    rig.core().sessionNotes = lines({"tempo=fast", "", "bridge twice"});
    const int before = rig.history().count();
    rig.app().keyDown('N', false, false);
    TFnotes& n = rig.notes();
    EXPECT_TRUE(n.isVisible());
    EXPECT_EQ(n.Mnotes->toPlainText(), "tempo=fast\n\nbridge twice");
    EXPECT_FALSE(n.changed);
    n.formDeactivate();
    n.hide();
    EXPECT_EQ(rig.history().count(), before);
    EXPECT_EQ(n.width(), 604);
    EXPECT_EQ(n.height(), 340);
}

TEST(Notes, TypingThenLeavingRecordsExactlyOneStep) {
    tw::Rig rig;
    TFnotes& n = rig.notes();
    n.showNotes();
    const int before = rig.history().count();
    type(n, "intro");
    type(n, "\nverse");
    EXPECT_TRUE(n.changed);
    QEvent deactivate(QEvent::WindowDeactivate); // another window took the focus
    QApplication::sendEvent(&n, &deactivate);
    EXPECT_EQ(rig.history().count(), before + 1);
    EXPECT_EQ(rig.newest(), "Edit session notes");
    EXPECT_EQ(asVector(rig.core().sessionNotes), (std::vector<std::string>{"intro", "verse"}));
    // Back and forth without typing records nothing.
    n.formDeactivate();
    n.formDeactivate();
    EXPECT_EQ(rig.history().count(), before + 1);
    // A second visit with typing is a step of its own (never merged).
    type(n, "!");
    n.formDeactivate();
    EXPECT_EQ(rig.history().count(), before + 2);
    EXPECT_EQ(rig.core().sessionNotes.at(1), "verse!");
}

TEST(Notes, HidingClosingEscAndTheCloseButtonStoreTypedText) {
    tw::Rig rig;
    TFnotes& n = rig.notes();
    n.showNotes();
    type(n, "a");
    key(n.Mnotes, Qt::Key_Escape); // Esc in the memo
    EXPECT_FALSE(n.isVisible());
    EXPECT_EQ(asVector(rig.core().sessionNotes), std::vector<std::string>{"a"});
    EXPECT_EQ(rig.newest(), "Edit session notes");

    n.showNotes();
    type(n, "b");
    const TPoint close = [&] {
        for (const ShadeButton& b : n.ui.buttons)
            if (b.id == 0) return centreOf(b.rect);
        return TPoint{-1, -1};
    }();
    click(&n, close.x, close.y);
    EXPECT_FALSE(n.isVisible());
    EXPECT_EQ(asVector(rig.core().sessionNotes), std::vector<std::string>{"ab"});

    n.showNotes();
    type(n, "c");
    const TPoint box = centreOf(n.ui.closeRect);
    click(&n, box.x, box.y);
    EXPECT_FALSE(n.isVisible());
    EXPECT_EQ(asVector(rig.core().sessionNotes), std::vector<std::string>{"abc"});

    n.showNotes();
    type(n, "d");
    n.close();
    EXPECT_EQ(asVector(rig.core().sessionNotes), std::vector<std::string>{"abcd"});
    const int count = rig.history().count();
    n.showNotes();
    n.hide(); // nothing typed: nothing recorded
    EXPECT_EQ(rig.history().count(), count);
}

TEST(Notes, TypedNotesAreStoredBeforeTheSaveQuestionSoItIsAsked) {
    tw::Rig rig;
    rig.ctx->engine.options.warnSessionDelete = true;
    TFnotes& n = rig.notes();
    n.showNotes();
    type(n, "remember the coda");
    ASSERT_FALSE(rig.history().modified);
    rig.prompt.answers = {2, 1}; // Cancel, then No
    EXPECT_FALSE(rig.app().newSession(false));
    EXPECT_EQ(rig.prompt.asked, 1);
    EXPECT_EQ(asVector(rig.core().sessionNotes), std::vector<std::string>{"remember the coda"});
    EXPECT_EQ(n.Mnotes->toPlainText(), "remember the coda"); // nothing lost
    // No: the new session empties the window.
    EXPECT_TRUE(rig.app().newSession(false));
    EXPECT_EQ(n.Mnotes->toPlainText(), "");
    EXPECT_FALSE(n.changed);
}

TEST(Notes, EverySaveTakesTheTypedTextAndLinesRoundTrip) {
    tw::Rig rig;
    TFnotes& n = rig.notes();
    const std::string path = rig.dir.file("notes.qvs");
    rig.app().sessionPath = path;
    n.showNotes();
    type(n, "key=value=more\n\n  indented\ti=x\n");
    typeText(n.Mnotes); // keys without a code of their own and an input method's text as well
    ASSERT_TRUE(rig.app().saveSession()); // the window still has the focus
    EXPECT_FALSE(n.changed);
    EXPECT_FALSE(rig.history().modified);
    const std::vector<std::string> expected{"key=value=more", "", "  indented\ti=x", kTypedText};
    EXPECT_EQ(asVector(rig.core().sessionNotes), expected);

    rig.core().sessionNotes.clear();
    rig.app().host.reloadNotes();
    EXPECT_EQ(n.Mnotes->toPlainText(), "");
    const int reloads = rig.host.notesReloads;
    ASSERT_TRUE(rig.app().openSession(path));
    EXPECT_GT(rig.host.notesReloads, reloads);
    EXPECT_EQ(asVector(rig.core().sessionNotes), expected);
    EXPECT_EQ(n.Mnotes->toPlainText().toStdString(), "key=value=more\n\n  indented\ti=x\n" + kTypedText);
    EXPECT_FALSE(n.changed);
    EXPECT_EQ(rig.history().count(), 1); // opening records nothing

    // The window takes no more than the session file keeps: a paste past the limit is cut, and what
    // the window shows comes back whole.
    type(n, QString(kMaxNoteLines, QChar('\n')));
    EXPECT_EQ(n.Mnotes->document()->blockCount(), kMaxNoteLines);
    type(n, QString(kMaxNotesBytes, QChar(0x266D)));
    EXPECT_GT(n.Mnotes->toPlainText().toUtf8().size(), kMaxNotesBytes); // with the line breaks
    EXPECT_LE(n.Mnotes->toPlainText().toUtf8().size(), kMaxNotesBytes + kMaxNoteLines);
    ASSERT_TRUE(rig.app().saveSession());
    const QString kept = n.Mnotes->toPlainText();
    ASSERT_TRUE(rig.app().openSession(path));
    EXPECT_TRUE(n.Mnotes->toPlainText() == kept);
}

TEST(Notes, UndoReloadsTheWindow) {
    tw::Rig rig;
    TFnotes& n = rig.notes();
    n.showNotes();
    type(n, "first");
    n.formDeactivate();
    type(n, " second");
    n.formDeactivate();
    rig.app().undo();
    EXPECT_EQ(asVector(rig.core().sessionNotes), std::vector<std::string>{"first"});
    EXPECT_EQ(n.Mnotes->toPlainText(), "first");
    EXPECT_FALSE(n.changed);
}

TEST(Notes, ScreensInBothLooks) {
    for (bool white : {false, true}) {
        tw::Rig rig;
        rig.ctx->engine.options.whiteModel = white;
        rig.core().sessionNotes = lines(
            {"Intro: 4 bars, drums only", "Verse x2 = page 1", "", "Bridge: slower, key up at the end"});
        rig.windows->rebuildForLook();
        rig.app().keyDown('N', false, false);
        EXPECT_FALSE(saveScreen(rig.notes(), white ? "notes_light" : "notes_dark").empty());
    }
    shadeDarkSkin() = true;
}

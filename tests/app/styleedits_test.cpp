// The Style Programmer's edit buffer: the save and close flow (what is written where, what a failed
// write, Cancel and Discard keep) and the questions before something replaces an edited style.
#include <filesystem>

#include "play_harness.h"
#include "tests/common/scratchsetup.h"

using namespace play;

namespace {

// Records the first line and the buttons of each question as well.
class ButtonsPrompt : public ScriptedPrompt {
  public:
    std::vector<PromptButtons> buttonSets;
    std::vector<std::string> firstLines;
    int messageBox(const Llist<std::string>& lines, PromptButtons buttons,
                   const std::string& title) override {
        firstLines.push_back(lines.count() > 0 ? lines.at(0) : "");
        buttonSets.push_back(buttons);
        return ScriptedPrompt::messageBox(lines, buttons, title);
    }
};

class Edits : public ::testing::Test {
  protected:
    ScratchFolder dir;
    FakeClock clock{100000};
    std::vector<TimedMessage> live;
    ButtonsPrompt prompt;
    CountingHost host;
    std::unique_ptr<QvContext> ctx;
    std::string styles;

    void SetUp() override {
        styles = dir.file("Styles");
        std::filesystem::create_directories(styles);
        StyleFile a = style44(12);
        a.name = "Twelve";
        ASSERT_TRUE(a.save(styles + "/12.qms"));
        StyleFile b = style34(3);
        ASSERT_TRUE(b.save(styles + "/003.qms"));
        QvContext::Setup s = scratchSetup(dir, &clock, &host, &prompt);
        s.synth = std::make_unique<TimedBackend>(clock, live);
        s.stylesFolder = styles;
        ctx = std::make_unique<QvContext>(std::move(s));
        app().selectStyle(12, true, false, false);
        ASSERT_EQ(ctx->engine.styles.current().id, 12);
    }

    QuoVelanta& app() { return ctx->app; }
    Styles& lib() { return ctx->engine.styles; }
    StyleEditBuffer& buffer() { return ctx->app.styleEdits; }

    // The programmer's edit: a new note on the bass track, heard at once.
    void edit(int pos = 5) {
        buffer().take(lib());
        buffer().style.tracks.at(1).arp.notes.add(StyleNote(40, 77, pos, 1.5));
        buffer().markEdited(lib());
        app().selectStyle(-2, false, false, false);
    }
    bool workingHasEdit(int pos = 5) {
        for (const StyleNote& n : lib().current().tracks.at(1).arp.notes)
            if (n.pos == pos && n.vel == 77) return true;
        return false;
    }
    std::string expectedBytes() {
        StyleFile copy = buffer().style;
        std::string path = dir.file("expected.qms");
        EXPECT_TRUE(copy.save(path));
        return readBytes(path);
    }
    std::vector<std::string> styleFiles() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(styles))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(Edits, YesOverwritesExactlyTheFileTheStyleCameFrom) {
    edit();
    const std::string expected = expectedBytes();
    prompt.answers = {0, 0}; // save, overwrite
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::Overwritten);
    EXPECT_EQ(readBytes(styles + "/12.qms"), expected);
    EXPECT_EQ(styleFiles(), (std::vector<std::string>{"003.qms", "12.qms"})); // no 012.qms beside it
    EXPECT_EQ(prompt.buttonSets.at(0), PromptButtons::YesNoCancel);
    EXPECT_EQ(prompt.firstLines.at(0), "Save changes to style 12?");
    EXPECT_EQ(prompt.firstLines.at(1), "Overwrite style file 12.qms?");
    EXPECT_EQ(prompt.lastButtons, PromptButtons::YesNoCancel);
    // The library was read again and the written style plays.
    EXPECT_FALSE(buffer().edited);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_EQ(lib().at(lib().indexOfId(12)).tracks.at(1).arp.notes.count(), 3);
}

TEST_F(Edits, NoWritesANewFileAndSaysWhichWithoutTouchingTheSource) {
    const std::string source = readBytes(styles + "/12.qms");
    std::tm when{};
    when.tm_year = 2050 - 1900; // past 2044, where 32 bits overflow
    when.tm_mon = 5;
    when.tm_mday = 15;
    when.tm_hour = 12;
    when.tm_min = 30;
    when.tm_sec = 44;
    buffer().localTime = [&] { return when; };
    const std::uint64_t packed =
        (std::uint64_t(70) << 25) | (6u << 21) | (15u << 16) | (12u << 11) | (30u << 5) | 22u;
    EXPECT_EQ(StyleEditBuffer::packDateTime(when), packed);
    EXPECT_GT(packed, 0xFFFFFFFFull >> 1);

    edit();
    std::string expected = expectedBytes();
    prompt.answers = {0, 1, 0};
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::NewFile);
    const std::string first = "012 - " + std::to_string(packed) + ".qms";
    EXPECT_EQ(readBytes(styles + "/" + first), expected);
    EXPECT_EQ(readBytes(styles + "/12.qms"), source);
    EXPECT_EQ(prompt.firstLines.back(), "The style was saved as " + first + " in the Styles folder.");
    EXPECT_NE(prompt.lastLines.at(1).find("number"), std::string::npos);
    // A file under a name that is not a number is not loaded: the style plays as it was on disk.
    EXPECT_FALSE(workingHasEdit());

    // A second save in the same second gets a name of its own.
    edit(9);
    prompt.answers = {0, 1, 0};
    prompt.asked = 0;
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::NewFile);
    const std::string second = "012 - " + std::to_string(packed) + " (2).qms";
    EXPECT_TRUE(fileExists(styles + "/" + second));
    EXPECT_EQ(readBytes(styles + "/" + first), expected);
    EXPECT_EQ(app().lastStyleWrite, styles + "/" + second);
}

TEST_F(Edits, AFailedWriteKeepsTheEditsAndSaysSo) {
    edit();
    // The source file became a folder: nothing can be written in its place.
    std::filesystem::remove(styles + "/12.qms");
    std::filesystem::create_directory(styles + "/12.qms");
    prompt.answers = {0, 0, 0};
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::KeepEditing);
    EXPECT_NE(prompt.firstLines.back().find("could not be saved"), std::string::npos);
    EXPECT_TRUE(buffer().edited);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_TRUE(std::filesystem::is_directory(styles + "/12.qms"));
    EXPECT_TRUE(app().lastStyleWrite.empty());
}

TEST_F(Edits, AMissingStylesFolderIsCreated) {
    edit();
    std::filesystem::remove_all(styles);
    const std::string expected = expectedBytes();
    prompt.answers = {0, 0};
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::Overwritten);
    EXPECT_EQ(readBytes(styles + "/12.qms"), expected);
}

TEST_F(Edits, CancelEscAndClosedQuestionsReturnToEditing) {
    edit();
    const std::string source = readBytes(styles + "/12.qms");
    for (std::vector<int> answers :
         {std::vector<int>{2}, std::vector<int>{-1}, std::vector<int>{0, 2}, std::vector<int>{0, -1}}) {
        prompt.answers = answers;
        prompt.asked = 0;
        EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::KeepEditing);
        EXPECT_TRUE(buffer().edited);
        EXPECT_TRUE(workingHasEdit());
        EXPECT_EQ(readBytes(styles + "/12.qms"), source);
        EXPECT_EQ(styleFiles().size(), 2u);
    }
    // Discard throws the edits away and reads the style back.
    prompt.answers = {1};
    prompt.asked = 0;
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::Discarded);
    EXPECT_FALSE(buffer().edited);
    EXPECT_FALSE(workingHasEdit());
    EXPECT_EQ(readBytes(styles + "/12.qms"), source);
    // Without edits there is nothing to ask.
    prompt.asked = 0;
    EXPECT_EQ(app().closeStyleEdits(), QuoVelanta::StyleEditEnd::Unchanged);
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(Edits, TheEditsSurviveUndoRedoAndHistoryJumpsInTheSameStyle) {
    QvHistory& h = ctx->history;
    h.reset("[Open session]"); // entry 0 plays style 12 as well
    ctx->engine.core.tempo(100);
    h.record("Tempo: 100", false);
    ctx->engine.core.tempo(110);
    h.record("Tempo: 110", false);
    edit();
    h.undo();
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_TRUE(buffer().edited);
    h.redo();
    EXPECT_TRUE(workingHasEdit());
    h.jumpTo(0);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_EQ(h.position(), 0);
    // The track engine plays the edited pattern.
    bool found = false;
    for (const StyleNote& n : ctx->engine.arpeggios.at(1).pattern.notes)
        if (n.pos == 5 && n.vel == 77) found = true;
    EXPECT_TRUE(found);
    // Reselecting the session's style (a MIDI device choice, closing the sound test) keeps them too.
    app().openMidiOutput();
    EXPECT_TRUE(workingHasEdit());
    app().selectStyle(12, true, true, false);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(Edits, AnUndoIntoAnotherStyleAsksFirst) {
    QvHistory& h = ctx->history;
    app().selectStyle(3, true, false, false);
    h.record("Style: 3", false);
    app().selectStyle(12, true, false, false);
    h.record("Style: 12", false);
    edit();
    const int pos = h.position();
    prompt.answers = {2}; // Cancel: nothing is undone
    h.undo();
    EXPECT_EQ(h.position(), pos);
    EXPECT_EQ(ctx->engine.core.styleNumber, 12);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_TRUE(buffer().edited);
    prompt.answers = {1}; // Discard
    prompt.asked = 0;
    h.undo();
    EXPECT_EQ(h.position(), pos - 1);
    EXPECT_EQ(ctx->engine.core.styleNumber, 3);
    EXPECT_FALSE(buffer().edited);
    app().selectStyle(12, true, false, false);
    EXPECT_FALSE(workingHasEdit());
}

TEST_F(Edits, AnotherStyleOrSessionAsksBeforeReplacingTheEdits) {
    edit();
    const std::string source = readBytes(styles + "/12.qms");
    prompt.answers = {-1};
    app().selectStyle(3, true, true, false);
    EXPECT_EQ(ctx->engine.core.styleNumber, 12);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_EQ(prompt.firstLines.back(), "Save changes to style 12?");
    prompt.answers = {2};
    prompt.asked = 0;
    EXPECT_FALSE(app().newSession(false));
    EXPECT_TRUE(workingHasEdit());
    prompt.asked = 0;
    EXPECT_FALSE(app().openSession(dir.file("none.qvs")));
    EXPECT_TRUE(workingHasEdit());
    EXPECT_EQ(readBytes(styles + "/12.qms"), source);
    // Yes and overwrite: the style is written, then the other style is chosen.
    const std::string expected = expectedBytes();
    prompt.answers = {0, 0};
    prompt.asked = 0;
    app().selectStyle(3, true, true, false);
    EXPECT_EQ(ctx->engine.core.styleNumber, 3);
    EXPECT_EQ(readBytes(styles + "/12.qms"), expected);
    EXPECT_FALSE(buffer().edited);
    app().selectStyle(12, true, false, false);
    EXPECT_TRUE(workingHasEdit());
}

TEST_F(Edits, ASessionStyleChangedWithoutAQuestionKeepsTheEditedStyleOnCancel) {
    edit();
    ctx->engine.core.styleNumber = 3; // as if a command changed it behind the programmer's back
    prompt.answers = {2};
    app().selectStyle(-1, false, false, false);
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(ctx->engine.core.styleNumber, 12);
    EXPECT_TRUE(workingHasEdit());
    EXPECT_TRUE(buffer().edited);
}

TEST_F(Edits, FileNamesForStylesWithoutASourceFile) {
    buffer().styleId = 7;
    buffer().sourcePath.clear();
    EXPECT_EQ(buffer().overwritePath("/x/Styles"), "/x/Styles/007.qms");
    buffer().sourcePath = "/y/105.qms";
    EXPECT_EQ(buffer().overwritePath("/x/Styles"), "/y/105.qms");
    EXPECT_EQ(StyleEditBuffer::paddedNumber(105), "105");
    EXPECT_EQ(StyleEditBuffer::paddedNumber(12), "012");
    EXPECT_EQ(StyleEditBuffer::paddedNumber(-1), "000");
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 1;
    t.tm_min = 2;
    t.tm_sec = 59;
    EXPECT_EQ(StyleEditBuffer::packDateTime(t),
              (46ull << 25) | (12u << 21) | (9u << 16) | (1u << 11) | (2u << 5) | 29u);
}

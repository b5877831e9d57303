// The session document flows of the main object: new, open, save, save as and the unsaved-changes
// question, with a scripted prompt and scripted file dialogs; the stores and the history of the
// program context.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/documentdialogs.h"
#include "app/startup.h"
#include "engine/sessionfile.h"
#include "foundation/textfile.h"
#include "play_harness.h"
#include "tests/common/scratchsetup.h"
#include "tests/common/sessiondoc.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

class ScriptedDialogs : public FileDialogs {
  public:
    std::vector<std::string> answers; // each call takes the next; an empty text cancels
    struct Call {
        bool save;
        std::string proposed, title, filter, folder;
    };
    std::vector<Call> calls;

    bool runOpenDialog(std::string& fileName, const std::string& title, const std::string& filter,
                       const std::string& initialDir) override {
        return answer(false, fileName, title, filter, initialDir);
    }
    bool runSaveDialog(std::string& fileName, const std::string& title, const std::string& filter,
                       const std::string& initialDir) override {
        return answer(true, fileName, title, filter, initialDir);
    }

  private:
    bool answer(bool save, std::string& fileName, const std::string& title, const std::string& filter,
                const std::string& folder) {
        calls.push_back({save, fileName, title, filter, folder});
        if (answers.empty()) return false;
        std::string a = answers.front();
        answers.erase(answers.begin());
        if (a.empty()) return false;
        fileName = a;
        return true;
    }
};

std::string fixture(const std::string& name) {
    return std::string(QV_TEST_DATA) + "/session/" + name;
}

std::vector<std::string> linesOf(const Llist<std::string>& l) {
    return std::vector<std::string>(l.begin(), l.end());
}

class Flow : public ::testing::Test {
  protected:
    play::Player p;
    ScriptedDialogs dialogs;

    void SetUp() override {
        p.addStyle(play::style44(1));
        p.addStyle(play::makeStyle(14, 4, 16, {play::makeTrack(0, 1, 0, {play::sn(36, 100, 0, 1)})}));
        p.app().fileDialogs = &dialogs;
        p.app().newSession(true);
        p.ctx->history.reset("[New session]");
    }

    QuoVelanta& app() { return p.app(); }
    QvHistory& history() { return p.ctx->history; }

    // One edit recorded, so that there is something to save.
    void edit() {
        p.core().pages.at(0).addChord(QvChord(2, 1, 0, kAutoBassArg, false, 48), -1);
        history().record("Edit chord", false);
    }
};

} // namespace

TEST_F(Flow, NoQuestionWithoutChangesOrWithTheWarningOff) {
    EXPECT_TRUE(app().newSession(false));
    EXPECT_EQ(p.prompt.asked, 0);
    edit();
    history().modified = false; // saved
    EXPECT_TRUE(app().querySaveChanges());
    history().modified = true;
    p.engine().options.warnSessionDelete = false;
    EXPECT_TRUE(app().newSession(false));
    EXPECT_EQ(p.prompt.asked, 0);
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().description(0), "[New session]");
}

TEST_F(Flow, AnswersToTheQuestion) {
    edit();
    app().sessionPath = p.dir.file("my.songs/Blue Sky.qvs");
    std::filesystem::create_directories(p.dir.file("my.songs"));
    // Cancel and a closed box stop the command.
    p.prompt.answers = {2, -1};
    EXPECT_FALSE(app().newSession(false));
    EXPECT_EQ(p.prompt.lastButtons, PromptButtons::YesNoCancel);
    EXPECT_EQ(linesOf(p.prompt.lastLines), std::vector<std::string>{"Save changes to session Blue Sky?"});
    EXPECT_FALSE(app().newSession(false));
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 1);
    // No goes on without saving.
    p.prompt.answers = {1};
    p.prompt.asked = 0;
    EXPECT_TRUE(app().newSession(false));
    EXPECT_FALSE(fileExists(p.dir.file("my.songs/Blue Sky.qvs")));
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 0);
    EXPECT_TRUE(app().sessionPath.empty());
}

TEST_F(Flow, YesGoesOnOnlyAfterASuccessfulSave) {
    edit();
    // A new session: Yes runs Save As; cancelling it stops the command.
    p.prompt.answers = {0};
    dialogs.answers = {""};
    EXPECT_FALSE(app().newSession(false));
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 1);
    EXPECT_TRUE(history().modified);
    // A write that fails stops it too, keeps the changes and says so (No to another name).
    p.prompt.answers = {0, 1};
    p.prompt.asked = 0;
    dialogs.answers = {p.dir.file("missing/song.qvs")};
    EXPECT_FALSE(app().newSession(false));
    EXPECT_EQ(p.prompt.asked, 2);
    EXPECT_EQ(p.prompt.lastLines.at(0), "Failed to save file.");
    EXPECT_TRUE(history().modified);
    EXPECT_TRUE(app().sessionPath.empty());
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 1);
    // A save that works goes on.
    std::string path = p.dir.file("song.qvs");
    p.prompt.answers = {0};
    p.prompt.asked = 0;
    dialogs.answers = {path};
    EXPECT_TRUE(app().newSession(false));
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 0);
    EXPECT_FALSE(history().modified);
}

TEST_F(Flow, SaveNewSessionGoesThroughSaveAs) {
    edit();
    std::string path = p.dir.file("first.qvs");
    dialogs.answers = {path};
    EXPECT_TRUE(app().saveSession());
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].save);
    EXPECT_EQ(dialogs.calls[0].title, "Save As");
    EXPECT_EQ(dialogs.calls[0].filter, "QuoVelanta Session (*.qvs)| *.qvs");
    EXPECT_EQ(dialogs.calls[0].folder, exeFolder() + "Samples/");
    EXPECT_EQ(app().sessionPath, path);
    EXPECT_EQ(p.engine().options.lastSessionFolder, p.dir.file(""));
    EXPECT_EQ(p.ctx->recentFiles.entries.at(0), path);
    EXPECT_FALSE(history().modified);
    // Saving again writes the same path without a dialog.
    edit();
    EXPECT_TRUE(app().saveSession());
    EXPECT_EQ(dialogs.calls.size(), 1u);
    EXPECT_FALSE(history().modified);
    // The file holds the session and opens again.
    EXPECT_TRUE(app().newSession(true));
    EXPECT_TRUE(app().openSession(path));
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 2);
    EXPECT_EQ(history().description(0), "[Open session]");
    EXPECT_FALSE(history().modified);
}

TEST_F(Flow, FailedSaveKeepsTheSessionModified) {
    app().sessionPath = p.dir.file("gone/song.qvs");
    edit();
    EXPECT_FALSE(app().saveSession());
    EXPECT_TRUE(history().modified);
    // The message names the file and the reason, and offers another name.
    EXPECT_EQ(linesOf(p.prompt.lastLines),
              (std::vector<std::string>{"Failed to save file.", "File: " + p.dir.file("gone/song.qvs"),
                                        "The file or its folder does not exist.", "",
                                        "Save the session under another name?"}));
    EXPECT_EQ(p.prompt.lastButtons, PromptButtons::YesNo);
    // Save As onto a path that cannot be written keeps the old name and lists nothing.
    dialogs.answers = {p.dir.file("nowhere/other.qvs")};
    EXPECT_FALSE(app().saveSessionAs());
    EXPECT_EQ(app().sessionPath, p.dir.file("gone/song.qvs"));
    EXPECT_EQ(p.ctx->recentFiles.entries.count(), 0);
    EXPECT_TRUE(history().modified);
    // Yes to another name: the session is saved there and belongs to it.
    p.prompt.answers = {0};
    p.prompt.asked = 0;
    dialogs.answers = {p.dir.file("other.qvs")};
    EXPECT_TRUE(app().saveSession());
    EXPECT_EQ(app().sessionPath, p.dir.file("other.qvs"));
    EXPECT_TRUE(fileExists(p.dir.file("other.qvs")));
    EXPECT_FALSE(history().modified);
}

TEST_F(Flow, OpenAFullSessionFile) {
    p.start();
    ASSERT_TRUE(app().openSession(fixture("full36.qvs")));
    EXPECT_FALSE(p.clk().isPlaying());
    EXPECT_EQ(app().sessionPath, fixture("full36.qvs"));
    EXPECT_EQ(app().fileVersion, "2.2");
    EXPECT_EQ(p.core().styleNumber, 14);
    EXPECT_EQ(p.core().tempoValue, 133);
    EXPECT_EQ(p.core().pageSlots.count(), 6);
    EXPECT_EQ(p.prompt.asked, 0);
    EXPECT_EQ(p.ctx->recentFiles.entries.at(0), fixture("full36.qvs"));
    EXPECT_EQ(history().count(), 1);
    EXPECT_TRUE(app().querySaveChanges());
    EXPECT_EQ(p.prompt.asked, 0);
    // Written back through the main object, the file is byte for byte the same.
    std::string copy = p.dir.file("copy.qvs");
    app().sessionPath = copy;
    ASSERT_TRUE(app().saveSession());
    std::string a, b;
    ASSERT_TRUE(readFileBytes(copy, a));
    ASSERT_TRUE(readFileBytes(fixture("full36.qvs"), b));
    EXPECT_TRUE(a == b);
}

TEST_F(Flow, WhatReadingLeftOutIsToldOnceAndTheSessionCountsAsChanged) {
    p.addStyle(play::style34(2));
    std::string slots;
    for (int i = 0; i < kMaxPageSlots + 5; ++i) slots += "i=0\r\n";
    const std::string path = p.dir.file("Long Song.qvs");
    ASSERT_TRUE(
        writeFileAtomic(path, "<QuoVelanta Session>\r\nstyle=2\r\n<chord page 0>\r\n<chords>\r\nlen=0\r\n"
                              "</chords>\r\n</chord page 0>\r\n<pageSlots>\r\n" +
                                  slots + "</pageSlots>\r\n</QuoVelanta Session>\r\n"));
    p.prompt.answers = {0, 2}; // OK to the report, Cancel to the question
    ASSERT_TRUE(app().openSession(path));
    EXPECT_EQ(linesOf(p.prompt.lastLines),
              (std::vector<std::string>{
                  "Not all of Long Song.qvs fits a session; this was left out or shortened:",
                  "5 page sequence entries beyond the 80 the sequence holds: left out.",
                  "Saving over the file loses it for good; Save As keeps the file as it is."}));
    EXPECT_EQ(p.core().pages.at(0).chordLength(0), kShortestChord34); // a chord of no length: a 3/4 beat
    EXPECT_EQ(history().count(), 1);
    EXPECT_FALSE(app().newSession(false));
    EXPECT_EQ(linesOf(p.prompt.lastLines), std::vector<std::string>{"Save changes to session Long Song?"});
    ASSERT_TRUE(app().saveSession());
    EXPECT_TRUE(app().newSession(false));
    EXPECT_EQ(p.prompt.asked, 2);
}

TEST_F(Flow, TheLargestSessionOpenedFromItsFileKeepsItsUndoStepsSmall) {
    fillLargestSession(p.core());
    const std::string path = p.dir.file("largest.qvs");
    ASSERT_EQ(app().writeSessionFile(path), FileProblem::None);
    ASSERT_TRUE(app().openSession(path));
    EXPECT_EQ(p.prompt.asked, 0); // nothing left out
    for (int i = 0; i < 120; ++i) {
        p.core().pages.at(i % kPageCount).chords.at(0).key = i % 12;
        history().record("Edit chord", false);
    }
    // AddressSanitizer's own heap and shadow memory would be counted too.
    if (kAddressSanitizer) GTEST_SKIP() << "resident memory is not measured under AddressSanitizer";
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    ASSERT_NE(statm, nullptr);
    ASSERT_EQ(std::fscanf(statm, "%ld %ld", &pages, &resident), 2);
    std::fclose(statm);
    const double mb = double(resident) * double(sysconf(_SC_PAGESIZE)) / double(1 << 20);
    std::printf("largest session opened from its file, 100 undo steps: %.1f MB resident\n", mb);
    EXPECT_LT(mb, 300.0);
}

TEST_F(Flow, OpenAMissingFile) {
    std::string gone = p.dir.file("moved.qvs");
    p.ctx->recentFiles.add(gone);
    p.prompt.answers = {0};
    EXPECT_FALSE(app().openSession(gone));
    EXPECT_EQ(
        linesOf(p.prompt.lastLines),
        (std::vector<std::string>{
            "Sorry, the file does not exist. Maybe it has been moved to another folder.", "File: " + gone}));
    EXPECT_EQ(p.ctx->recentFiles.entries.count(), 0);
}

TEST_F(Flow, FileCutShortLeavesTheSessionAsItWas) {
    app().sessionPath = p.dir.file("current.qvs");
    p.core().pages.at(5).addChord(QvChord(), -1);
    p.core().styleNumber = 7;
    history().record("Insert chord", false);
    p.prompt.answers = {1}; // no need to save first
    EXPECT_FALSE(app().openSession(fixture("truncated.qvs")));
    EXPECT_EQ(linesOf(p.prompt.lastLines),
              (std::vector<std::string>{"Failed to open file.", "File: " + fixture("truncated.qvs"),
                                        "It is not a session file, or it is incomplete."}));
    EXPECT_EQ(app().sessionPath, p.dir.file("current.qvs"));
    EXPECT_EQ(p.core().styleNumber, 7);
    EXPECT_EQ(p.core().pages.at(5).chordCount(), 1);
    EXPECT_EQ(p.ctx->recentFiles.entries.count(), 0);
    EXPECT_EQ(history().count(), 2);
    EXPECT_TRUE(history().modified);
}

TEST_F(Flow, NewerVersionAndUnknownStyle) {
    std::vector<std::string> firstLines;
    p.prompt.onAsk = [&] { firstLines.push_back(p.prompt.lastLines.at(0)); };
    ASSERT_TRUE(app().openSession(fixture("badvalues.qvs")));
    p.prompt.onAsk = nullptr;
    ASSERT_EQ(firstLines.size(), 3u); // the newer version, the style, and last what reading left out
    EXPECT_EQ(firstLines[1], "Music style 2 not found.");
    EXPECT_EQ(p.prompt.lastLines.at(1), "2 page sequence entries naming no page: left out.");
    EXPECT_EQ(app().fileVersion, "2.2");
    EXPECT_EQ(p.core().styleNumber, 1);
    p.prompt.asked = 0;
    p.engine().options.warnSessionDelete = false; // the notices below come without a save question
    std::string newer = p.dir.file("newer.qvs");
    ASSERT_TRUE(writeFileAtomic(
        newer, "<QuoVelanta Session>\r\nfileVersion=3.0\r\nstyle=1\r\n</QuoVelanta Session>\r\n"));
    ASSERT_TRUE(app().openSession(newer));
    ASSERT_EQ(p.prompt.asked, 1);
    EXPECT_EQ(linesOf(p.prompt.lastLines),
              (std::vector<std::string>{
                  "This file has been created with a higher version (v3.0) of QuoVelanta than "
                  "you are currently running (v2.2).",
                  "QuoVelanta can still open the file, but note that some musical elements or "
                  "functions may be different or missing.",
                  "Please update your software at http://www.quovelanta.example to take advantage "
                  "of the latest features."}));
    EXPECT_EQ(app().fileVersion, "2.2");
    for (const char* version : {"2.2", "2.1", "10"}) {
        p.prompt.asked = 0;
        ASSERT_TRUE(writeFileAtomic(newer, std::string("<QuoVelanta Session>\r\nfileVersion=") + version +
                                               "\r\nstyle=1\r\n</QuoVelanta Session>\r\n"));
        ASSERT_TRUE(app().openSession(newer));
        EXPECT_EQ(p.prompt.asked, 0) << version;
    }
}

TEST_F(Flow, LegacyWaltzSessionShowsTheNotice) {
    p.addStyle(play::makeStyle(26, 4, 12, {play::makeTrack(0, 1, 0, {play::sn(36, 100, 0, 1)}, 12)}));
    ASSERT_TRUE(app().openSession(fixture("legacy11.qvs")));
    ASSERT_EQ(p.prompt.asked, 1);
    ASSERT_EQ(p.prompt.lastLines.count(), 11);
    EXPECT_EQ(p.prompt.lastLines.at(0),
              "The session you are opening is saved in 'Waltz' style with version 1.1 of "
              "QuoVelanta. The time signature of this style");
    EXPECT_EQ(p.prompt.lastLines.at(3), "");
    EXPECT_EQ(p.prompt.lastLines.at(8),
              "B. Send your session file to support@quovelanta.example, and we will convert it for you.");
    EXPECT_EQ(
        p.prompt.lastLines.at(10),
        "We are sorry for the inconvenience. There will be no similar problems in the future. Thank you.");
    EXPECT_EQ(app().fileVersion, "1.1");
    EXPECT_TRUE(p.core().loopRegionActive);
    EXPECT_EQ(p.core().loopMode, 0);
}

TEST_F(Flow, OpenThroughTheDialog) {
    // Cancelled: nothing happens.
    dialogs.answers = {""};
    EXPECT_FALSE(app().openSession(""));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_FALSE(dialogs.calls[0].save);
    EXPECT_EQ(dialogs.calls[0].title, "Open");
    EXPECT_EQ(dialogs.calls[0].folder, exeFolder() + "Samples/");
    // Chosen: opened, and its folder is remembered.
    dialogs.answers = {fixture("nokey.qvs")};
    EXPECT_TRUE(app().openSession(""));
    EXPECT_EQ(p.engine().options.lastSessionFolder, std::string(QV_TEST_DATA) + "/session/");
    EXPECT_EQ(p.core().key, 0);
    dialogs.answers = {""};
    app().openSession("");
    EXPECT_EQ(dialogs.calls.back().folder, std::string(QV_TEST_DATA) + "/session/");
}

TEST_F(Flow, UndoRedoAndJumpMarkTheSessionModified) {
    edit();
    dialogs.answers = {p.dir.file("saved.qvs")};
    ASSERT_TRUE(app().saveSession());
    ASSERT_FALSE(history().modified);
    int panels = p.host.panels;
    history().undo();
    EXPECT_TRUE(history().modified);
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 0);
    EXPECT_GT(p.host.panels, panels);
    // Nothing is lost silently: New now asks.
    p.prompt.answers = {2};
    p.prompt.asked = 0;
    EXPECT_FALSE(app().newSession(false));
    EXPECT_EQ(p.prompt.asked, 1);
    history().redo();
    EXPECT_EQ(p.core().pages.at(0).chordCount(), 1);
    EXPECT_TRUE(history().modified);
}

TEST_F(Flow, UndoWhilePlayingStopsPlayback) {
    edit();
    p.start();
    p.poll(300);
    ASSERT_TRUE(p.clk().isPlaying());
    history().undo();
    EXPECT_FALSE(p.clk().isPlaying());
    EXPECT_FALSE(app().playButtonOn);
}

TEST(FlowContext, StoresLoadAtStartAndSaveAtExit) {
    play::ScratchFolder dir;
    std::string notes = dir.file("globalNotes.cfg");
    std::string mixes = dir.file("customStyleMixes.dat");
    ASSERT_TRUE(
        writeFileAtomic(notes, "<QuoVelanta Global Notes>\r\n<globalNotes>\r\ni=keep me\r\n</globalNotes>\r\n"
                               "</QuoVelanta Global Notes>\r\n"));
    auto makeContext = [&](ClosedPrompt& prompt) { return scratchSetup(dir, nullptr, nullptr, &prompt); };
    ClosedPrompt prompt;
    {
        QvContext ctx(makeContext(prompt));
        ASSERT_EQ(ctx.globalNotes.notes.count(), 1);
        EXPECT_EQ(ctx.globalNotes.notes.at(0), "keep me");
        EXPECT_EQ(ctx.customStyleMixes.mixes.count(), 0);
        EXPECT_EQ(ctx.history.count(), 1);
        EXPECT_EQ(ctx.app.history, &ctx.history);
        ctx.globalNotes.notes.add("added");
        ctx.engine.core.mix.volDrums = 0.25;
        ctx.customStyleMixes.storeCurrentMix(ctx.engine.core.mix, 7);
    }
    std::string text;
    ASSERT_TRUE(readFileBytes(notes, text));
    EXPECT_NE(text.find("i=added"), std::string::npos);
    ASSERT_TRUE(readFileBytes(mixes, text));
    EXPECT_NE(text.find("forStyle=7"), std::string::npos);
    {
        QvContext ctx(makeContext(prompt));
        ASSERT_EQ(ctx.customStyleMixes.mixes.count(), 1);
        EXPECT_DOUBLE_EQ(ctx.customStyleMixes.mixes.at(0).volDrums, 0.25);
        ctx.customStyleMixes.removeMix(7);
    }
    EXPECT_FALSE(fileExists(mixes));
    // A damaged notes file is kept aside, said once, and a fresh one written.
    const std::string damaged = "<QuoVelanta Global Notes>\r\n<globalNotes>\r\ni=half";
    ASSERT_TRUE(writeFileAtomic(notes, damaged));
    takeStoreNotices();
    { QvContext ctx(makeContext(prompt)); }
    ASSERT_TRUE(readFileBytes(notes + ".bad", text));
    EXPECT_EQ(text, damaged);
    ASSERT_TRUE(readFileBytes(notes, text));
    EXPECT_NE(text.find("</QuoVelanta Global Notes>"), std::string::npos);
    Llist<std::string> said = takeStoreNotices();
    ASSERT_EQ(said.count(), 1);
    EXPECT_NE(said.at(0).find("globalNotes.cfg.bad"), std::string::npos);
}

TEST(FlowContext, UnreadableStoreIsKeptAsideAndAFailedExitSaveIsReported) {
    play::ScratchFolder dir;
    std::filesystem::create_directories(dir.file("options.cfg")); // a folder where the file belongs
    takeStoreNotices();
    play::ScriptedPrompt prompt;
    QvContext::Setup setup = scratchSetup(dir, nullptr, nullptr, &prompt);
    setup.recentPath = dir.file("gone/recent.cfg"); // its folder does not exist: cannot be written
    QvContext ctx(std::move(setup));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("options.cfg.bad")));
    Llist<std::string> said = takeStoreNotices();
    ASSERT_EQ(said.count(), 1);
    EXPECT_NE(said.at(0).find("options.cfg.bad"), std::string::npos);
    saveStoresAtExit(ctx, nullptr);
    EXPECT_TRUE(fileExists(dir.file("options.cfg")));
    EXPECT_EQ(linesOf(prompt.lastLines),
              (std::vector<std::string>{"Some settings could not be saved:",
                                        dir.file("gone/recent.cfg") + " could not be written."}));
}

// With no export folder remembered, or one that is gone, the export dialogs start in the session's
// folder, or for a new session (or one whose folder is gone) in the Samples folder, never in the
// process's working folder.
TEST_F(Flow, ExportDialogsStartWhereTheSessionIs) {
    p.engine().options.lastExportFolder.clear();
    std::filesystem::create_directories(p.dir.file("songs"));
    app().sessionPath = p.dir.file("songs/Blue Sky.qvs");
    EXPECT_FALSE(app().saveMidiFileAs());
    p.engine().options.lastExportFolder = p.dir.file("removed/");
    EXPECT_FALSE(app().saveChordsAsText());
    app().sessionPath = p.dir.file("gone/Blue Sky.qvs");
    EXPECT_FALSE(app().saveMidiFileAs());
    app().sessionPath.clear();
    EXPECT_FALSE(app().saveChordsAsText());
    ASSERT_EQ(dialogs.calls.size(), 4u);
    EXPECT_EQ(dialogs.calls[0].folder, p.dir.file("songs/"));
    EXPECT_EQ(dialogs.calls[1].folder, p.dir.file("songs/"));
    EXPECT_EQ(dialogs.calls[2].folder, exeFolder() + "Samples/");
    EXPECT_EQ(dialogs.calls[3].folder, exeFolder() + "Samples/");
}

TEST_F(Flow, ExportCommandsProposeTheSessionName) {
    p.use(1);
    p.core().pages.at(0).addChord(QvChord(0, 0, 0, kAutoBassArg, false, 96), -1);
    p.core().pages.at(0).addChord(QvChord(7, 0, 0, kAutoBassArg, false, 48), -1);
    p.core().pages.at(0).addChord(QvChord(5, 0, 0, kAutoBassArg, false, 24), -1);
    std::filesystem::create_directories(p.dir.file("my.songs"));
    app().sessionPath = p.dir.file("my.songs/Blue Sky.qvs");
    p.engine().options.lastExportFolder = p.dir.file("exports/");
    std::filesystem::create_directories(p.dir.file("exports"));
    // Cancelled: nothing is written.
    dialogs.answers = {"", ""};
    EXPECT_FALSE(app().saveMidiFileAs());
    EXPECT_FALSE(app().saveChordsAsText());
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].proposed, "Blue Sky.mid");
    EXPECT_EQ(dialogs.calls[0].title, "Save As MIDI File");
    EXPECT_EQ(dialogs.calls[0].filter, "MIDI Files (*.mid)| *.mid");
    EXPECT_EQ(dialogs.calls[0].folder, p.dir.file("exports/"));
    EXPECT_EQ(dialogs.calls[1].proposed, "Blue Sky.txt");
    EXPECT_EQ(dialogs.calls[1].title, "Save Chords As Text");
    EXPECT_EQ(dialogs.calls[1].filter, "Text Documents (*.txt)| *.txt");
    // Confirmed: both files are written and the folder is remembered.
    std::string mid = p.dir.file("out/Blue Sky.mid");
    std::string txt = p.dir.file("out/Blue Sky.txt");
    std::filesystem::create_directories(p.dir.file("out"));
    dialogs.answers = {mid, txt};
    EXPECT_TRUE(app().saveMidiFileAs());
    EXPECT_TRUE(fileExists(mid));
    EXPECT_TRUE(app().saveChordsAsText());
    EXPECT_EQ(p.engine().options.lastExportFolder, p.dir.file("out/"));
    std::string chart;
    ASSERT_TRUE(readFileBytes(txt, chart));
    EXPECT_EQ(chart, "Session: Blue Sky.qvs\r\nFolder: " + p.dir.file("my.songs/") +
                         "\r\nStyle: Test 1\r\nTempo: 120 BPM\r\nPage sequence: 1 \r\n" +
                         std::string(50, '-') + "\r\nPage 1:\r\n| C . . . | . . . | G . . . | F . . . |\r\n");
    // A new session proposes no name; a chart that cannot be written is reported.
    app().sessionPath.clear();
    dialogs.answers = {p.dir.file("none/chart.txt")};
    p.prompt.asked = 0;
    EXPECT_FALSE(app().saveChordsAsText());
    EXPECT_EQ(dialogs.calls.back().proposed, "");
    EXPECT_EQ(linesOf(p.prompt.lastLines), std::vector<std::string>{"Failed to save file."});
}

// The sample sessions: each is written exactly as the program writes sessions, names a shipped style,
// keeps its chords and points on that style's beat grid, shows what it was made to show, and plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

#include "app/qvcontext.h"
#include "engine/sessionfile.h"
#include "platform/clock.h"
#include "platform/recordingmidibackend.h"
#include "tests/common/sessiondoc.h"
#include "tests/data/shipped_data.h"
#include "tests/data/style_checks.h"

using namespace shipped;
namespace fs = std::filesystem;

namespace {

// Counts every question; answers as if the box were closed.
class CountingPrompt : public Prompt {
  public:
    int questions = 0;
    int messageBox(const Llist<std::string>&, PromptButtons, const std::string&) override {
        ++questions;
        return -1;
    }
};

bool load(SessionDoc& doc, const std::string& path) {
    doc.core.reset();
    return doc.loadFile(kSessionHeader, path);
}

std::string bytesOf(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

const std::string& nameOf(const std::string& path) {
    static std::string name;
    name = fs::path(path).filename().string();
    return name;
}

std::string sampleNamed(const std::string& part) {
    for (const std::string& p : samplePaths())
        if (p.find(part) != std::string::npos) return p;
    ADD_FAILURE() << "no sample session named like " << part;
    return {};
}

// The render of a song cut to the chords that its bass and its chord parts both play: an intro of
// drums alone, a bar of silence or of the bass alone leaves the harmony to the soloist.
StyleRender playedChords(StyleRender r) {
    std::set<int> bass, chords;
    for (int t = 1; t < 7; ++t)
        if (r.style.tracks.at(t).mode != 0)
            (r.style.tracks.at(t).type == 1 ? bass : chords).insert(r.channelOfTrack[t]);
    const std::vector<Sounding> notes = soundingNotes(r, nullptr);
    auto plays = [&notes](const std::set<int>& channels, const ChordSpan& span) {
        return std::any_of(notes.begin(), notes.end(), [&](const Sounding& n) {
            return channels.count(n.channel) && n.on >= span.start && n.on < span.end;
        });
    };
    std::erase_if(r.chords,
                  [&](const ChordSpan& span) { return !plays(bass, span) || !plays(chords, span); });
    return r;
}

} // namespace

TEST(SampleSessions, EverySampleIsWrittenExactlyAsTheProgramWritesSessions) {
    const std::vector<std::string> paths = samplePaths();
    ASSERT_GE(paths.size(), 5u);
    const std::string out = freshFolder("sessions");
    for (const std::string& path : paths) {
        SessionDoc doc;
        ASSERT_TRUE(load(doc, path)) << path;
        EXPECT_EQ(doc.fileVersion, kSessionVersion) << path;
        EXPECT_FALSE(doc.waltzNotice) << path;
        EXPECT_FALSE(isVersionNewer(kSessionVersion, doc.fileVersion)) << path;
        const std::string copy = out + "/" + nameOf(path);
        ASSERT_TRUE(doc.saveFile(kSessionHeader, copy));
        EXPECT_EQ(bytesOf(copy), bytesOf(path)) << path;
    }
    fs::remove_all(out);
}

TEST(SampleSessions, EverySampleOpensWithoutAQuestionAndPlays) {
    for (const std::string& path : samplePaths()) {
        const std::string work = freshFolder("play");
        FakeClock clock(1000);
        CountingPrompt prompt;
        QvContext::Setup setup = testSetup(work, clock, stylesFolder());
        setup.prompt = &prompt;
        {
            QvContext ctx(std::move(setup));
            QvEngine& engine = ctx.engine;
            QvCore& core = engine.core;
            ASSERT_TRUE(ctx.app.openSession(path)) << path;
            EXPECT_EQ(ctx.app.sessionPath, path);
            EXPECT_EQ(engine.styles.current().id, core.styleNumber) << path;
            EXPECT_EQ(ctx.history.count(), 1) << path;

            // Two bars from the start of the song, captured.
            MidiOutput& midi = *ctx.midi;
            core.playFrom(0, false, false);
            midi.startMidiCapture();
            core.applyMix(core.masterVolume(), true);
            ctx.app.togglePlay();
            const int end = 2 * core.stepsPerBar() * 8;
            while (midi.captureTime < end) core.updatePlayback(false, false);
            std::set<int> channels;
            for (int i = 0; i < midi.captureList.count(); ++i) {
                const MidiEvent& e = midi.captureList.at(i);
                if ((e.status & 0xF0) == 0x90 && e.data2 > 0) channels.insert(e.channel());
            }
            midi.capturing = false;
            if (engine.stepControl.isPlaying()) ctx.app.togglePlay();
            EXPECT_GE(channels.size(), 2u) << path << ": too few parts sound in the first two bars";
        }
        EXPECT_EQ(prompt.questions, 0) << path;
        fs::remove_all(work);
    }
}

TEST(SampleSessions, EverySongHasTheRightBassInPlayableParts) {
    StyleRenderer renderer(stylesFolder());
    for (const std::string& path : samplePaths()) {
        const StyleRender r = playedChords(renderer.renderSession(path));
        ASSERT_FALSE(r.chords.empty()) << path;
        for (const auto& problems :
             {renderProblems(r), bassProblems(r), partProblems(r), arrangingProblems(r)})
            EXPECT_TRUE(problems.empty()) << nameOf(path) << ":\n" << joined(problems);
    }
}

TEST(SampleSessions, ChordsAndPointsLieOnTheirStylesBeatGrid) {
    Styles library(stylesFolder());
    for (const std::string& path : samplePaths()) {
        SessionDoc doc;
        ASSERT_TRUE(load(doc, path));
        ASSERT_GE(library.indexOfId(doc.core.styleNumber), 0) << path;
        const int beat = library.is34(doc.core.styleNumber) ? 16 : 12;
        for (int p = 0; p < kPageCount; ++p) {
            const QvPage& page = doc.core.pages.at(p);
            int end = 0;
            for (int c = 0; c < page.chordCount(); ++c) {
                EXPECT_EQ(page.chordLength(c) % beat, 0) << path << " page " << p << " chord " << c;
                end += page.chordLength(c);
            }
            EXPECT_LE(end, 768) << path << " page " << p;
            for (int a = 0; a < page.apointCount(); ++a) {
                EXPECT_EQ(page.apointAt(a).pos % beat, 0) << path << " page " << p << " point " << a;
                if (a > 0) {
                    EXPECT_GT(page.apointAt(a).pos, page.apointAt(a - 1).pos) << path;
                }
            }
        }
        for (int i = 0; i < doc.core.pageSlots.count(); ++i)
            EXPECT_GT(doc.core.pages.at(doc.core.pageSlots.at(i)).chordCount(), 0) << path << " entry " << i;
    }
}

TEST(SampleSessions, EachSampleShowsWhatItWasMadeFor) {
    Styles library(stylesFolder());
    auto styleOf = [&library](const SessionDoc& doc) -> const StyleFile& {
        return library.at(library.indexOfId(doc.core.styleNumber));
    };
    {
        // A 4/4 song of several pages, played in an order with repeats, with slash chords and inversions.
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Pop Song")));
        EXPECT_FALSE(styleOf(doc).is34());
        std::set<int> pages;
        for (int i = 0; i < doc.core.pageSlots.count(); ++i) pages.insert(doc.core.pageSlots.at(i));
        EXPECT_GE(pages.size(), 4u);
        EXPECT_GT(doc.core.pageSlots.count(), int(pages.size()));
        bool slash = false, inversion = false;
        for (int p : pages)
            for (int c = 0; c < doc.core.pages.at(p).chordCount(); ++c) {
                const QvChord chord = doc.core.pages.at(p).chordAt(c);
                slash = slash || !chord.autoBass;
                inversion = inversion || chord.inversion != 0;
            }
        EXPECT_TRUE(slash && inversion);
    }
    {
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Waltz")));
        EXPECT_TRUE(styleOf(doc).is34());
    }
    {
        // Every kind of arrangement point and every cymbal, with the automatic cymbals on.
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Arrangement")));
        std::set<int> kinds, cymbals;
        bool hitOnly = false, silentPoint = false;
        for (int p = 0; p < kPageCount; ++p)
            for (int a = 0; a < doc.core.pages.at(p).apointCount(); ++a) {
                QvAPoint point = doc.core.pages.at(p).apointAt(a);
                cymbals.insert(point.cym);
                hitOnly = hitOnly || !point.arrangeEnabled;
                silentPoint = silentPoint || !point.fillEnabled;
                for (int k = 0; k < 19; ++k)
                    if (point.applyKind(k, false, true).rfind("#", 0) == 0) kinds.insert(k);
            }
        EXPECT_EQ(kinds.size(), 19u);
        EXPECT_EQ(cymbals, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        EXPECT_TRUE(hitOnly && silentPoint);
        EXPECT_TRUE(doc.core.autoCymbal && doc.core.cymbalOnPageStart);
    }
    {
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Loop And Fade")));
        EXPECT_TRUE(doc.core.loopRegionActive);
        EXPECT_TRUE(doc.core.loopRegionUsable());
        EXPECT_NE(doc.core.fadeOutMode, 0);
        EXPECT_GE(doc.core.sessionNotes.count(), 2);
        int links = 0;
        for (int i = 0; i < doc.core.sessionLinks.count(); ++i)
            links += doc.core.sessionLinks.at(i).empty() ? 0 : 1;
        EXPECT_GE(links, 1);
    }
    {
        // A jazz tune in a swing style (a triplet grid), with sevenths, half-diminished and diminished
        // chords.
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Jazz Standard")));
        EXPECT_EQ(styleOf(doc).stepsPerBeat % 3, 0);
        EXPECT_NE(styleOf(doc).name.find("Swing"), std::string::npos);
        std::set<int> variants;
        for (int p = 0; p < kPageCount; ++p)
            for (int c = 0; c < doc.core.pages.at(p).chordCount(); ++c)
                variants.insert(doc.core.pages.at(p).chordAt(c).variant);
        for (int v : {4, 5, 6, 14, 15}) EXPECT_TRUE(variants.count(v)) << "variant " << v;
    }
    {
        // A twelve-bar blues whose sixth bar passes through the diminished chord on the sharp four.
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Slow Blues")));
        EXPECT_EQ(styleOf(doc).stepsPerBeat % 3, 0);
        const QvPage& page = doc.core.pages.at(0);
        ASSERT_GE(page.chordCount(), 6);
        const int tonic = page.chordAt(0).key;
        const QvChord sixth = page.chordAt(5);
        EXPECT_EQ(sixth.key, (tonic + 6) % 12);
        EXPECT_TRUE(sixth.variant == 3 || sixth.variant == 15) << "variant " << sixth.variant;
        EXPECT_EQ(page.chordAt(4).key, (tonic + 5) % 12);
    }
    {
        // The newer genres have their own songs: a minor bolero with its ii-V, a rock and roll twelve-bar
        // and a bluegrass tune, each in its style.
        SessionDoc doc;
        ASSERT_TRUE(load(doc, sampleNamed("Bolero")));
        EXPECT_NE(styleOf(doc).name.find("Bolero"), std::string::npos);
        std::set<int> variants;
        for (int c = 0; c < doc.core.pages.at(0).chordCount(); ++c)
            variants.insert(doc.core.pages.at(0).chordAt(c).variant);
        EXPECT_TRUE(variants.count(1) && variants.count(14) && variants.count(4));
        SessionDoc rock;
        ASSERT_TRUE(load(rock, sampleNamed("Rock And Roll")));
        EXPECT_NE(styleOf(rock).name.find("Rock And Roll"), std::string::npos);
        EXPECT_EQ(rock.core.pages.at(0).chordCount(), 12);
        SessionDoc grass;
        ASSERT_TRUE(load(grass, sampleNamed("Bluegrass")));
        EXPECT_NE(styleOf(grass).name.find("Bluegrass"), std::string::npos);
    }
}

// Every shipped style played over the fixed progression through the normal playback path and MIDI
// capture: notes in range, none left sounding, the bass on the root at chord changes, no doubled drum
// classes, chord tracks on chord tones, no silent track. The checks themselves are shown to catch a
// wrong chord tone, a stuck note and a silent track.
#include <filesystem>
#include <gtest/gtest.h>

#include "tests/data/shipped_data.h"

using namespace shipped;

namespace {

// A shipped style copied into a folder of its own, changed by `spoil`, and rendered.
template <class F> std::vector<std::string> problemsOfSpoiled(int id, F spoil) {
    const std::string folder = freshFolder("spoiled");
    StyleFile style;
    EXPECT_TRUE(copyStyle(id, folder, style));
    spoil(style);
    EXPECT_TRUE(style.save(folder + "/" + styleFileName(id)));
    std::vector<std::string> problems = renderProblems(renderStyle(folder, id, true));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return problems;
}

} // namespace

TEST(ShippedStyleRender, EveryStylePlaysSoundlyOverTheProgression) {
    const std::vector<int> ids = styleIdsIn(stylesFolder());
    ASSERT_GE(ids.size(), 35u);
    StyleRenderer renderer(stylesFolder());
    for (int id : ids) {
        StyleRender r = renderer.render(id, true);
        int noteOns = 0;
        for (const MidiEvent& e : r.events)
            if ((e.status & 0xF0) == 0x90 && e.data2 > 0) ++noteOns;
        // At least a note a beat over the twelve bars.
        EXPECT_GE(noteOns, 12 * r.style.stepsPerBar / r.style.stepsPerBeat) << styleFileName(id);
        const std::vector<std::string> problems = renderProblems(r);
        EXPECT_TRUE(problems.empty()) << styleFileName(id) << " " << r.style.name << ":\n"
                                      << joined(problems);
    }
}

TEST(ShippedStyleRender, ChordChangesAndSlashChordsReachTheBass) {
    // Pop Straight 8s: the bass plays E under C/E and F# under D/F#, on the first step of each.
    StyleRender r = renderStyle(stylesFolder(), 1, false);
    const int bassChannel = r.channelOfTrack[1];
    std::vector<int> firstNotes;
    for (const ChordSpan& span : r.chords)
        for (const MidiEvent& e : r.events)
            if (e.time == span.start && e.channel() == bassChannel && (e.status & 0xF0) == 0x90 &&
                e.data2 > 0) {
                firstNotes.push_back(e.data1 % 12);
                break;
            }
    EXPECT_EQ(firstNotes, (std::vector<int>{0, 9, 11, 4, 7, 7, 4, 5, 2, 10, 6, 7}));
}

TEST(ShippedStyleRender, ChecksCatchAWrongChordTone) {
    // The piano of Pop Straight 8s plays an F (65) in its C major voicing.
    const auto problems = problemsOfSpoiled(1, [](StyleFile& s) {
        StyleArp& arp = s.tracks.at(2).arp;
        for (int i = 0; i < arp.notes.count(); ++i)
            if (arp.notes.at(i).key == 64) arp.notes.at(i).key = 65;
    });
    EXPECT_TRUE(mentions(problems, "is not a tone of the chord")) << joined(problems);
}

TEST(ShippedStyleRender, ATensionIsHeardOnlyAsTheTopVoice) {
    // The piano of Jazz Ballad tops its second chord with the ninth; shipped, that is sound.
    StyleRenderer renderer(stylesFolder());
    int id = 0;
    for (int candidate : styleIdsIn(stylesFolder()))
        if (renderer.render(candidate, false).style.name.find("Jazz Ballad") != std::string::npos)
            id = candidate;
    ASSERT_GT(id, 0);
    const StyleRender shipped = renderer.render(id, true);
    EXPECT_TRUE(renderProblems(shipped).empty()) << joined(renderProblems(shipped));
    // With a third put above it the ninth is an inner voice, a clash rather than a colour.
    const auto problems = problemsOfSpoiled(id, [](StyleFile& s) {
        StyleArp& arp = s.tracks.at(2).arp;
        for (int i = 0; i < arp.notes.count(); ++i)
            if (arp.notes.at(i).key == 74) {
                arp.notes.insert(StyleNote(76, arp.notes.at(i).vel, arp.notes.at(i).pos, arp.notes.at(i).len),
                                 i + 1);
                break;
            }
    });
    EXPECT_TRUE(mentions(problems, "is not a tone of the chord")) << joined(problems);
}

TEST(ShippedStyleRender, ChecksCatchAStuckNote) {
    // The string pad (played once per chord change), one bar long, holds its chord for 200 steps.
    const auto problems = problemsOfSpoiled(1, [](StyleFile& s) {
        StyleArp& arp = s.tracks.at(3).arp;
        arp.length = s.stepsPerBar;
        for (int i = 0; i < arp.notes.count(); ++i) arp.notes.at(i).len = 200;
    });
    EXPECT_TRUE(mentions(problems, "left sounding to the end")) << joined(problems);
}

TEST(ShippedStyleRender, ChecksCatchASilentTrack) {
    // The picked guitar plays voices of a voicing it no longer has (strum height 0).
    auto problems = problemsOfSpoiled(1, [](StyleFile& s) { s.tracks.at(4).arp.strumHeight = 0; });
    EXPECT_TRUE(mentions(problems, "track 4 (Pop Guitar Picking): silent")) << joined(problems);
    // A track at volume 0 is a silent voice.
    problems = problemsOfSpoiled(1, [](StyleFile& s) { s.tracks.at(2).vol = 0; });
    EXPECT_TRUE(mentions(problems, "track 2 (Pop Piano Pulse): silent")) << joined(problems);
}

TEST(ShippedStyleRender, ChecksCatchABassOffTheRootAndDoubledDrums) {
    auto problems = problemsOfSpoiled(92, [](StyleFile& s) {
        StyleArp& arp = s.tracks.at(1).arp;
        arp.notes.at(0).key = 43;                                 // the bass starts every bar on the fifth
        s.tracks.at(0).arp.notes.add(StyleNote(35, 100, 0, 0.5)); // a second kick beside the first
    });
    EXPECT_TRUE(mentions(problems, "no bass note")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "two notes of one class")) << joined(problems);
}

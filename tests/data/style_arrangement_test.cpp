// The arranging of the shipped styles as a demanding player hears it: full chords in open registers
// without clashing voicings, one meter and one swing grid a style, phrases longer than a bar or two
// with fills at their ends, walking lines that walk, and no two styles with one groove. Each check is
// shown to catch a spoiled copy of a shipped style.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/styles.h"
#include "tests/data/style_checks.h"

using namespace shipped;

namespace {

int idNamed(const std::string& part) {
    Styles library(stylesFolder());
    for (int i = 0; i < library.count(); ++i)
        if (library.at(i).name.find(part) != std::string::npos) return library.at(i).id;
    ADD_FAILURE() << "no style named like " << part;
    return 1;
}

// A shipped style copied into a folder of its own, changed by `spoil`, and rendered.
template <class F> StyleRender renderSpoiled(int id, F spoil) {
    const std::string folder = freshFolder("spoiled");
    StyleFile style;
    EXPECT_TRUE(copyStyle(id, folder, style));
    spoil(style);
    EXPECT_TRUE(style.save(folder + "/" + styleFileName(id)));
    StyleRender r = renderEveryChordType(folder, id);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return r;
}

StyleFile loadShipped(int id) {
    StyleFile s;
    s.load(stylesFolder() + "/" + styleFileName(id));
    return s;
}

// Every note of the chord tracks of a style whose key is in `from` becomes `to` (or is removed when
// `to` is 0).
void replaceChordKeys(StyleFile& s, std::set<int> from, int to) {
    for (int t = 1; t < 7; ++t) {
        StyleTrack& track = s.tracks.at(t);
        if (track.type < 2) continue;
        Llist<StyleNote> kept;
        for (int i = 0; i < track.arp.notes.count(); ++i) {
            StyleNote n = track.arp.notes.at(i);
            if (from.count(n.key)) {
                if (to == 0) continue;
                n.key = to;
            }
            kept.add(n);
        }
        track.arp.notes = kept;
    }
}

// Turns off the chord tracks that play chord codes (they voice every tone of the chord by themselves).
void silenceCodeTracks(StyleFile& s) {
    for (int t = 1; t < 7; ++t)
        if (s.tracks.at(t).type == 3) {
            s.tracks.at(t).mode = 0;
            s.tracks.at(t).arp.notes.clear();
        }
}

} // namespace

TEST(ShippedStyleArrangement, EveryStyleVoicesFullChordsInOpenRegisters) {
    StyleRenderer renderer(stylesFolder());
    for (int id : styleIdsIn(stylesFolder())) {
        const StyleRender r = renderer.renderEveryChordType(id);
        const std::vector<std::string> problems = arrangementProblems(r);
        EXPECT_TRUE(problems.empty()) << styleFileName(id) << " " << r.style.name << ":\n"
                                      << joined(problems);
    }
}

TEST(ShippedStyleArrangement, EveryStyleKeepsOneMeterOneGridAndItsIdiom) {
    for (int id : styleIdsIn(stylesFolder())) {
        const StyleFile s = loadShipped(id);
        const std::vector<std::string> problems = patternProblems(s);
        EXPECT_TRUE(problems.empty()) << styleFileName(id) << " " << s.name << ":\n" << joined(problems);
    }
}

TEST(ShippedStyleArrangement, FiftyDistinctMainStylesHalfOfThemPhrasedOverFourBars) {
    Styles library(stylesFolder());
    int main = 0, phrased = 0, walking = 0;
    std::map<std::string, std::string> grooves;
    for (int i = 0; i < library.count(); ++i) {
        const StyleFile& s = library.at(i);
        const std::string fingerprint = grooveFingerprint(s);
        const auto [at, fresh] = grooves.emplace(fingerprint, s.name);
        EXPECT_TRUE(fresh) << s.name << " and " << at->second
                           << " share drums and bass rhythm: " << fingerprint;
        for (int j = 0; j < i; ++j) { // near clones: most drum hits shared, or many and the bass rhythm
            bool sameBass = false;
            const double shared = sharedDrumHits(s, library.at(j), sameBass);
            EXPECT_FALSE(shared >= 0.9 || (shared >= 0.7 && sameBass))
                << s.name << " and " << library.at(j).name << " share " << int(100 * shared)
                << " % of drum hits";
        }
        if (Styles::isUtilityStyle(s.id)) continue;
        ++main;
        if (isPhrased(s)) ++phrased;
        for (int t = 1; t < 7; ++t)
            if (s.tracks.at(t).mode != 0 && s.tracks.at(t).type == 1 &&
                s.tracks.at(t).arp.name.find("Walk") != std::string::npos)
                ++walking;
    }
    EXPECT_GE(main, 50);
    EXPECT_LE(main, 56) << "the selector's first page holds 56 styles";
    EXPECT_GE(2 * phrased, main) << phrased << " of " << main << " styles phrased over four bars or more";
    EXPECT_GE(walking, 3) << "walking bass lines";
}

// Every style over the thirteen bars of the fixed progression, as a session player hears it.
TEST(ShippedStyleArrangement, EveryStyleHasTheRightNotesInPlayableParts) {
    StyleRenderer renderer(stylesFolder());
    std::map<std::string, std::string> pads;
    for (int id : styleIdsIn(stylesFolder())) {
        const StyleRender r = renderer.render(id, true);
        for (const auto& problems : {bassProblems(r), partProblems(r), arrangingProblems(r)})
            EXPECT_TRUE(problems.empty()) << styleFileName(id) << " " << r.style.name << ":\n"
                                          << joined(problems);
        for (const std::string& pad : padFingerprints(r))
            EXPECT_TRUE(pads.emplace(pad, r.style.name).second)
                << r.style.name << " shares a pad with " << pads[pad];
    }
}

TEST(ShippedStyleArrangement, ChecksCatchAMissingSeventhThirdAndAMinorNinth) {
    const int id = idNamed("Jazz Ballad");
    ASSERT_TRUE(arrangementProblems(renderEveryChordType(stylesFolder(), id)).empty());
    // Without the colour tone the seventh chords lose their sevenths.
    auto problems = arrangementProblems(renderSpoiled(id, [](StyleFile& s) {
        silenceCodeTracks(s);
        replaceChordKeys(s, {57, 69, 81}, 0);
    }));
    EXPECT_TRUE(mentions(problems, "seventh or sixth of the chord")) << joined(problems);
    // Thirds written as fifths: no chord keeps its third.
    problems = arrangementProblems(renderSpoiled(id, [](StyleFile& s) {
        silenceCodeTracks(s);
        replaceChordKeys(s, {52, 64, 76}, 67);
    }));
    EXPECT_TRUE(mentions(problems, "the third of the chord")) << joined(problems);
    // A low colour tone under a C5 in one part: over a major seventh chord B3 against C5.
    problems = arrangementProblems(renderSpoiled(id, [](StyleFile& s) {
        for (int t = 1; t < 7; ++t) {
            StyleTrack& track = s.tracks.at(t);
            if (track.type != 2) continue;
            Llist<StyleNote> notes;
            notes.add(StyleNote(57, 80, 0, 4));
            notes.add(StyleNote(72, 80, 0, 4));
            notes.appendAll(track.arp.notes);
            track.arp.notes = notes;
            break;
        }
    }));
    EXPECT_TRUE(mentions(problems, "a minor ninth apart")) << joined(problems);
}

TEST(ShippedStyleArrangement, ChecksCatchNarrowRegistersAndNothingAboveC5) {
    const int id = idNamed("Jazz Ballad");
    auto problems = arrangementProblems(renderSpoiled(id, [](StyleFile& s) {
        // Every chord note folded into the octave from C4.
        silenceCodeTracks(s);
        for (int t = 1; t < 7; ++t) {
            StyleTrack& track = s.tracks.at(t);
            if (track.type < 2) continue;
            track.key = 0;
            for (int i = 0; i < track.arp.notes.count(); ++i) {
                StyleNote& n = track.arp.notes.at(i);
                n.key = 60 + n.key % 12;
            }
        }
    }));
    EXPECT_TRUE(mentions(problems, "the chord parts span only")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "no chord part above C5")) << joined(problems);
}

TEST(ShippedStyleArrangement, ChecksCatchAMeterAGridAFillAWalkAndACloneOfAGroove) {
    StyleFile s = loadShipped(idNamed("Medium Swing"));
    ASSERT_TRUE(patternProblems(s).empty()) << joined(patternProblems(s));
    // A bar of two beats.
    StyleFile two = s;
    two.stepsPerBar = 2 * s.stepsPerBeat;
    EXPECT_TRUE(mentions(patternProblems(two), "neither three nor four beats"));
    // A straight eighth on the hi-hat among swung eighths: on a six-step beat, step 3 against step 4.
    StyleFile straight = s;
    straight.stepsPerBeat *= 2;
    straight.stepsPerBar *= 2;
    for (int t = 0; t < 7; ++t)
        for (int i = 0; i < straight.tracks.at(t).arp.notes.count(); ++i)
            straight.tracks.at(t).arp.notes.at(i).pos *= 2;
    for (int t = 0; t < 7; ++t) straight.tracks.at(t).arp.length *= 2;
    straight.tracks.at(0).arp.notes.add(StyleNote(42, 60, 3, 0.5));
    EXPECT_TRUE(mentions(patternProblems(straight), "two swing grids")) << joined(patternProblems(straight));
    // A tom fill in the second bar of the drums.
    StyleFile fill = s;
    fill.tracks.at(0).arp.notes.add(StyleNote(45, 90, fill.stepsPerBar + 1, 0.5));
    EXPECT_TRUE(mentions(patternProblems(fill), "a tom fill in bar 2"));
    // A walking line that plays one bar of chord tones again and again.
    StyleFile stuck = s;
    for (int t = 1; t < 7; ++t) {
        StyleTrack& track = stuck.tracks.at(t);
        if (track.type != 1) continue;
        Llist<StyleNote> line;
        for (int b = 0; b < track.arp.length / stuck.stepsPerBar; ++b)
            for (int beat = 0; beat < 4; ++beat)
                line.add(
                    StyleNote(beat % 2 ? 43 : 36, 90, b * stuck.stepsPerBar + beat * stuck.stepsPerBeat, 2));
        track.arp.notes = line;
    }
    const auto walk = patternProblems(stuck);
    EXPECT_TRUE(mentions(walk, "repeats one bar")) << joined(walk);
    EXPECT_TRUE(mentions(walk, "within 7 semitones")) << joined(walk);
    // Another style given this one's drums and bass is a clone of its groove.
    StyleFile other = loadShipped(idNamed("Jazz Waltz"));
    EXPECT_NE(grooveFingerprint(other), grooveFingerprint(s));
    other.stepsPerBeat = s.stepsPerBeat;
    other.stepsPerBar = s.stepsPerBar;
    other.tracks.at(0) = s.tracks.at(0);
    other.tracks.at(1) = s.tracks.at(1);
    EXPECT_EQ(grooveFingerprint(other), grooveFingerprint(s));
    // A style whose patterns all loop after a bar is not phrased.
    StyleFile shortLoop = s;
    for (int t = 0; t < 7; ++t) shortLoop.tracks.at(t).arp.length = shortLoop.stepsPerBar;
    EXPECT_FALSE(isPhrased(shortLoop));
}

// The arranging of the shipped styles as a demanding player hears it: full chords in open registers
// without clashing voicings, one meter and one swing grid a style, phrases longer than a bar or two
// with fills at their ends, walking lines that walk, and no two styles with one groove. Each check is
// shown to catch a spoiled copy of a shipped style.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "engine/styles.h"
#include "tests/data/style_checks.h"
#include "tests/data/style_lines.h"

using namespace shipped;

namespace {

int idNamed(const std::string& part) {
    Styles library(stylesFolder());
    for (int i = 0; i < library.count(); ++i)
        if (library.at(i).name.find(part) != std::string::npos) return library.at(i).id;
    ADD_FAILURE() << "no style named like " << part;
    return 1;
}

// A shipped style copied into a folder of its own, changed by `spoil`, and rendered over every chord
// type (or over the fixed progression with its coda).
template <class F> StyleRender renderSpoiled(int id, F spoil, bool overProgression = false) {
    const std::string folder = freshFolder("spoiled");
    StyleFile style;
    EXPECT_TRUE(copyStyle(id, folder, style));
    spoil(style);
    EXPECT_TRUE(style.save(folder + "/" + styleFileName(id)));
    StyleRender r = overProgression ? renderStyle(folder, id, true) : renderEveryChordType(folder, id);
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

// The notes of a track that `keep` keeps; `change` applied to every note of a track.
template <class F> void keepNotes(StyleTrack& track, F keep) {
    Llist<StyleNote> notes;
    for (int i = 0; i < track.arp.notes.count(); ++i)
        if (keep(track.arp.notes.at(i))) notes.add(track.arp.notes.at(i));
    track.arp.notes = notes;
}
template <class F> void eachNote(StyleTrack& track, F change) {
    for (int i = 0; i < track.arp.notes.count(); ++i) change(track.arp.notes.at(i));
}

// One spoil for each check the progression is played against, each caught with its own message.
TEST(ShippedStyleArrangement, ChecksOfTheProgressionCatchASpoiledStyle) {
    using Check = std::function<std::vector<std::string>(const StyleRender&)>;
    const Check bass = bassProblems, parts = partProblems, arranging = arrangingProblems;
    const Check sharedPad = [](const StyleRender& r) { // with Pop Straight 8s
        const std::vector<std::string> pop = padFingerprints(renderStyle(stylesFolder(), 1, true));
        for (const std::string& pad : padFingerprints(r))
            if (std::count(pop.begin(), pop.end(), pad)) return std::vector<std::string>{"shares a pad"};
        return std::vector<std::string>{};
    };
    const Check nearClone = [](const StyleRender& r) {
        bool sameBass = false;
        const double shared = sharedDrumHits(r.style, loadShipped(idNamed("Rock Anthem")), sameBass);
        return shared >= 0.9 ? std::vector<std::string>{"shares its drums"} : std::vector<std::string>{};
    };
    const auto lines = [](LineCheckFunction check) {
        return Check([check](const StyleRender& r) { return lineProblems(check, r); });
    };
    const auto keys = [](int track, int (*key)(const StyleNote&)) {
        return [=](StyleFile& s) { eachNote(s.tracks.at(track), [&](StyleNote& n) { n.key = key(n); }); };
    };
    const auto bassLine = [](int key, int at) { // C2 and `key` at step `at` of every bar
        return [=](StyleFile& s) {
            s.tracks.at(1).arp.notes.clear();
            for (int b = 0; b < 64; b += 16)
                for (const StyleNote& n : {StyleNote(36, 90, b, at), StyleNote(key, 90, b + at, 1.5),
                                           StyleNote(36, 90, b + at + 2, 14 - at)})
                    s.tracks.at(1).arp.notes.add(n);
        };
    };
    const auto oneBar = [](StyleFile& s) {
        for (int t = 0; t < 7; ++t) {
            s.tracks.at(t).arp.length = s.stepsPerBar;
            keepNotes(s.tracks.at(t), [&](const StyleNote& n) { return n.pos < s.stepsPerBar; });
        }
    };
    const struct {
        const char* style;
        std::function<void(StyleFile&)> spoil;
        Check check;
        const char* message;
    } spoils[] = {
        {"Pop Straight", bassLine(47, 12), bass, "is a major seventh over a minor seventh"},
        {"Pop Straight", bassLine(50, 4), bass, "lies outside the chord and leaps"},
        {"Medium Swing", keys(1, [](const StyleNote& n) { return n.key + (n.pos == 3 ? 24 : 0); }), bass,
         "semitones"},
        {"Medium Swing", keys(1, [](const StyleNote& n) { return n.pos == 6 ? 42 : n.key; }), bass,
         "walks on a strong beat outside the chord"},
        {"Medium Swing", keys(1, [](const StyleNote& n) { return n.pos % 6 == 3 ? 54 : n.key; }), bass,
         "chord changes met from a step, a fourth or a fifth away"},
        {"Pop Straight", [](StyleFile& s) { s.tracks.at(3).key += 12; }, parts, "tops a pad above D5"},
        {"Blues Shuffle", keys(4, [](const StyleNote& n) { return n.key == 64 ? 52 : n.key; }), parts,
         "is in a pad chord with a gap"},
        {"Piano Ballad", [](StyleFile& s) { s.tracks.at(4) = loadShipped(1).tracks.at(3); }, sharedPad,
         "shares a pad"},
        {"Bluegrass", [](StyleFile& s) { s.tracks.at(4).key -= 24; }, parts, "lies outside"},
        {"Bluegrass",
         [](StyleFile& s) { // the fiddle's double stops with a third voice
             Llist<StyleNote>& notes = s.tracks.at(4).arp.notes;
             for (int i = 0, n = notes.count(); i < n; ++i)
                 if (notes.at(i).key == 73)
                     notes.add(StyleNote(74, notes.at(i).vel, notes.at(i).pos, notes.at(i).len));
         },
         parts, "sounds in a chord of 3"},
        {"Medium Swing",
         [](StyleFile& s) { // a lone root on the piano, no guitar
             keepNotes(s.tracks.at(2), [](const StyleNote& n) { return n.key == 48; });
             s.tracks.at(3).mode = 0;
         },
         arranging, "no chord part sounds three tones and the third"},
        {"Pop Straight", oneBar, arranging, "no chord part plays two bar rhythms"},
        {"Pop Straight", oneBar, arranging, "no fill or variation in the fourth bar"},
        {"Dixieland",
         [](StyleFile& s) {
             s.stepsPerBeat = 4, s.stepsPerBar = 16;
             for (int t = 0; t < 7; ++t) {
                 s.tracks.at(t).arp.length = s.tracks.at(t).arp.length * 4 / 3;
                 eachNote(s.tracks.at(t), [](StyleNote& n) { n.pos = n.pos * 4 / 3; });
             }
         },
         arranging, "swings on a straight grid"},
        {"Dixieland",
         [](StyleFile& s) { // the clarinet's first bar four times
             keepNotes(s.tracks.at(3), [](const StyleNote& n) { return n.pos < 12; });
             for (int i = 0, n = s.tracks.at(3).arp.notes.count(); i < 3 * n; ++i) {
                 StyleNote copy = s.tracks.at(3).arp.notes.at(i % n);
                 copy.pos += 12 * (i / n + 1);
                 s.tracks.at(3).arp.notes.add(copy);
             }
         },
         arranging, "a melody line of 1 bars"},
        {"Viennese", [](StyleFile& s) { eachNote(s.tracks.at(2), [](StyleNote& n) { n.pos -= 2; }); },
         arranging, "a flam on the after-beat"},
        {"Bossa",
         [](StyleFile& s) {
             keepNotes(s.tracks.at(0),
                       [](const StyleNote& n) { return n.pos == 0 || (n.key != 35 && n.key != 36); });
         },
         arranging, "the kick meets"},
        {"Salsa", [](StyleFile& s) { s.tracks.at(1).arp.notes.add(StyleNote(36, 90, s.stepsPerBar, 1)); },
         arranging, "the tumbao does not anticipate bar 2"},
        {"Rock Eights",
         [](StyleFile& s) { // Rock Anthem Drive's drums less one hi-hat
             s.tracks.at(0) = loadShipped(idNamed("Rock Anthem")).tracks.at(0);
             int hats = 0;
             keepNotes(s.tracks.at(0), [&](const StyleNote& n) { return n.key != 42 || hats++ > 0; });
         },
         nearClone, "shares its drums"},
        // The registers and lines, each on a style that keeps the rule until it is spoiled.
        {"Pop Straight", [](StyleFile& s) { s.tracks.at(3).key -= 24; }, lines(lowRegister), "clear from"},
        {"Reggae", [](StyleFile& s) { s.tracks.at(4).arp.notes.add(StyleNote(45, 90, 0, 16)); },
         lines(majorSevenths), "B2 under C"},
        {"Pop Straight", [](StyleFile& s) { s.tracks.at(1).arp.name = "Pop Walking Eighths"; },
         lines(walkingLines), "half-step arrivals 0 %"},
        {"Pop Straight", [](StyleFile& s) { s.tracks.at(4).prog = 73; }, lines(melodicLines),
         "track 4 (Pop Guitar Picking): steps"},
        {"Techno", keys(1, [](const StyleNote& n) { return n.key + (n.pos == 4 ? 24 : 0); }),
         lines(bassRegister), "track 1 (Techno Rolling Bass)"},
        {"Celtic Jig", [](StyleFile& s) { s.tracks.at(3).key += 12; }, lines(guitarRegisters),
         "median chord bottom"},
        {"Rock Anthem",
         [](StyleFile& s) { keepNotes(s.tracks.at(0), [](const StyleNote& n) { return n.pos < 60; }); },
         lines(phraseFills), "ends at velocity 0"},
        {"Quickstep", [](StyleFile& s) { s.tracks.at(0).vol /= 3; }, lines(balance), "the drums lie"},
        {"Celtic Jig",
         [](StyleFile& s) {
             for (int key : {76, 79, 81, 84}) s.tracks.at(4).arp.notes.add(StyleNote(key, 80, 0, 12));
         },
         lines(voicings), "B4 C5 over Cmaj7"},
        {"Pop Straight", bassLine(42, 4), lines(songEndings), "F#2 over C moves on to C2"},
        {"Pop Straight", [](StyleFile& s) { s.tracks.at(2).prog = 56; }, lines(oneNoteAtATime),
         "track 2 (Pop Piano Pulse)"},
        {"Techno", [](StyleFile& s) { eachNote(s.tracks.at(2), [](StyleNote& n) { n.pos += 1; }); },
         lines(flamsAndClones), "ms off"},
    };
    StyleRenderer renderer(stylesFolder());
    std::map<std::string, StyleRender> shipped; // each style as shipped, rendered once
    for (const auto& spoil : spoils) {
        const int id = idNamed(spoil.style);
        if (!shipped.count(spoil.style)) shipped[spoil.style] = renderer.render(id, true);
        EXPECT_FALSE(mentions(spoil.check(shipped[spoil.style]), spoil.message))
            << spoil.style << " as shipped: " << spoil.message;
        const std::vector<std::string> problems = spoil.check(renderSpoiled(id, spoil.spoil, true));
        EXPECT_TRUE(mentions(problems, spoil.message)) << spoil.style << ": " << spoil.message << "\n"
                                                       << joined(problems);
    }
}

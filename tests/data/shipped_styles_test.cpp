// The shipped style files: they are exactly what the generator writes, they load and save unchanged
// through the program's own style file code, they keep the authoring rules, and together they cover
// the genres and every feature of the pattern engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "engine/styles.h"
#include "foundation/textfile.h"
#include "tests/app/selector_rig.h"
#include "tests/common/waituntil.h"
#include "tests/data/shipped_data.h"

using namespace shipped;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string()[0] != '.') names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string bytesOf(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

StyleFile loadShipped(int id) {
    StyleFile s;
    s.load(stylesFolder() + "/" + styleFileName(id));
    return s;
}

bool isCode(int key) {
    return key == 60 || (key >= 72 && key <= 78);
}

} // namespace

TEST(ShippedStyles, TheCommittedFilesAreTheGeneratorsCurrentOutput) {
    const std::string out = freshFolder("generated");
    const std::string command =
        testwait::bounded(std::string("\"") + QV_BINARY_DIR + "/stylegen\" \"" + out + "\" > /dev/null");
    ASSERT_EQ(std::system(command.c_str()), 0) << "stylegen failed (run it to see its complaints)";
    for (const std::string sub : {"Styles", "Samples"}) {
        const std::vector<std::string> generated = namesIn(out + "/" + sub);
        ASSERT_EQ(generated, namesIn(dataFolder() + "/" + sub)) << sub << ": run stylegen data and commit";
        for (const std::string& name : generated)
            EXPECT_EQ(bytesOf(out + "/" + sub + "/" + name), bytesOf(dataFolder() + "/" + sub + "/" + name))
                << sub << "/" << name << " differs from the generator's output";
    }
    fs::remove_all(out);
}

TEST(ShippedStyles, EveryFileLoadsAndSavesBackByteForByte) {
    const std::string out = freshFolder("resaved");
    for (int id : styleIdsIn(stylesFolder())) {
        const std::string original = stylesFolder() + "/" + styleFileName(id);
        StyleFile s;
        s.load(original);
        ASSERT_TRUE(s.save(out + "/" + styleFileName(id)));
        EXPECT_EQ(bytesOf(out + "/" + styleFileName(id)), bytesOf(original)) << styleFileName(id);
        EXPECT_NE(bytesOf(original).find("\r\n"), std::string::npos);
    }
    fs::remove_all(out);
}

TEST(ShippedStyles, EveryStyleKeepsTheAuthoringRules) {
    const std::vector<int> ids = styleIdsIn(stylesFolder());
    ASSERT_FALSE(ids.empty());
    for (int id : ids) {
        const StyleFile s = loadShipped(id);
        const std::string where = styleFileName(id) + " " + s.name + ": ";
        EXPECT_FALSE(s.name.empty()) << where;
        ASSERT_EQ(s.tracks.count(), 7) << where;
        EXPECT_EQ(s.tracks.at(0).type, 0) << where << "track 0 is not the drums";
        EXPECT_EQ(s.stepsPerBar % s.stepsPerBeat, 0) << where;
        EXPECT_GE(s.bpm, 40) << where;
        EXPECT_LE(s.bpm, 220) << where;
        if (!Styles::isUtilityStyle(id)) {
            EXPECT_GE(s.countActiveTracks(), 3) << where;
        }
        for (int t = 0; t < 7; ++t) {
            const StyleTrack& track = s.tracks.at(t);
            const StyleArp& arp = track.arp;
            const std::string tw = where + "track " + std::to_string(t) + " ";
            if (track.mode == 0) {
                EXPECT_EQ(arp.notes.count(), 0) << tw;
                continue;
            }
            EXPECT_TRUE(t == 0 || track.type != 0) << tw << "a second drum track";
            EXPECT_GE(arp.length, 1) << tw;
            EXPECT_LE(arp.length, 256) << tw;
            EXPECT_EQ(arp.length % s.stepsPerBar, 0) << tw << "pattern is not whole bars";
            EXPECT_GT(arp.notes.count(), 0) << tw;
            bool voiceCodes = false, rootAtZero = false, anyLow = false;
            std::set<int> velocities;
            const int split = track.type == 1 ? 1000 : 60;
            for (int i = 0; i < arp.notes.count(); ++i) {
                const StyleNote& n = arp.notes.at(i);
                const std::string nw = tw + "note " + std::to_string(i) + " ";
                EXPECT_GE(n.key, 35) << nw;
                EXPECT_LE(n.key, 81) << nw;
                EXPECT_GE(n.vel, 1) << nw;
                EXPECT_GE(n.pos, 0) << nw;
                EXPECT_LE(n.pos + n.len, arp.length) << nw << "ends past the pattern";
                EXPECT_GT(n.len, 0.0) << nw;
                if (i > 0) {
                    EXPECT_GE(n.pos, arp.notes.at(i - 1).pos) << nw << "notes not sorted by position";
                }
                velocities.insert(n.vel);
                if (track.type == 0) continue;
                if (track.mode >= 3) {
                    EXPECT_EQ(n.pos, 0) << nw << "a pad plays only its step-0 notes";
                }
                if (track.type == 3 && n.key >= 60) {
                    EXPECT_TRUE(isCode(n.key)) << nw << "not a chord code";
                    if (n.key >= 72) voiceCodes = true;
                    continue;
                }
                // Written in C major: root, third, fifth and the colour tone move with the chord (bass
                // lines may pass through the second and fourth and approach from the leading tone or the
                // sharp fourth).
                const int pc = n.key % 12;
                const bool passing = pc == 2 || pc == 5 || pc == 6 || pc == 11;
                // A chord part may top its voicing with the ninth (D over C) as a tension.
                bool topNinth = track.type == 2 && pc == 2 && n.key >= 60;
                for (int j = 0; j < arp.notes.count(); ++j)
                    if (arp.notes.at(j).pos == n.pos && arp.notes.at(j).key > n.key) topNinth = false;
                EXPECT_TRUE(pc == 0 || pc == 4 || pc == 7 || pc == 9 || (track.type == 1 && passing) ||
                            topNinth)
                    << nw;
                if (n.key < split) {
                    anyLow = true;
                    if (n.pos == 0 && pc == 0) rootAtZero = true;
                }
            }
            if (track.type == 3) {
                EXPECT_GE(arp.strumHeight, voiceCodes ? 1 : 0) << tw << "voice codes without a strum height";
                EXPECT_LE(arp.strumHeight, 7) << tw;
            } else {
                EXPECT_EQ(arp.strumHeight, 0) << tw;
            }
            if (anyLow) {
                EXPECT_TRUE(rootAtZero) << tw << "no root at step 0";
            }
            if (arp.notes.count() >= 4 && track.mode < 3) {
                EXPECT_GT(velocities.size(), 1u) << tw << "no accents";
            }
        }
    }
}

TEST(ShippedStyles, TheLibraryCoversTheGenresAndUtilities) {
    Styles library(stylesFolder());
    EXPECT_GE(library.styleCount, 50);
    std::map<std::string, int> found;
    for (int i = 0; i < library.count(); ++i) {
        const StyleFile& s = library.at(i);
        for (const char* genre : {"Pop",
                                  "Rock",
                                  "Piano Ballad",
                                  "Power Ballad",
                                  "Funk",
                                  "Disco",
                                  "Soul",
                                  "Reggae",
                                  "Ska",
                                  "Country",
                                  "Train Beat",
                                  "Blues Shuffle",
                                  "Slow Blues 12/8",
                                  "Swing",
                                  "Jazz Ballad",
                                  "Jazz Waltz",
                                  "Bossa Nova",
                                  "Samba",
                                  "Salsa",
                                  "Cha-Cha",
                                  "Tango",
                                  "Waltz",
                                  "March",
                                  "Polka",
                                  "Gospel 12/8",
                                  "Gospel Organ",
                                  "Folk",
                                  "Fingerpicking",
                                  "House",
                                  "Hip-Hop",
                                  "Metronome 4/4",
                                  "Metronome 3/4",
                                  "Bass & Drums",
                                  "Rock And Roll",
                                  "Bebop",
                                  "Dixieland",
                                  "Bolero",
                                  "Rumba",
                                  "Merengue",
                                  "Cumbia",
                                  "Foxtrot",
                                  "Quickstep",
                                  "Viennese Waltz",
                                  "Bluegrass",
                                  "Country Shuffle",
                                  "Celtic Jig",
                                  "Afro-Cuban",
                                  "Techno",
                                  "Synth-Pop",
                                  "Motown",
                                  "Triplet Ballad"})
            if (s.name.find(genre) != std::string::npos) found[genre] += 1;
    }
    EXPECT_GE(found["Pop"], 2);
    EXPECT_GE(found["Rock"], 2);
    for (const auto& [genre, count] : found) EXPECT_GE(count, 1) << genre;
    EXPECT_EQ(found.size(), 51u);
    // The solo instruments a band of these genres brings: fiddle, trumpet, trombone, flute, saxophone.
    std::set<int> programs;
    for (int i = 0; i < library.count(); ++i)
        for (int t = 1; t < 7; ++t)
            if (library.at(i).tracks.at(t).mode != 0) programs.insert(library.at(i).tracks.at(t).prog);
    for (int prog : {110, 56, 57, 73}) EXPECT_TRUE(programs.count(prog)) << "program " << prog;
    EXPECT_TRUE(programs.count(64) || programs.count(65) || programs.count(66) || programs.count(67))
        << "a saxophone";

    auto byName = [&library](const std::string& part) -> const StyleFile* {
        for (int i = 0; i < library.count(); ++i)
            if (library.at(i).name.find(part) != std::string::npos) return &library.at(i);
        return nullptr;
    };
    ASSERT_TRUE(byName("Jazz Waltz") && byName("Swing") && byName("Slow Blues") && byName("Metronome 3/4"));
    EXPECT_TRUE(byName("Jazz Waltz")->is34());
    EXPECT_EQ(byName("Jazz Waltz")->stepsPerBeat % 3, 0);
    EXPECT_EQ(byName("Swing")->stepsPerBeat % 3, 0);
    EXPECT_EQ(byName("Slow Blues")->stepsPerBeat % 3, 0);
    EXPECT_TRUE(byName("Metronome 3/4")->is34());
    // Style 26, when there is one, is a waltz in 3/4 (old sessions saved with it expect that).
    if (library.indexOfId(26) >= 0) {
        EXPECT_TRUE(library.is34(26));
        EXPECT_NE(library.at(library.indexOfId(26)).name.find("Waltz"), std::string::npos);
    }
    // Utility styles sit in 90..109: the metronomes play drums only, the practice style drums and bass.
    for (const char* utility : {"Metronome 4/4", "Metronome 3/4", "Bass & Drums"}) {
        const StyleFile* s = byName(utility);
        ASSERT_TRUE(s) << utility;
        EXPECT_TRUE(Styles::isUtilityStyle(s->id)) << utility;
        for (int t = 1; t < 7; ++t)
            if (s->tracks.at(t).mode != 0) {
                EXPECT_EQ(std::string(utility), "Bass & Drums");
            }
    }
}

TEST(ShippedStyles, TheLibraryExercisesEveryEngineFeature) {
    Styles library(stylesFolder());
    std::set<int> types, modes, layers, strumHeights, autoCymbals, stepsPerBeat34, stepsPerBeat;
    bool program66Chords = false, breakLength = false, breakVolume = false, susVolume = false,
         transpose = false, twoBars = false, colour = false, chordLowNotes = false;
    for (int i = 0; i < library.count(); ++i) {
        const StyleFile& s = library.at(i);
        autoCymbals.insert(s.autoCymbal_nthBar);
        stepsPerBeat.insert(s.stepsPerBeat);
        if (s.is34()) stepsPerBeat34.insert(s.stepsPerBeat);
        for (int t = 0; t < 7; ++t) {
            const StyleTrack& track = s.tracks.at(t);
            if (track.mode == 0) continue;
            types.insert(track.type);
            modes.insert(track.mode);
            if (track.type >= 2) layers.insert(track.abc);
            if (track.type == 3) strumHeights.insert(track.arp.strumHeight);
            if (track.type >= 2 && track.prog == 66) program66Chords = true;
            if (track.breakLength != 0) breakLength = true;
            if (track.breakVolume != 100) breakVolume = true;
            if (track.susVolume != 100) susVolume = true;
            if (track.key != 0 && track.type != 0) transpose = true;
            if (track.arp.length >= 2 * s.stepsPerBar) twoBars = true;
            for (int n = 0; n < track.arp.notes.count(); ++n) {
                const int key = track.arp.notes.at(n).key;
                if (track.type >= 2 && key == 69) colour = true;
                if (track.type >= 2 && key < 60) chordLowNotes = true;
            }
        }
    }
    EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(modes, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(layers, (std::set<int>{1, 2, 3}));
    for (int h = 1; h <= 7; ++h) EXPECT_TRUE(strumHeights.count(h)) << "strum height " << h;
    for (int n : {0, 4, 8}) EXPECT_TRUE(autoCymbals.count(n)) << "auto cymbal every " << n;
    EXPECT_TRUE(stepsPerBeat34.count(4) && stepsPerBeat34.count(3))
        << "3/4 on four and on three steps a beat";
    EXPECT_TRUE(stepsPerBeat.count(6)) << "six steps a beat";
    EXPECT_TRUE(stepsPerBeat.count(8)) << "eight steps a beat";
    EXPECT_TRUE(program66Chords) << "program 66 on a chord track";
    EXPECT_TRUE(breakLength && breakVolume && susVolume) << "break length, break volume, sustain volume";
    EXPECT_TRUE(transpose) << "a transposed track";
    EXPECT_TRUE(twoBars) << "a two-bar pattern";
    EXPECT_TRUE(colour) << "the colour tone 69 on a chord track";
    EXPECT_TRUE(chordLowNotes) << "bass-register notes on a chord track";
}

TEST(ShippedStyles, EveryNameFitsItsCellInTheStyleSelector) {
    // The selector's cells and caption font: a bold 11 px name from 5 pixels into its cell, clear of the
    // mixer mark that a style with a saved mix shows over the cell's right 21 pixels.
    selrig::Rig rig;
    rig.app().openStyleSelector(&rig.back, nullptr, selrig::kStyleBoxX, selrig::kBoxBottom, 1, false, false);
    rig.back.canvas()->font = Font{"Tahoma", -11, true};
    int names = 0;
    for (const Sensor& s : rig.sel().sensors)
        if (s.id >= 0 && s.text.rfind("@^", 0) == 0 && ++names) {
            EXPECT_LE(rig.back.canvas()->textWidth(s.text.substr(2)), s.rect.Right - s.rect.Left - 27)
                << s.text;
        }
    EXPECT_EQ(names, rig.ctx->engine.styles.count());
}

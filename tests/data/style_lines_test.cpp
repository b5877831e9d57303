// The registers and lines of the shipped styles over the fixed progression in three keys, and of the
// sample songs. The library does not keep them yet: each test is disabled until it does (run one with
// --gtest_also_run_disabled_tests). The figures of every check, style and song, with the worst notes
// of each style that fails, print as a table:
//   build-release/test_data --gtest_also_run_disabled_tests --gtest_filter='*LinesTable*'
// (QV_LINES_TABLE=/path/to/table.md writes it to a file as well).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "foundation/textfile.h"
#include "tests/data/style_audio.h"
#include "tests/data/style_lines.h"

using namespace shipped;

namespace {

void expectEveryStyleHolds(LineCheckFunction check) {
    if (check == balance && balanceFonts().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    StyleRenderer renderer(stylesFolder());
    for (int id : styleIdsIn(stylesFolder())) {
        const Renders r = renderInKeys(renderer, id);
        const Figure f = check(r);
        EXPECT_TRUE(f.holds) << styleFileName(id) << " " << r.front().style.name << ": " << f.value << "\n"
                             << joined(f.worst);
    }
}

void expectEverySongHolds(LineCheckFunction check) {
    StyleRenderer renderer(stylesFolder());
    for (const std::string& path : samplePaths()) {
        const Figure f = check({renderer.renderSession(path)});
        EXPECT_TRUE(f.holds) << path << ": " << f.value << "\n" << joined(f.worst);
    }
}

} // namespace

// Each check over every style, or over every song.
#define LINES_TEST(name, check, songs)                                                                       \
    TEST(ShippedStyleLines, name) {                                                                          \
        songs ? expectEverySongHolds(check) : expectEveryStyleHolds(check);                                  \
    }
LINES_TEST(ChordPartsKeepTheLowRegisterClear, lowRegister, false)
LINES_TEST(NoMajorSeventhAMinorNinthUnderARoot, majorSevenths, false)
LINES_TEST(WalkingBassesWalk, walkingLines, false)
LINES_TEST(MelodicLinesSing, melodicLines, false)
LINES_TEST(TheBassKeepsItsRegisterAtChanges, bassRegister, false)
LINES_TEST(TheSongsBassKeepsItsRegisterAtChanges, bassRegister, true)
LINES_TEST(GuitarsSitLowAndBusyPartsApart, guitarRegisters, false)
LINES_TEST(FillsLiftThePhrase, phraseFills, false)
LINES_TEST(EveryPartIsHeardAndGroovesStandBesideTheChords, balance, false)
LINES_TEST(BlockChordsAreVoicedAsAPlayerWould, voicings, false)
LINES_TEST(SongsEndAtHomeLiftTheChorusAndMoveTheBassOnByStep, songEndings, true)
LINES_TEST(SoloHornsPlayOneNoteAtATime, oneNoteAtATime, false)
LINES_TEST(NoFlamsAndNoNearClones, flamsAndClones, false)

// The figures of every check for every style and song (a mark where the check fails), then the worst
// notes of each failing style check by check.
TEST(ShippedStyleLines, DISABLED_LinesTable) {
    const std::vector<LineCheck>& checks = lineChecks();
    std::vector<std::string> details(checks.size());
    std::vector<int> failing(checks.size());
    std::string table;
    auto row = [&](const std::string& name, const Renders& r, bool song) {
        table += "| " + name + " |";
        for (size_t i = 0; i < checks.size(); ++i) {
            if (song && !checks[i].songs) {
                table += " |";
                continue;
            }
            const Figure f = checks[i].check(r);
            table += " " + f.value + (f.holds ? "" : " **x**") + " |";
            if (f.holds) continue;
            ++failing[i];
            details[i] += "- " + name + ": " + f.value + "\n";
            for (const std::string& w : f.worst) details[i] += "  - " + w + "\n";
        }
        table += "\n";
    };
    std::string head = "| style or song |", rule = "|---|";
    for (const LineCheck& c : checks) head += std::string(" ") + c.name + " |", rule += "---|";
    table = head + "\n" + rule + "\n";
    StyleRenderer renderer(stylesFolder());
    int styles = 0;
    for (int id : styleIdsIn(stylesFolder())) {
        const Renders r = renderInKeys(renderer, id);
        row(styleFileName(id).substr(0, 3) + " " + r.front().style.name, r, false);
        ++styles;
    }
    for (const std::string& path : samplePaths()) {
        const Renders r{renderer.renderSession(path)};
        row(r.front().song, r, true);
    }
    std::string out = "Keys of the progression: C, Eb, G. A mark **x**: the check fails.\n\n" + table;
    for (size_t i = 0; i < checks.size(); ++i)
        out += "\n## " + std::string(checks[i].name) + ": " + std::to_string(failing[i]) + " failing\n\n" +
               details[i];
    std::printf("%s", out.c_str());
    if (const char* path = std::getenv("QV_LINES_TABLE")) {
        EXPECT_TRUE(writeFileAtomic(path, out)) << path;
    }
    EXPECT_GT(styles, 0);
}

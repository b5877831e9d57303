#include "dialogs/programmermodel.h"

#include <algorithm>
#include <cmath>

#include "engine/midiout.h"
#include "engine/qvcore.h"
#include "engine/styles.h"
#include "foundation/strutil.h"

const PatternOperation kPatternOperations[17] = {
    {"Copy first 8 steps", 8},
    {"Copy first 16 steps", 16},
    {"Copy first 32 steps", 32},
    {"Copy first 64 steps", 64},
    {"Copy first 128 steps", 128},
    {"Copy first 12 steps", 12},
    {"Copy first 24 steps", 24},
    {"Copy first 48 steps", 48},
    {"Copy first 96 steps", 96},
    {"-Double Speed", -1},
    {"Half Speed", -2},
    {"-Double Note Length", -3},
    {"Half Note Length", -4},
    {"-One Octave Up", -5},
    {"One Octave Down", -6},
    {"One Semitone Up", -7},
    {"One Semitone Down", -8},
};

const char* const kLibraryCategories[5] = {"Drums", "Bass", "SusHit", "Strum", "Other"};

namespace {

const char* const kRowLabels[kGridRows] = {
    "Acoustic BD",    "Bass Drum 1",    "Side Stick",      "Acoustic Snare", "Hand Clap",
    "Electric Snare", "Low Floor Tom",  "Closed Hi Hat",   "High Floor Tom", "Pedal Hi-Hat",
    "Low Tom",        "Open Hi-Hat",    "Low-Mid Tom",     "Hi-Mid Tom",     "Crash Cymbal 1",
    "High Tom",       "Ride Cymbal 1",  "Chinese Cymbal",  "Ride Bell",      "Tambourine",
    "Splash Cymbal",  "Cowbell",        "Crash Cymbal 2",  "Vibraslap",      "Ride Cymbal 2",
    "Hi Bongo",       "Low Bongo",      "Mute Hi Conga",   "Open Hi Conga",  "Low Conga",
    "High Timbale*",  "Low Timbale*",   "High Agogo*",     "Low Agogo*",     "Cabasa",
    "Maracas",        "Short Whistle",  "Long Whistle",    "Short Guiro",    "Long Guiro",
    "Claves",         "Hi Wood Block*", "Low Wood Block*", "Mute Cuica",     "Open Cuica",
    "Mute Triangle",  "Open Triangle"};

StyleTrack fallbackTrack;

// Rounds down to a multiple of 0.5.
double halfSteps(double v) {
    return std::floor(v * 2.0) / 2.0;
}

} // namespace

const std::string& gridRowLabel(int row) {
    static std::vector<std::string> labels(std::begin(kRowLabels), std::end(kRowLabels));
    static const std::string none;
    return row >= 0 && row < kGridRows ? labels[row] : none;
}

StyleTrack& ProgrammerModel::track() {
    if (!style || currentTrack < 0 || currentTrack >= style->tracks.count()) {
        fallbackTrack = StyleTrack();
        return fallbackTrack;
    }
    return style->tracks.at(currentTrack);
}

int ProgrammerModel::stepsPerPage(const StyleFile& s) {
    return s.stepsPerBar == 6 || s.stepsPerBar == 12 || s.stepsPerBar == 24 ? 48 : 64;
}

int ProgrammerModel::stepsPerPage() const {
    return style ? stepsPerPage(*style) : 64;
}

void ProgrammerModel::loadGrid() {
    for (auto& column : cells)
        for (ProgrammerCell& c : column) c = ProgrammerCell();
    const StyleArp& a = arp();
    const int first = gridPage * stepsPerPage();
    for (int i = 0; i < a.notes.count(); ++i) {
        const StyleNote& n = a.notes.at(i);
        int column = n.pos - first;
        int row = n.key - kGridLowestKey;
        if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) continue;
        cells[column][row] = ProgrammerCell{n.vel, n.len, i}; // a later note at the same cell wins
    }
}

void ProgrammerModel::selectPage(int page) {
    gridPage = std::clamp(page, 0, 3);
    loadGrid();
}

void ProgrammerModel::selectTrack(int t) {
    currentTrack = std::clamp(t, 0, kStyleTrackCount - 1);
    loadGrid();
}

bool ProgrammerModel::cellAt(int x, int y, int& column, int& row) {
    if (x < kGridLeft || x > kGridLeft + kGridColumns * kCellWidth) return false;
    const int bottom = kGridTop + kGridRows * kCellHeight;
    if (y < kGridTop || y > bottom) return false;
    // Shared edges belong to the cell tested first: the left column, the lower row.
    column = (x - kGridLeft) / kCellWidth;
    if ((x - kGridLeft) % kCellWidth == 0 && column > 0) column -= 1;
    int k = (y - kGridTop) / kCellHeight; // cells from the top
    if (k >= kGridRows) k = kGridRows - 1;
    row = kGridRows - 1 - k;
    return true;
}

TRect ProgrammerModel::cellRect(int column, int row) {
    int left = kGridLeft + kCellWidth * column;
    int top = kGridTop + kCellHeight * (kGridRows - 1 - row);
    return TRect{left, top, left + kCellWidth, top + kCellHeight};
}

int ProgrammerModel::findShownNote(int step, int key) const {
    const StyleArp& a = arp();
    for (int i = a.notes.count() - 1; i >= 0; --i)
        if (a.notes.at(i).pos == step && a.notes.at(i).key == key) return i;
    return -1;
}

void ProgrammerModel::setGridCell(int column, int row, bool update) {
    if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) return;
    StyleArp& a = arp();
    const ProgrammerCell& cell = cells[column][row];
    const int step = stepOf(column);
    const int key = row + kGridLowestKey;
    int found = findShownNote(step, key);
    if (found >= 0) {
        if (update) {
            a.notes.at(found).vel = cell.velocity;
            a.notes.at(found).len = cell.length;
        } else {
            // Every note at the cell goes, so that the cell really is empty afterwards.
            for (int i = a.notes.count() - 1; i >= 0; --i)
                if (a.notes.at(i).pos == step && a.notes.at(i).key == key) a.notes.remove(i);
        }
    } else if (step < kMaxPatternLength) {
        a.notes.add(StyleNote(key, cell.velocity, step, cell.length));
    }
    loadGrid();
}

bool ProgrammerModel::gridPress(int column, int row, bool right, bool ctrl, bool alt, bool shift,
                                bool dragging) {
    if (!style || column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) return false;
    ProgrammerCell& cell = cells[column][row];
    if (ctrl) {
        if (cell.empty() || dragging) return false;
        double len = right ? cell.length + 0.5 : cell.length - 0.5;
        len = std::clamp(len, 0.5, double(kMaxPatternLength));
        if (len == cell.length) return false;
        cell.length = len;
        setGridCell(column, row, true);
        return true;
    }
    if (alt || shift) {
        if (cell.empty() || dragging) return false;
        int vel = std::clamp(cell.velocity + (right ? 10 : -10), 10, 120);
        if (vel == cell.velocity) return false;
        cell.velocity = vel;
        setGridCell(column, row, true);
        return true;
    }
    if (right) {
        int height = std::clamp(row - 36, 0, kMaxStrumHeight);
        if (arp().strumHeight == height) return false;
        arp().strumHeight = height;
        return true;
    }
    if (!dragging) paintAdds = cell.empty();
    if (paintAdds && cell.empty()) {
        cell.velocity = 100;
        cell.length = 1.0;
        setGridCell(column, row, false);
        return true;
    }
    if (!paintAdds && !cell.empty()) {
        cell.velocity = 0;
        setGridCell(column, row, false);
        return true;
    }
    return false;
}

bool ProgrammerModel::repeatFirstSteps(int n) {
    if (n <= 0) return false;
    StyleArp& a = arp();
    bool changed = false;
    for (int i = a.notes.count() - 1; i >= 0; --i)
        if (a.notes.at(i).pos >= n) {
            a.notes.remove(i);
            changed = true;
        }
    // Only the notes that were there before copying are copied.
    const int originals = a.notes.count();
    for (int i = 0; i < originals; ++i) {
        const StyleNote source = a.notes.at(i);
        for (long long p = static_cast<long long>(source.pos) + n; p < a.length && p < kMaxPatternLength;
             p += n) {
            StyleNote copy = source;
            copy.pos = static_cast<int>(p);
            a.notes.add(copy);
            changed = true;
        }
    }
    loadGrid();
    return changed;
}

bool ProgrammerModel::scaleTrackSpeed(bool faster) {
    StyleArp& a = arp();
    if (faster) {
        a.length = std::max(1, a.length / 2);
        for (StyleNote& n : a.notes) {
            n.pos /= 2;
            n.len *= 0.5;
        }
    } else {
        // Doubling stops where the pattern would outgrow the longest length the file keeps.
        if (static_cast<long long>(a.length) * 2 > kProgrammerMaxLength) return false;
        for (const StyleNote& n : a.notes)
            if (static_cast<long long>(n.pos) * 2 >= kProgrammerMaxLength) return false;
        a.length *= 2;
        for (StyleNote& n : a.notes) {
            n.pos *= 2;
            n.len = std::min(n.len * 2.0, double(kMaxPatternLength));
        }
    }
    loadGrid();
    return true;
}

bool ProgrammerModel::scaleNoteLengths(bool longer) {
    bool changed = false;
    for (StyleNote& n : arp().notes) {
        double len = halfSteps(longer ? std::min(n.len * 2.0, double(kMaxPatternLength)) : n.len * 0.5);
        if (len != n.len) changed = true;
        n.len = len;
    }
    loadGrid();
    return changed;
}

bool ProgrammerModel::transposeTrack(int semitones) {
    StyleArp& a = arp();
    // Keys stay MIDI notes: a step that would take a note out of 0..127 is not made.
    for (const StyleNote& n : a.notes)
        if (n.key + semitones < 0 || n.key + semitones > 127) return false;
    for (StyleNote& n : a.notes) n.key += semitones;
    loadGrid();
    return !a.notes.empty();
}

bool ProgrammerModel::clearTrackNotes() {
    bool changed = !arp().notes.empty();
    arp().notes.clear();
    loadGrid();
    return changed;
}

bool ProgrammerModel::runOperation(int tag) {
    switch (tag) {
    case -1:
        return scaleTrackSpeed(true);
    case -2:
        return scaleTrackSpeed(false);
    case -3:
        return scaleNoteLengths(true);
    case -4:
        return scaleNoteLengths(false);
    case -5:
        return transposeTrack(12);
    case -6:
        return transposeTrack(-12);
    case -7:
        return transposeTrack(1);
    case -8:
        return transposeTrack(-1);
    default:
        return tag > 0 && repeatFirstSteps(tag);
    }
}

bool ProgrammerModel::setPatternLength(const std::string& text) {
    int length = std::clamp(textToInt(text), 1, kProgrammerMaxLength);
    if (length == arp().length) return false;
    arp().length = length;
    return true;
}

bool ProgrammerModel::setStyleFields(const std::string& name, const std::string& bpm,
                                     const std::string& perBeat, const std::string& perBar) {
    if (!style) return false;
    StyleFile before = *style;
    style->name = name;
    style->bpm = std::clamp(textToInt(bpm), kMinTempo, kMaxTempo); // what the session can play
    style->stepsPerBeat = std::clamp(textToInt(perBeat), 1, kMaxStepsPerBeat);
    style->stepsPerBar = std::clamp(textToInt(perBar), 1, kMaxStepsPerBar);
    bool changed = before.name != style->name || before.bpm != style->bpm ||
                   before.stepsPerBeat != style->stepsPerBeat || before.stepsPerBar != style->stepsPerBar;
    if (changed) loadGrid(); // the steps per page may have changed
    return changed;
}

// ---------------------------------------------------------------------------------------------
// Track panel

namespace {

struct ParamColumn {
    int fromRight; // x = width - fromRight
    int width;
};
const ParamColumn kParamColumns[kTrackParamCount] = {{260, 84}, {170, 20}, {150, 20}, {130, 20}, {110, 20},
                                                     {90, 20},  {70, 20},  {50, 20},  {30, 20}};

int panelRowTop(int track) {
    return 17 * (track + 1) + 33;
}

} // namespace

TRect ProgrammerModel::trackRowRect(int t, int width) {
    return TRect{width - 280, panelRowTop(t), width - 8, panelRowTop(t) + 15};
}

TRect ProgrammerModel::paramRect(int t, TrackParam p, int width) {
    const ParamColumn& c = kParamColumns[int(p)];
    int left = width - c.fromRight;
    return TRect{left, panelRowTop(t), left + c.width, panelRowTop(t) + 12};
}

bool ProgrammerModel::hasParam(int t, TrackParam p) {
    return !(t == 0 && (p == TrackParam::Program || p == TrackParam::Transpose));
}

bool ProgrammerModel::paramAt(int x, int y, int width, int& t, TrackParam& p) const {
    for (int j = 0; j < kStyleTrackCount; ++j)
        for (int k = 0; k < kTrackParamCount; ++k) {
            TrackParam q = TrackParam(k);
            if (!hasParam(j, q)) continue;
            TRect r = paramRect(j, q, width);
            if (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom) {
                t = j;
                p = q;
                return true;
            }
        }
    return false;
}

int ProgrammerModel::paramValue(int t, TrackParam p) const {
    if (!style || t < 0 || t >= style->tracks.count()) return 0;
    const StyleTrack& k = style->tracks.at(t);
    switch (p) {
    case TrackParam::Program:
        return k.prog;
    case TrackParam::Volume:
        return k.vol;
    case TrackParam::Transpose:
        return k.key;
    case TrackParam::Mode:
        return k.mode;
    case TrackParam::Type:
        return k.type;
    case TrackParam::Layer:
        return k.abc;
    case TrackParam::BreakLength:
        return k.breakLength;
    case TrackParam::BreakVolume:
        return k.breakVolume;
    case TrackParam::SusVolume:
        return k.susVolume;
    }
    return 0;
}

void ProgrammerModel::paramRange(int t, TrackParam p, int& lo, int& hi, int& step) {
    lo = 0;
    step = 1;
    switch (p) {
    case TrackParam::Program:
        hi = 127;
        break;
    case TrackParam::Volume:
        hi = kMaxTrackVolume, step = 5;
        break;
    case TrackParam::Transpose:
        lo = -kMaxTrackTranspose, hi = kMaxTrackTranspose, step = 12;
        break;
    case TrackParam::Mode:
        hi = t == 0 ? 1 : 4;
        break;
    // Track 0 stays the drum track the style file needs; the others are bass or chord tracks.
    case TrackParam::Type:
        lo = t == 0 ? 0 : 1, hi = t == 0 ? 0 : 3;
        break;
    case TrackParam::Layer:
        hi = 3;
        break;
    case TrackParam::BreakLength:
        hi = kMaxBreakLength;
        break;
    case TrackParam::BreakVolume:
    case TrackParam::SusVolume:
        hi = kMaxBreakSusVolume, step = 5;
        break;
    }
}

std::string ProgrammerModel::paramText(int t, TrackParam p) const {
    if (!style || t < 0 || t >= style->tracks.count()) return "";
    const StyleTrack& k = style->tracks.at(t);
    const int v = paramValue(t, p);
    switch (p) {
    case TrackParam::Program:
        return gmProgramName(v);
    case TrackParam::Mode: {
        static const char* const names[5] = {"Off", "On", "Str", "Hit", "Inf"};
        int hi = t == 0 ? 1 : 4;
        return v >= 0 && v <= hi ? names[v] : "Off";
    }
    case TrackParam::Type: {
        static const char* const names[4] = {"D", "B", "M", "H"};
        return v >= 0 && v <= 3 ? names[v] : "D";
    }
    case TrackParam::Layer: {
        if (k.type == 0 || k.type == 1) return "-";
        static const char* const names[4] = {"[x]", "[a]", "[b]", "[c]"};
        return v >= 0 && v <= 3 ? names[v] : "[x]";
    }
    case TrackParam::BreakLength:
    case TrackParam::BreakVolume:
    case TrackParam::SusVolume:
        if (k.type == 0) return "-";
        return intToText(v);
    default:
        return intToText(v);
    }
}

bool ProgrammerModel::stepParam(int t, TrackParam p, bool increase, bool fine) {
    if (!style || t < 0 || t >= style->tracks.count() || !hasParam(t, p) || p == TrackParam::Program)
        return false;
    if (paramText(t, p) == "-") return false; // a cell that does not apply to this track type
    int lo, hi, step;
    paramRange(t, p, lo, hi, step);
    if (fine) step = 1;
    const int old = paramValue(t, p);
    const int v = std::clamp(old + (increase ? step : -step), lo, hi);
    if (v == old) return false;
    StyleTrack& k = style->tracks.at(t);
    switch (p) {
    case TrackParam::Program:
        break;
    case TrackParam::Volume:
        k.vol = v;
        break;
    case TrackParam::Transpose:
        k.key = v;
        break;
    case TrackParam::Mode:
        k.mode = v;
        break;
    case TrackParam::Type:
        k.type = v;
        break;
    case TrackParam::Layer:
        k.abc = v;
        break;
    case TrackParam::BreakLength:
        k.breakLength = v;
        break;
    case TrackParam::BreakVolume:
        k.breakVolume = v;
        break;
    case TrackParam::SusVolume:
        k.susVolume = v;
        break;
    }
    if (t == currentTrack) loadGrid();
    return true;
}

bool ProgrammerModel::setProgram(int t, int program) {
    if (!style || t <= 0 || t >= style->tracks.count() || program < 0 || program > 127) return false;
    if (style->tracks.at(t).prog == program) return false;
    style->tracks.at(t).prog = program;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Track library

std::vector<LibraryItem> ProgrammerModel::libraryItems(const Styles& styles, int category) const {
    std::vector<LibraryItem> items;
    if (category < 0 || category > 4) return items;
    const StyleArp& current = arp();
    for (int i = 0; i < styles.count(); ++i) {
        const StyleFile& s = styles.at(i);
        for (int k = 0; k < s.tracks.count(); ++k) {
            const StyleTrack& t = s.tracks.at(k);
            if (t.mode == 0) continue;
            bool allAtStart = true;
            for (const StyleNote& n : t.arp.notes)
                if (n.pos != 0) allAtStart = false;
            bool listed = false;
            switch (category) {
            case 0:
                listed = t.type == 0;
                break;
            case 1:
                listed = t.type == 1;
                break;
            case 2:
                listed = t.type > 1 && allAtStart;
                break;
            case 3:
                listed = t.type > 1 && !allAtStart && t.arp.strumHeight != 0;
                break;
            case 4:
                listed = t.type > 1 && !allAtStart && t.arp.strumHeight == 0;
                break;
            }
            if (!listed) continue;
            bool first = true;
            for (int i2 = 0; i2 <= i && first; ++i2) {
                const StyleFile& s2 = styles.at(i2);
                int end = i2 == i ? k : s2.tracks.count();
                for (int k2 = 0; k2 < end && first; ++k2)
                    if (s2.tracks.at(k2).arp.equals(t.arp)) first = false;
            }
            std::string text = (i <= 9 ? "0" : "") + intToText(i) + ":" + intToText(k) + " | ";
            if (t.arp.equals(current)) text += ">>>";
            if (i == styles.currentIndex && k == currentTrack) text += "@@@";
            text += " " + s.name;
            text += t.type != 0 ? " : " + gmProgramName(t.prog) : std::string(" Drums");
            if (!first) text += "*";
            items.push_back(LibraryItem{i, k, s.id, text});
        }
    }
    return items;
}

bool ProgrammerModel::copyFromLibrary(const Styles& styles, const LibraryItem& item) {
    if (!style || item.styleIndex < 0 || item.styleIndex >= styles.count()) return false;
    const StyleFile& s = styles.at(item.styleIndex);
    if (s.id != item.styleId || item.track < 0 || item.track >= s.tracks.count()) return false;
    arp() = s.tracks.at(item.track).arp;
    arp().lines.clear();
    loadGrid();
    return true;
}

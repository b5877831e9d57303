#include "engine/qvcore.h"

#include "engine/instrument.h"
#include "engine/midiout.h"
#include "engine/qvengine.h"
#include "foundation/strutil.h"

namespace {

int clampInt(long long v, long long lo, long long hi) {
    return int(v < lo ? lo : (v > hi ? hi : v));
}

Llist<std::string> textList(std::initializer_list<const char*> texts) {
    Llist<std::string> list(0, 1, true);
    for (const char* t : texts) list.add(t);
    return list;
}

} // namespace

const char* const QvCore::kUnitBar = "bar";
const char* const QvCore::kUnitSec = "sec";

std::string QvCore::fromLastPointText() {
    return std::string("From last ") + "arrangement point";
}

const Llist<std::string>& QvCore::fadeOutChoices() {
    static const Llist<std::string> list = [] {
        Llist<std::string> l(0, 1, true);
        l.add("Off");
        const int secs[] = {30, 25, 20, 15, 12, 10, 8, 6, 5, 4, 3, 2, 1};
        for (int s : secs) l.add(std::string(s == 30 ? "-" : "") + intToText(s) + " " + kUnitSec);
        const int bars[] = {16, 12, 8, 6, 4, 2};
        for (int b : bars) l.add(std::string(b == 16 ? "-" : "") + intToText(b) + " " + kUnitBar + "s");
        l.add(std::string("1 ") + kUnitBar);
        return l;
    }();
    return list;
}

const Llist<std::string>& QvCore::cymbalChoices() {
    static const Llist<std::string> list =
        textList({"-Style's", "-1", "2", "3", "4", "6", "8", "12", "16", "24", "32"});
    return list;
}

std::string pageLabel(int index) {
    if (index >= 0 && index <= 8) return std::string(1, char('1' + index));
    if (index == 9) return "0";
    if (index >= 10 && index <= 35) return std::string(1, char('A' + index - 10));
    return "0";
}

void applyMasterTuning(MidiOutput& midi, int cents, int semitones) {
    if (midi.capturing) return;
    for (int ch = 0; ch < 16; ++ch) {
        if (ch == kDrumChannel) continue;
        midi.sendFineTune(cents, ch);
        midi.sendCoarseTune(semitones, ch);
    }
}

void silenceAllInstruments(Llist<Instrument>& instruments) {
    for (Instrument& v : instruments) v.allNotesOff(true);
}

QvCore::QvCore() {
    resetFields(false);
}

QvCore::QvCore(QvEngine* engine_) : engine(engine_) {
    resetFields(true);
    tempoLock = false;
    volumeLock = true;
    if (engine) engine->clipboard.clear();
}

void QvCore::reset() {
    resetFields(true);
}

void QvCore::resetFields(bool readOptions) {
    mix.setDefaults();
    fadeFactor = 1.0;
    styleNumber = 0;
    stepsPerBeatValue = 4;
    stepsPerBarValue = 16;
    tempoValue = 120;
    bool flats = true;
    if (readOptions && engine) flats = engine->options.flatNotesByDefault;
    sharpFlatMode = flats ? 0 : 1;
    tempoSlider = 0.5;
    playingPosition = 0;
    currentChordIndex = 0;
    editedPosition = 0;
    pages.clear();
    for (int i = 0; i < kPageCount; ++i) pages.add(QvPage());
    pageSlots.clear();
    pageSlots.add(0);
    loopStart = -1;
    loopEnd = -1;
    loopMode = 0;
    loopRegionActive = false;
    lastSongLength = -1;
    restartFlag = false;
    currentChord = emptyChord();
    chordChanged = false;
    sessionNotes.clear();
    sessionLinks.clear();
    for (int i = 0; i < kSessionLinkCount; ++i) sessionLinks.add("");
    fadeOutMode = 0;
    autoCymbal = true;
    cymbalOnPageStart = false;
    autoCymbal_nthBar = 0;
    rewindStyleInLoops = false;
    restartStyleOnPageChange = true;
    exportNormalisation = 1.0;
    key = 0;
}

void QvCore::sanitize() {
    for (int i = pageSlots.count() - 1; i >= 0; --i)
        if (pageSlots.at(i) < 0 || pageSlots.at(i) >= kPageCount) pageSlots.remove(i);
    if (pageSlots.empty()) pageSlots.add(0);
    while (pages.count() < kPageCount) pages.add(QvPage());
    while (pages.count() > kPageCount) pages.remove(pages.count() - 1);
    while (sessionLinks.count() < kSessionLinkCount) sessionLinks.add("");
    if (playingPosition < 0 || playingPosition >= pageSlots.count()) playingPosition = 0;
    if (editedPosition < 0 || editedPosition >= pageSlots.count()) editedPosition = 0;
    key = int(((key % 12) + 12) % 12);
    if (loopMode < 0) loopMode = 0;
    if (loopMode > 2) loopMode = 2;
    if (loopStart < -1) loopStart = -1;
    if (loopEnd < -1) loopEnd = -1;
    if (loopRegionActive && loopStart >= 0 && loopEnd >= 0 && loopStart > loopEnd) loopRegionActive = false;
    tempo(tempoValue);
    if (stepsPerBeatValue < 1 || stepsPerBeatValue > kMaxStepsPerBeat) stepsPerBeat(stepsPerBeatValue);
    if (stepsPerBarValue < 1 || stepsPerBarValue > kMaxStepsPerBar) stepsPerBar(stepsPerBarValue);
}

int QvCore::stepsPerBeat(int v) {
    if (v == -1) return stepsPerBeatValue;
    for (QvPage& p : pages) p.invalidateLength();
    if (engine) engine->clipboard.invalidateLength();
    stepsPerBeatValue = clampInt(v, 1, kMaxStepsPerBeat);
    return stepsPerBeatValue;
}

int QvCore::stepsPerBar(int v) {
    if (v == -1) return stepsPerBarValue;
    for (QvPage& p : pages) p.invalidateLength();
    if (engine) engine->clipboard.invalidateLength();
    stepsPerBarValue = clampInt(v, 1, kMaxStepsPerBar);
    return stepsPerBarValue;
}

int QvCore::tempo(int v) {
    if (v == -1) return tempoValue;
    tempoValue = clampInt(v, kMinTempo, kMaxTempo);
    double s = (tempoValue - 20) * 0.005;
    tempoSlider = s < 0.0 ? 0.0 : (s > 1.0 ? 1.0 : s);
    return tempoValue;
}

void QvCore::setTempoFromSlider() {
    double s = tempoSlider;
    if (!(s >= 0.0)) s = 0.0;
    if (s > 1.0) s = 1.0;
    tempoSlider = s;
    tempoValue = clampInt(truncToInt(s * 200.0 + 20.0 + 0.5), kMinTempo, kMaxTempo);
}

bool QvCore::isTripleMeter() const {
    return engine && engine->styles.current().is34();
}

QvChord QvCore::emptyChord() {
    return QvChord(0, 0, 0, kAutoBassArg, false, -1);
}

const QvPage& QvCore::pageOfEntry(int n) const {
    if (n >= 0 && n < pageSlots.count()) {
        int idx = pageSlots.at(n);
        if (idx >= 0 && idx < pages.count()) return pages.at(idx);
    }
    return pages.at(0);
}

QvPage& QvCore::pageAt(bool playing) {
    return const_cast<QvPage&>(static_cast<const QvCore*>(this)->pageAt(playing));
}

const QvPage& QvCore::pageAt(bool playing) const {
    return pageOfEntry(playing ? playingPosition : editedPosition);
}

int QvCore::entrySteps(int n) const {
    return clampInt((long long)pageOfEntry(n).bars() * stepsPerBarValue, 0, kMaxSongSteps);
}

int QvCore::startTickOf(int n) const {
    if (n < 0 || n >= pageSlots.count()) return 0;
    long long sum = 0;
    for (int e = 0; e < n && sum < kMaxSongSteps; ++e) sum += entrySteps(e);
    return clampInt(sum, 0, kMaxSongSteps);
}

int QvCore::songLength() const {
    int last = pageSlots.count() - 1;
    if (last < 0) return 0;
    int idx = pageSlots.at(last);
    if (idx < 0 || idx >= kPageCount) return 0;
    return clampInt((long long)startTickOf(last) + entrySteps(last), 0, kMaxSongSteps);
}

SequenceLocation QvCore::locateStep(int step) const {
    SequenceLocation at;
    long long start = 0;
    bool found = false;
    for (int e = 0; e < pageSlots.count() && start <= step; ++e) {
        at.entry = e;
        at.entryStart = int(start);
        found = true;
        start += entrySteps(e);
        if (start > kMaxSongSteps) break;
    }
    if (!found) return SequenceLocation();
    at.offset = step - at.entryStart;
    return at;
}

double QvCore::playPositionInBars() const {
    if (!engine) return 0.0;
    return engine->stepControl.position() / stepsPerBarValue;
}

int QvCore::barsToSteps(double bars) const {
    return truncToInt(bars * stepsPerBarValue);
}

std::string QvCore::pageSequenceText() const {
    std::string text;
    for (int idx : pageSlots) text += pageLabel(idx);
    return text;
}

void QvCore::parsePageSequence(const std::string& text) {
    pageSlots.clear();
    for (char c : text) {
        if (c >= '1' && c <= '9')
            pageSlots.add(c - '1');
        else if (c == '0')
            pageSlots.add(9);
        else if (c >= 'a' && c <= 'z')
            pageSlots.add(10 + c - 'a');
        else if (c >= 'A' && c <= 'Z')
            pageSlots.add(10 + c - 'A');
    }
    if (pageSlots.empty()) pageSlots.add(0);
}

bool QvCore::loopRegionUsable() const {
    return loopRegionActive && loopStart >= 0 && loopEnd >= loopStart;
}

bool QvCore::capturing() const {
    return engine && engine->midi.capturing;
}

std::int64_t QvCore::nowMs() const {
    return engine ? engine->clock.nowMs() : 0;
}

int QvCore::stepInPageToUnits(int stepInPage) const {
    return clampInt((long long)stepInPage * kUnitsPerBar / stepsPerBarValue, -kMaxSongSteps, kMaxSongSteps);
}

double QvCore::masterVolume() const {
    double g = engine ? engine->styles.current().globalVol * 0.01 : 1.0;
    if (capturing())
        g *= exportNormalisation;
    else
        g *= mute ? 0.0 : sessionVolume;
    return g * fadeFactor;
}

void QvCore::applyMix(double master, bool sendProgramsAndPans) {
    if (!engine) return;
    const StyleFile& style = engine->styles.current();
    static const double kPanOffset[kPartCount] = {0.0, 0.0, 0.4, -0.4, 0.25, -0.25, 0.12};
    for (int i = 0; i < kPartCount && i < style.tracks.count() && i < engine->instruments.count(); ++i) {
        const StyleTrack& track = style.tracks.at(i);
        if (track.mode == 0) continue;
        Instrument& voice = engine->instruments.at(i);
        if (sendProgramsAndPans) voice.setProgram(track.prog);
        double part = track.type == 0 ? mix.volDrums : (track.type == 1 ? mix.volBass : mix.volChords);
        double layer = 1.0;
        if (track.type == 2 || track.type == 3) {
            int abc = i < engine->arpeggios.count() ? engine->arpeggios.at(i).abc : 1;
            layer = abc == 2 ? mix.mixB : (abc == 3 ? mix.mixC : mix.mixA);
        }
        voice.setVolume(master * part, track.vol * layer * 0.01);
        if (sendProgramsAndPans) voice.setPan(0.5 + kPanOffset[i]);
    }
}

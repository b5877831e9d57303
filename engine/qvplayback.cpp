// The playback side of the session: the driver called once per poll, the loop range, the chord and
// arrangement under the play position, the fade-out and the mix.
#include <cmath>

#include "engine/qvcore.h"
#include "engine/qvengine.h"

namespace {

int clampToInt(long long v) {
    if (v > kMaxSongSteps) return kMaxSongSteps;
    if (v < -kMaxSongSteps) return -kMaxSongSteps;
    return int(v);
}

} // namespace

void QvCore::updatePlayback(bool busy, bool force) {
    if (!engine) return;
    StepControl& clk = engine->stepControl;
    bool stepDue = force || clk.tick();
    if (clk.playing) updateFadeOut(false);
    if (stepDue) {
        if (!capturing()) lastStepTime = nowMs();
        updateLoopRange(busy);
        double before = clk.position();
        clk.nextStep();
        if (clk.playing) {
            // The fade-out does not move the position, so one reading serves both checks.
            const int now = clk.absoluteStep();
            if (clk.positionAt(now) < before) updateFadeOut(false);
            // The chord is checked every second step (every third in compound meters), and at once
            // after anything that made it unknown.
            int k = stepsPerBeatValue % 3 == 0 ? 3 : 2;
            ChordCheck check;
            if (now % k == 0 || chordChanged) {
                check = chordAtPlayPosition();
                chordChanged = false;
            }
            // Arrangement points count only on beats.
            bool applied = false;
            bool hit = false;
            const QvPage& page = pageAt(true);
            if (page.apointCount() > 0 && clk.stepInPage % stepsPerBeatValue == 0) {
                int index = page.findAPoint(stepInPageToUnits(clk.stepInPage));
                if (index >= 0) {
                    const QvAPoint& point = page.apoints.at(index);
                    QvAPoint& live = engine->liveArrangement;
                    if (point.arrangeEnabled) {
                        live = point;
                        applied = true;
                    }
                    live.fillEnabled = point.fillEnabled;
                    live.cym = point.cym;
                    live.pos = point.pos;
                    hit = point.fillEnabled;
                }
            }
            clk.playStep(check.changed, check.chordStart, applied, hit);
        }
    }
    for (Instrument& v : engine->instruments) v.processDueNotes();
}

void QvCore::playFrom(int step, bool start, bool busy) {
    if (!engine) return;
    if (!capturing()) lastStepTime = nowMs();
    if (capturing()) {
        fadeFactor = 1.0;
    } else if (fadeOutMode != 0) {
        fadeFactor = -1.0; // differs from any factor, so the mix is sent whatever the new one is
        updateFadeOut(true);
    } else {
        fadeFactor = 1.0;
        applyMix(masterVolume(), false);
    }
    StepControl& clk = engine->stepControl;
    clk.locate(step, start);
    restartFlag = true;
    updatePlayback(busy, start || clk.playing);
}

void QvCore::updateLoopRange(bool busy) {
    if (!engine) return;
    StepControl& clk = engine->stepControl;
    if (playingPosition < 0 || playingPosition >= pageSlots.count()) playingPosition = 0;
    if (loopRegionActive && loopStart >= 0 && loopEnd >= 0 && loopStart > loopEnd) loopRegionActive = false;
    long long songLen = songLength();
    long long pageStart = startTickOf(playingPosition);
    long long now = clk.absoluteStepFrom(int(pageStart));
    long long pageEnd = pageStart + entrySteps(playingPosition);
    long long loopFrom = (long long)stepsPerBarValue * loopStart;
    long long loopTo;
    if (restartFlag) {
        loopTo = songLen;
        restartFlag = false;
    } else {
        loopTo = (long long)stepsPerBarValue * ((long long)loopEnd + 1);
    }
    if (songLen != lastSongLength) {
        if (pageEnd < now) clk.locate(int(pageStart), false);
        clk.patternStep = restartStyleOnPageChange ? clk.stepInPage : clk.absoluteStep();
        lastSongLength = int(songLen);
    }
    // While the export captures, the song plays once through: no page repeat and no loop region.
    bool exporting = capturing();
    bool region = loopRegionUsable() && !exporting;
    long long start;
    long long end;
    if (!exporting && (busy || loopMode == 1)) {
        start = pageStart;
        end = pageEnd;
        if (region && !(pageEnd < now && now != loopTo) && !(now < loopFrom) && !(loopTo < now)) {
            if (pageStart < loopFrom) start = loopFrom;
            if (loopTo < pageEnd) end = loopTo;
        }
    } else {
        start = 0;
        end = songLen;
        if (region && loopTo >= now) {
            start = loopFrom;
            end = loopTo;
        }
        if (songLen < end) end = songLen;
    }
    clk.startStep = clampToInt(start);
    clk.endStep = clampToInt(end);
}

ChordCheck QvCore::chordAtPlayPosition() {
    ChordCheck out;
    QvChord result;
    const QvPage& page = pageAt(true);
    if (page.chordCount() > 0 && engine) {
        currentChordIndex = 0;
        long long p = stepInPageToUnits(engine->stepControl.stepInPage);
        long long start = 0;
        for (int i = 0; i < page.chordCount(); ++i) {
            if (start == p) out.chordStart = true;
            if (start <= p) currentChordIndex = i;
            start += page.chords.at(i).len;
        }
        result = page.chords.at(currentChordIndex);
    } else {
        result = lastChordBeforePage();
    }
    out.changed = !result.equals(currentChord);
    currentChord = result;
    return out;
}

QvChord QvCore::lastChordBeforePage() const {
    for (int e = playingPosition - 1; e >= 0 && e < pageSlots.count(); --e) {
        int idx = pageSlots.at(e);
        if (idx < 0 || idx >= pages.count()) break;
        const QvPage& page = pages.at(idx);
        if (page.chordCount() > 0) return page.chords.at(page.chordCount() - 1);
    }
    return emptyChord();
}

void QvCore::applyArrangementAtPosition() {
    if (!engine) return;
    QvAPoint& live = engine->liveArrangement;
    live = QvAPoint(0);
    int p = stepInPageToUnits(engine->stepControl.stepInPage);
    const QvPage& page = pageAt(true);
    int last = -1;
    int lastArranged = -1;
    for (int i = page.apointCount() - 1; i >= 0; --i) {
        const QvAPoint& point = page.apoints.at(i);
        if (point.pos > p) continue;
        if (last < 0) last = i;
        if (point.arrangeEnabled) {
            lastArranged = i;
            break;
        }
    }
    if (lastArranged >= 0) live = page.apoints.at(lastArranged);
    if (last >= 0) {
        const QvAPoint& point = page.apoints.at(last);
        live.pos = point.pos;
        live.fillEnabled = point.fillEnabled;
        live.cym = point.cym;
    }
}

void QvCore::updateFadeOut(bool force) {
    if (!engine) return;
    if (!force && fadeOutMode == 0) return;
    StepControl& clk = engine->stepControl;
    long long now = clk.absoluteStep();
    long long len = songLength();
    long long fade = 0;
    long long v = fadeOutMode;
    if (v > 0 && v != kFadeFromLastPoint) {
        fade = v * stepsPerBeatValue * tempoValue / 60;
    } else if (v < 0) {
        fade = (long long)stepsPerBarValue * -v;
    } else if (v == kFadeFromLastPoint) {
        for (int e = pageSlots.count() - 1; e >= 0; --e) {
            const QvPage& page = pageOfEntry(e);
            if (page.apointCount() == 0) continue;
            long long q = page.apoints.at(page.apointCount() - 1).pos;
            fade = len - q * stepsPerBarValue / kUnitsPerBar - startTickOf(e);
            break;
        }
    }
    if (fade > len) fade = len;
    double pos;
    if (capturing()) {
        pos = clk.position();
    } else {
        long long perMinute = (long long)tempoValue * stepsPerBeatValue;
        if (perMinute == 0) {
            pos = double(now);
        } else {
            double f = double(nowMs() - lastStepTime) / (60000.0 / double(perMinute));
            if (!(f >= 0.0)) f = 0.0;
            if (f > 1.0) f = 1.0;
            pos = double(now) + f;
        }
    }
    double factor = 1.0;
    if (fade > 0 && pos > double(len - fade)) factor = 1.0 - (pos - double(len - fade)) / double(fade);
    if (std::fabs(factor - fadeFactor) >= 0.01) {
        fadeFactor = factor;
        applyMix(masterVolume(), false);
    }
}

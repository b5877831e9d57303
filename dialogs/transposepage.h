#pragma once
// The Transpose page: transposes the chords of all pages, the edited page or the selected chords by
// 0..11 semitones, previewed on the session as the choice changes; anything but OK takes it back.
class QuoVelanta;

struct TransposeState {
    int semitones = 0;        // the chosen interval, 0..11
    int applyTo = 0;          // 0 all pages, 1 the actual page, 2 the selected chords
    int appliedSemitones = 0; // the interval applied to the session as the preview
    int appliedMode = 0;      // the applyTo of that preview
    int appliedPage = 0;      // the index (0..35) of the page the preview was applied to (modes 1, 2)
    void reset(bool chordsSelected);
};

// True when confirmed with OK (the transposition stays); otherwise the session is as before.
bool showTransposePage(QuoVelanta& app, bool chordsSelected);
// The menus' command: the page, and on OK the undo step "Transpose" and the page repainted.
bool transposeCommand(QuoVelanta& app, bool chordsSelected);

// The preview moves: the old one is taken back on the page it was applied to, the new one applied on
// the page edited now (exposed for tests).
void applyTransposePreview(QuoVelanta& app, TransposeState& state);
void undoTransposePreview(QuoVelanta& app, TransposeState& state);

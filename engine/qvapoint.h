#pragma once
// One arrangement point on a chord page, and the General MIDI drum note classes it filters.
#include <string>

#include "foundation/llist.h"
#include "foundation/textstream.h"

constexpr int kArrangementKindCount = 19; // preset kinds 0..18 of applyKind
constexpr int kMaxPointPos = 767;         // last position a point may take on a page

bool isKickNote(int note);
bool isSnareNote(int note);
bool isHihatNote(int note);
bool isRideNote(int note);
bool isHihatOrRideNote(int note);
bool isPercussionNote(int note); // none of kick, snare, hi-hat or ride (crash cymbals included)
bool isCrashNote(int note);
bool isSplashNote(int note);
bool isChinaNote(int note);
bool isCrashTypeNote(int note);
bool isCymbalNote(int note);

class QvAPoint : public TextStream {
  public:
    // Display names, program-wide constants shared by every point.
    static const Llist<std::string>& drumModeNames();  // "Normal", "Break", "Off"
    static const Llist<std::string>& bassModeNames();  // "Normal", "Sustain", "Break", "Off"
    static const Llist<std::string>& chordModeNames(); // "Normal", "Sustain", "Break", "Off"
    static const Llist<std::string>& cymbalNames();    // "Off", "Crash", ... "China"

    int pos = 0;         // position on the page in 48ths of a bar
    int posBefore34 = 0; // not stored: position before the last conversion to 3/4
    int posAfter34 = 0;  // not stored: position right after that conversion
    bool arrangeEnabled = true;
    bool fillEnabled = true;
    int mDrums = 0;  // 0 Normal, 1 Break, 2 Off
    int mBass = 0;   // 0 Normal, 1 Sustain, 2 Break, 3 Off
    int mChords = 0; // 0 Normal, 1 Sustain, 2 Break, 3 Off
    bool oKick = true;
    bool oSnare = true;
    bool oHihat = true; // hi-hat and ride
    bool oPerc = true;
    bool oA = true;
    bool oB = true;
    bool oC = true;
    int cym = 1; // 0 Off, 1 Crash, 2 Crash 2, 3 Splash, 4 Ride, 5 Ride 2, 6 Ride Bell, 7 China

    explicit QvAPoint(int pos_ = 0) : pos(pos_) {}

    // False when the note's drum group is switched off.
    bool allowsNote(int note) const;
    // Display name of preset kind 0..18 (empty for another kind, which changes nothing). With apply the
    // point takes the kind's modes, every part switch on, fillEnabled on and cym Crash (Off for kind 18);
    // otherwise with mark the name gets a leading "#" when the point matches the kind.
    std::string applyKind(int kind, bool apply, bool mark);

    // Keys "pos", "arrangeEnabled", "fillEnabled", "mDrums", "mBass", "mChords", "oKick", "oSnare",
    // "oHihat", "oPerc", "oA", "oB", "oC", "cym". After reading, pos is clamped to 0..767.
    void serialize() override;
};

#pragma once
// The session's mixer: part volumes, drum group velocities and chord layer volumes (levels 0..1).
#include "foundation/textstream.h"

class QvSessionMix : public TextStream {
  public:
    double volDrums = 0.8;
    double mixKick = 0.5;
    double mixSnare = 0.5;
    double mixHihat = 0.5;
    double mixExtra = 0.5;
    double mixRide = 0.5;
    double mixCrash = 0.5;
    double mixFxCym = 0.5;
    double volBass = 0.8;
    double volChords = 0.8;
    double mixA = 1.0;
    double mixB = 1.0;
    double mixC = 1.0;
    int forStyle = -1;         // style number the mix belongs to
    bool writeForStyle = true; // serialize includes "forStyle"

    QvSessionMix() { setDefaults(); }

    // Drum values 0.5 and layers 1.0; volumes and forStyle unchanged.
    void setNeutral();
    // Volumes 0.8, the neutral mix, forStyle -1.
    void setDefaults();
    // A drum value other than 0.5 or a layer value other than 1.0.
    bool isCustom() const;

    // The 13 levels "volDrums" .. "mixC", then "forStyle" when writeForStyle. After reading, a level that
    // is not a finite number becomes 1.0 and every level is clamped to 0..1.
    void serialize() override;
};

#pragma once
// The click of the count-in (and of the MIDI export's precount): a General MIDI percussion key and
// velocity on the drum channel, chosen by the option precountSound.
struct PrecountClick {
    int key = 42;
    int velocity = 85;
};

// 0 hi-hat, 1 side stick, 2 cowbell, 3 claves, 4 wood block, 5 triangle; any other value the hi-hat.
inline PrecountClick precountClickNote(int precountSound) {
    switch (precountSound) {
    case 1:
        return {37, 90};
    case 2:
        return {56, 90};
    case 3:
        return {75, 100};
    case 4:
        return {76, 100};
    case 5:
        return {80, 105};
    default:
        return {42, 85};
    }
}

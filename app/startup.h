#pragma once
// The program's start-up sequence, run once the main form has been shown: pictures, layout and
// paint, MIDI output, the first-run sound test, the new session and the session named on the
// command line.
#include <string>

class QuoVelanta;
class QvContext;
class ReferenceTones;
class TFmain;

// Also says, once, which stores could not be read and were kept aside.
void runStartupSequence(QuoVelanta& app, TFmain& form, const std::string& firstArgument);

// Saves the stores once the main loop has ended (they are not saved again when they go) and says in
// one message which of them could not be written. A store that was not read at start and could not
// be kept aside is left alone without a word (start-up said so).
void saveStoresAtExit(QvContext& context, ReferenceTones* tones);

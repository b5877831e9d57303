#pragma once
// The program's start-up sequence, run once the main form has been shown: pictures, layout and
// paint, MIDI output, the first-run sound test, the new session and the session named on the
// command line.
#include <string>

class QuoVelanta;
class TFmain;

void runStartupSequence(QuoVelanta& app, TFmain& form, const std::string& firstArgument);

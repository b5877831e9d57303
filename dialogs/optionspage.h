#pragma once
// The Options page (MIDI device and channel plan, warnings, note naming, automatic closing of the
// selectors, the window's model, colours and looks; every change takes effect at once) and the Hot
// Keys page (a fixed table of actions and keys).
class Options;
class QuoVelanta;
class TFdialog;

void showOptionsPage(QuoVelanta& app);
void showHotKeysPage();

// The Options page's rows over o (begun with beginPage), without its hooks.
void layOutOptionsPage(TFdialog& page, Options& o);

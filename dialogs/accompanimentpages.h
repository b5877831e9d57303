#pragma once
// Four small "OK only" setting pages whose widgets change the live session or the options at once:
// Accompaniment, Fade Out, Precount and Visual Transpose. Session changes record undo steps.
#include <string>

#include "foundation/llist.h"

class QuoVelanta;

bool showAccompanimentPage(QuoVelanta& app); // true when closed with OK
void showFadeOutPage(QuoVelanta& app);
void showPrecountPage(QuoVelanta& app);
void showVisualTransposePage(QuoVelanta& app);

// The fade-out setting as text ("Off", "From last Arrangement Point", "4 bars", "1 bar", "10 sec")
// and a choice text (a leading "-" separator mark allowed) back to the setting.
std::string fadeOutText(int fadeOutMode);
int fadeOutValue(const std::string& choiceText);
// The n-th bar choices of the Accompaniment page: item 0 names the style's own interval.
Llist<std::string> autoCymbalItems(int styleNthBar);
// The text the n-th bar box shows for the session's value (0: item 0's text).
std::string autoCymbalText(int sessionNthBar, int styleNthBar);

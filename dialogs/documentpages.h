#pragma once
// The pages around the session document: the page sequence as text, the session links, the export
// settings of the chord chart and the MIDI file, and the text-list page (the global notes).
#include <string>

#include "foundation/llist.h"

class Options;
class QuoVelanta;

// The page play order as text; true on OK, and text then holds the edited string. A text longer
// than the usual 80 characters (read from a file) is shown and kept whole.
bool editPageSequence(std::string& text);
// The session's five links on five tabs, starting on startLink (clamped to 0..4); true on OK, and
// the links are then copied into the session. Browse asks through the program's file dialogs, Test
// opens the text through the desktop (web and mail addresses and documents only).
bool editSessionLinks(QuoVelanta& app, int startLink);
// The export settings; true when "Select File" was pressed. The boxes change the options at once.
bool askTextExportSettings(Options& options);
bool askMidiExportSettings(Options& options);
// The lines in a memo; true on OK, and lines then holds the memo's lines.
bool editTextList(const std::string& title, Llist<std::string>& lines);

// The memo text of lines and back: each line ends with a line break, so a last empty line and empty
// lines in the middle come back as they were; a text's final line break ends the last line and
// makes no extra entry. Carriage returns before a break are dropped.
std::string joinMemoLines(const Llist<std::string>& lines);
Llist<std::string> splitMemoText(const std::string& text);

// Sets the main object's hooks for these pages (page sequence, session links, export settings and
// the text list).
void connectDocumentPages(QuoVelanta& app);

#pragma once
// The main application object: connects the window to the session and the playback engine, and
// carries the operations every part of the interface uses to play, stop and switch styles. Its
// engine side needs no window: repaints go to a QvHost, questions to a Prompt.
#include <string>

#include "app/qvhost.h"
#include "app/styleeditbuffer.h"
#include "engine/prompt.h"
#include "engine/qvengine.h"
#include "foundation/textstream.h"

// MIDI channel index of part 0..6: part 0 (and below) is the drum part on index 9; parts 1..6 use six
// consecutive indexes from midiChannels (the option, 0..9), skipping index 9.
int partMidiChannel(int part, int midiChannels);

class FileDialogs;
class QvHistory;
class RecentFiles;

class QuoVelanta : public TextStream {
  public:
    // Builds the seven voices (voice i on partMidiChannel (i)) and the seven track engines, opens
    // the MIDI output and starts a new session silently. engine, host and prompt outlive the object.
    QuoVelanta(QvEngine& engine, QvHost& host, Prompt& prompt);
    // Closes the MIDI output first.
    ~QuoVelanta() override;
    QuoVelanta(const QuoVelanta&) = delete;
    QuoVelanta& operator=(const QuoVelanta&) = delete;

    static constexpr const char* kDocumentVersion = "2.2";

    QvEngine& engine;
    QvHost& host;
    Prompt& prompt;

    std::string sessionPath;                    // empty for an untitled session
    std::string fileVersion = kDocumentVersion; // version text of the open session file
    bool playButtonOn = false;                  // the play button's pressed look

    // The window's editing state that makes playback hold the displayed page (set by the input
    // handlers): the open selector overlay's kind, the resized chord (-1 none), a drag armed or
    // moving, a popup menu open.
    int selectorKind = 0;
    int resizedChord = -1;
    bool dragInProgress = false;
    bool popupMenuOpen = false;

    int partMidiChannel(int part) const;
    // Lists the devices, settles the device option, opens the device, moves every voice to its
    // channel, sends the master tuning and reselects the style (programs, volumes, pans again).
    void openMidiOutput();
    // One playback poll (nothing while the export captures); repaints when playback ended in it.
    void playbackTick();
    // Switches the music style: -1 the session's own style, -2 reload the current style and take
    // its tempo. With askMeter a switch into 3/4 asks before chords or points are dropped.
    void selectStyle(int styleId, bool setTempo, bool repaintPanels, bool askMeter);
    // Counts what a conversion to 3/4 would drop and asks; true = convert (also when nothing is
    // lost); Cancel or a closed question is false.
    bool confirmConvertTo34();
    void convertAllPagesMeter(bool to34);
    // The play/stop command.
    void togglePlay();
    // True while an edit holds the displayed page (selector kinds 4..6, a chord resize, a drag, a menu).
    bool isBusy() const;
    // A new session: playback stops, the session, voices, engines and clock are reset and the style
    // is selected again. Without silent it first asks to save changes (false: the user declined or the
    // save failed, nothing changed), and afterwards repaints and resets the history.
    bool newSession(bool silent);
    int currentStyle() const { return engine.core.styleNumber; }

    // The session document (sessionfile.cpp). The collaborators are set by the program context once
    // they exist; without them the flows ask nothing, keep no history and list no recent files.
    QvHistory* history = nullptr;
    RecentFiles* recentFiles = nullptr;
    FileDialogs* fileDialogs = nullptr;
    // The session file body (header "QuoVelanta Session").
    void serialize() override;
    // Asks "Save changes to session ...?" when there are unsaved changes; true to go on (No, nothing
    // to save, or Yes with a successful save), false to stop (Cancel, closed, or the save did not
    // happen).
    bool querySaveChanges();
    // Opens a session file (an empty path asks with the open dialog); true when a file was read.
    bool openSession(const std::string& path);
    // Saves to the session's path (a new session goes through Save As); true when written.
    bool saveSession();
    bool saveSessionAs();
    // Closes an open selector overlay and stops playback (before file commands and dialogs).
    void stopAndCloseSelector();
    // After the history wrote a copy back into the live session.
    void afterHistoryRestore();
    // The end of a new session that is not silent: windows refreshed, history reset.
    void afterNewSession();

    // MIDI file and chord chart export (midiexport.cpp, chordexport.cpp).
    // Renders the whole song into a Standard MIDI File; a failure is reported to the user.
    bool exportMidiFile(const std::string& path);
    // The save dialog for the MIDI file, then the export; false when cancelled or failed.
    bool saveMidiFileAs();
    // The live session's chord chart as text lines.
    void exportChordsAsText(Llist<std::string>& lines) const;
    // The save dialog for the chart, then the chart is written; false when cancelled or failed.
    bool saveChordsAsText();

    // ---- The Style Programmer's edit buffer (styleedits.cpp) ----
    // The style the Style Programmer edits. selectStyle puts the edited copy back whenever it selects
    // that style again, and asks before another style replaces it.
    StyleEditBuffer styleEdits;
    enum class StyleEditEnd { KeepEditing, Unchanged, Overwritten, NewFile, Discarded };
    // Before something replaces the edited style (nextStyleId: the style that plays next; -1 another
    // session): when there are unsaved edits of another style, asks "Save changes to style N?" with
    // Yes, Discard and Cancel (Yes then asks for the file, as closing does). True to go on (nothing
    // to ask, written, or discarded); false keeps the edits (Cancel, a closed question, a failed
    // write), and the caller then changes nothing.
    bool confirmStyleEdits(int nextStyleId);
    // The close of the Style Programmer: with unsaved edits asks as above; afterwards the library is
    // read again, the session's style selected again and the window repainted. KeepEditing: the
    // window stays open with its edits.
    StyleEditEnd closeStyleEdits();
    // The two questions and the write; the buffer's edits are forgotten unless KeepEditing.
    StyleEditEnd resolveStyleEdits();
    // The file the last write went to (empty when none).
    std::string lastStyleWrite;
    // selectStyle's guard: false when the switch must not happen; may move id back to the edited style.
    bool keepStyleEdits(int styleId, int& id);
};

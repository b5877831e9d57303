#pragma once
// The main application object: connects the window to the session and the playback engine, and
// carries the operations every part of the interface uses to play, stop and switch styles. Its
// engine side needs no window: repaints go to a QvHost, questions to a Prompt.
#include <cstdint>
#include <optional>
#include <string>

#include "app/qvhost.h"
#include "app/styleeditbuffer.h"
#include "app/windowhooks.h"
#include "engine/prompt.h"
#include "engine/qvapoint.h"
#include "engine/qvengine.h"
#include "engine/sessionfile.h"
#include "foundation/textstream.h"
#include "ui/aapen.h"
#include "ui/limage.h"
#include "ui/sccontrols.h"
#include "ui/theme.h"

// MIDI channel index of part 0..6: part 0 (and below) is the drum part on index 9; parts 1..6 use six
// consecutive indexes from midiChannels (the option, 0..9), skipping index 9.
int partMidiChannel(int part, int midiChannels);
// lo <= v <= hi.
bool inRange(int v, int lo, int hi);

class CustomStyleMixes;
class FileDialogs;
class TFmain;
class GlobalNotes;
class MenuPresenter;
class QvHistory;
class RecentFiles;
// Selector overlay contents.
class Canvas;
class CustomStyleMixes;
class Limage;
class QvAPoint;
class QvChord;
class QvSelector;

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
    // moving (dragInProgress, read from the drags' own flags), a popup menu open.
    int selectorKind = 0;
    int resizedChord = -1;
    bool popupMenuOpen = false;
    bool dragInProgress() const;

    int partMidiChannel(int part) const;
    // Lists the devices, settles the device option, opens the device, moves every voice to its
    // channel, sends the master tuning and reselects the style (programs, volumes, pans again).
    void openMidiOutput();
    // The same over a device list already taken (the Options page opens from the list it shows). A
    // stored device name found in the list is preferred to the stored index.
    void openMidiOutputFrom(const Llist<std::string>& names);
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
    // What reading the open session's file left out to fit the limits (set by the last read).
    SessionCuts readCuts;
    // The open session lost part of its file when it was read: it counts as changed until it is
    // saved or replaced, so that it is never written over its file without the user choosing to.
    bool openedWithCuts = false;
    // Asks "Save changes to session ...?" when there are unsaved changes; true to go on (No, nothing
    // to save, or Yes with a successful save), false to stop (Cancel, closed, or the save did not
    // happen).
    bool querySaveChanges();
    // Opens a session file (an empty path asks with the open dialog); true when a file was read. A
    // file that cannot be read whole is reported with its name and the reason, and the current
    // session stays as it was.
    bool openSession(const std::string& path);
    // Saves to the session's path (a new session goes through Save As); true when written. A failed
    // write is reported with the file and the reason and offers to save under another name.
    bool saveSession();
    bool saveSessionAs();
    // Writes the session body to path atomically; the reason when it failed.
    FileProblem writeSessionFile(const std::string& path);
    // "Failed to save file." with the file and the reason; true when the user wants another name.
    bool offerSaveAs(const std::string& path, FileProblem problem);
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

    // ---- Selector overlay contents (selectorcontents.cpp) ----
    // Each opener fills the one overlay with its sensors, labels and lines, sets selectorKind and
    // paints it over target (the window's back buffer; canvas: the window, may be null). The overlay
    // and the custom mixes are set by the program context; without an overlay the openers only set
    // the kind.
    QvSelector* selector = nullptr;
    CustomStyleMixes* customStyleMixes = nullptr;
    int styleSelectorPage = 0; // page of the style selector shown when the styles need several
    // x, y: the left and bottom edges of the Style, Tempo or Key box; the overlay's corner goes to
    // (x - 3, y + 1). Without both keep flags the page showing the current style is chosen.
    void openStyleSelector(Limage* target, Canvas* canvas, int x, int y, int currentStyleId, bool keepPage1,
                           bool keepPage2);
    void openTempoSelector(Limage* target, Canvas* canvas, int x, int y, int currentTempo);
    void openKeySelector(Limage* target, Canvas* canvas, int x, int y, bool present);
    // The chord editor above the chord cell at cellX, cellTop, kept between the page's edges; with a
    // null target only the sensors are rebuilt in place (nothing painted).
    void openChordSelector(const QvChord& chord, Limage* target, Canvas* canvas, int cellX, int cellTop,
                           int pageLeft, int pageRight);
    void openPageMenu(Limage* target, Canvas* canvas, int slotX, int slotTop, int currentPage, int pageLeft,
                      int pageRight);
    // pointX -1 centres the overlay over the area.
    void openArrangementSelector(const QvAPoint& point, Limage* target, Canvas* canvas, int areaLeft,
                                 int stripTop, int areaRight, int pointX);
    // The same selector built again where it was opened, on the same target and canvas (nothing when
    // that kind is not open): the style selector with the session's style (keepPage: the page stays),
    // the tempo and key selectors from the session, the chord editor on the given (edited) chord, the
    // page menu for the given page, the arrangement point selector on the given (edited) point.
    void rebuildStyleSelector(bool keepPage);
    void rebuildTempoSelector();
    void rebuildKeySelector(bool present);
    void rebuildChordSelector(const QvChord& chord);
    void rebuildPageMenu(int currentPage);
    void rebuildArrangementSelector(const QvAPoint& point);
    // The mixer window calls it after a custom mix was saved or deleted.
    void repaintStyleSelector();
    // Leaves any selector: the edited chord, the slot with a menu and the selected point are forgotten,
    // the overlay closes (kind 0) and the window repaints what it covered (QvHost::selectorClosed).
    void closeSelector(bool present);
    // The open selector's sensor id under a window point (no state change), -1 none or closed.
    int selectorSensorAt(int x, int y) const;

    // Where the open selector was placed: the opener's arguments after the target and canvas.
    int selectorPlace[4] = {0, 0, 0, 0};
    // Opens the overlay for a kind (used by the openers).
    void beginSelector(int kind, Limage* target, Canvas* canvas, int left, int top, int width, int height);
    // ---- end of the selector block ----
    // ---------------------------------------------------------------------------------------------
    // Commands of the main window: keys, transport and count-in, sound, tempo, key, repeat and loop,
    // chords, pages and the clipboard (keyboard.cpp, transport.cpp, soundcommands.cpp,
    // pagecommands.cpp). Every session change ends with one undo step.
    // ---------------------------------------------------------------------------------------------
    WindowHooks hooks; // windows and overlays of other parts of the program (empty: nothing opens)

    // Count-in and the play-from marker.
    bool countInRunning = false;    // a count-in is sounding
    bool countInCancelled = false;  // a cancel request for the running count-in, consumed by its waits
    int playMarkerPosition = -1;    // play-from marker under the mouse, 48ths of a bar from the page start
    int countInMarkerPosition = -1; // the marker held (flashing) while a click-to-play count-in runs
    bool quitRequested = false;     // ends the main loop

    // Control variables the control panel binds its buttons to.
    bool tempoResetButton = false;
    bool keyResetButton = false;
    bool mixAtDefaults = true; // every gain at its default

    // Indexes bound to the edited page (-1 none); cancelInteractions resets them all.
    int hoveredChord = -1;       // chord cell under the mouse
    int editedChord = -1;        // chord the chord editor is open on
    int selectedPoint = -1;      // arrangement point open in the point editor
    int selectedPointX = 0;      // its x on the arrangement strip
    int pointDragIndex = -1;     // arrangement point last pressed on the strip
    int menuSlot = -1;           // page-sequence slot the page menu belongs to
    int previousClickChord = -1; // chord hovered at the previous click (double-click memory)

    // Keys of the main window (Windows virtual-key numbers, see qtKeyToVk). Any key but Shift and
    // Ctrl ends a count-in first; then every matching row of the key table runs.
    void keyDown(int virtualKey, bool ctrl, bool shift);

    // Transport.
    // The quit request: true (and quitRequested set) when nothing unsaved would be lost.
    bool requestQuit();
    // The precount clicks before playback; true when playback may start.
    bool countIn();
    // Ends a running count-in; with cancel its waits give up and nothing starts.
    void stopCountIn(bool cancel);
    // With stopIfPlaying a running playback stops instead; otherwise playback starts (after the
    // count-in) at the song start, the edited page, the loop start (nothing without a loop) or the
    // play-from marker.
    void playFromStart(bool stopIfPlaying);
    void playFromCurrentPage(bool stopIfPlaying);
    void playFromLoopStart(bool stopIfPlaying);
    void playFromPosition();
    // While playing: waits (at most one second) until the play position reaches the end of a beat
    // group, so that an arrangement change lands on the beat.
    void waitForBeat();
    // precountMode 0 -> 1 -> 2 -> 0.
    void cyclePrecount();

    // Sound, tempo, key, repeat and loop.
    // A control changed the variable at `changed` (the session volume, the mute switch, a part
    // volume, the tempo slider, or one of the three reset buttons).
    void adjustSoundMix(const void* changed, bool record);
    bool isSoundMixChanged() const;
    void stepTempo(bool up);
    void shiftKey(bool up);
    void resetKeyShift(bool record);
    void setRepeatMode(int mode); // -1 cycles; above 2 nothing
    void toggleLoop();
    void clearLoop();
    static void toggleFlag(bool& flag) { flag = !flag; }
    void toggleMute(); // key U
    void toggleMixer();
    void showReferenceTones();
    void showVisualTranspose();
    void openSessionLink(int link);
    void editSessionLinks(int link);
    // For the style selector: switches to a style the user picked (customMixMark: the click fell on
    // the style's custom-mix mark). A switch into 3/4 is asked about first; declined, nothing changes
    // (false). Otherwise the mix is reset or the custom mix applied (unless the volume levels are
    // locked), the style selected and "Set style: " + name recorded.
    bool chooseStyle(int styleId, bool customMixMark);

    // Chords, pages and the clipboard (all on the edited page).
    void openChordEditor();
    void loadChordEditorBuffer();
    void openArrangementPointEditor();
    void openPageSlotMenu(bool blit);
    void deleteChord();
    void deleteArrangementPoint();
    void cutOrCopyChords(bool cut);
    // index -1: after the last chord; replacePage: the page's content is replaced (only when the
    // paste is taken; a refused paste leaves the page as it was).
    void pasteChords(int index, bool replacePage);
    void selectAllChords();
    void deselectChords();
    void clearPage();
    void editPageSequenceAsText();
    void clearPageSequence();
    void afterPageChange(bool repaintPage);
    void undo();
    void redo();
    // For the mouse input: a "no chord" appended on the add-chord area (its length the last chord's,
    // cut to the zoomed page's room); returns its index, -1 when there is no room.
    int addChordAtEnd();
    // For the mouse input: the last entry's page appended to the sequence and edited (at most 80
    // entries); returns the new entry, -1 when the sequence is full.
    int addPageToSequence();
    static constexpr int kMaxSequenceEntries = kMaxPageSlots;

    // Closes an open selector overlay (with repaint); the editor and menu indexes go with it.
    void closeSelectorOverlay();
    // Every index and drag bound to the edited page is forgotten and an open chord or point editor
    // closed: after undo, redo, delete, cut, paste, new, open and whenever the edited page changes.
    void cancelInteractions();
    // Runs cancelInteractions when the edited page changed since the indexes were taken (playback
    // followed to another page, a page was chosen). Every input event calls it first, before it
    // takes new indexes on the page it shows (keyDown does; so must the mouse handlers).
    void checkPageBinding();
    // One undo step (nothing without a history).
    void recordStep(const std::string& description, bool merge);

  private:
    int boundPosition = -1; // edited sequence position and page the indexes above belong to
    int boundPage = -1;
    int countInDepth = 0;
    // The chord indexes after chords were removed or inserted (the point indexes stay valid).
    void forgetChordIndexes();
    bool countInWait(std::int64_t untilMs);

  public:
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

    // ---------------------------------------------------------------------------------------------
    // The main window (window side): layout, painting, the form's input entry points and the
    // window state that input, menus and commands share. Painters live in mainlayout.cpp,
    // pagepainter.cpp, rulerpainter.cpp, panels.cpp and hint.cpp.
    // ---------------------------------------------------------------------------------------------

    // Host and drawing.
    TFmain* hostForm = nullptr; // set by the first paintWindow
    Limage backBuffer;          // the whole client area
    bool deferBlit = false;     // painters draw into the back buffer only
    int playButtonState = 0;    // the play button's displayed state (0 stopped, 1 playing, 2 dimmed)
    Theme theme;                // colours; whiteModel and displayTextColor set by paintWindow
    AaPen aaPen;
    ScContext scContext;            // the Sc drawing context (UI-ready flag included)
    ScControls controls{scContext}; // the widgets of the control panel
    static constexpr int kGlyphCount = 10;
    enum Glyph {
        Iflat,
        Isharp,
        Iflat_small,
        Isharp_small,
        Iflat_large,
        Isharp_large,
        IplayButton,
        IplayButtonPush,
        IplayButtonWhite,
        IplayButtonWhitePush
    };
    Limage glyphImages[kGlyphCount];
    Limage keyStripImages[4];        // stripes flat, stripes sharp, gradient flat, gradient sharp
    bool keyStripsWithSigns = false; // the strips were built with the small flat and sharp signs

    // Layout rectangles (client pixels, left/top inclusive).
    Llist<std::string> menuTitles{0, 8, true};
    Llist<TRect> menuTitleRects{0, 8, true};
    int hoveredMenuTitle = -1; // -1 none, -2 forces a repaint
    TRect closeRect = globalUndefinedRect, minimiseRect = globalUndefinedRect;
    bool closeHover = false, minimiseHover = false;
    TRect displayRect = globalUndefinedRect, panelBand = globalUndefinedRect;
    TRect sessionLabelRect = globalUndefinedRect, sessionNameRect = globalUndefinedRect;
    TRect styleCell = globalUndefinedRect, tempoCell = globalUndefinedRect, keyCell = globalUndefinedRect;
    TRect styleBoxRect = globalUndefinedRect, tempoBoxRect = globalUndefinedRect,
          keyBoxRect = globalUndefinedRect;
    TRect playButtonRect = globalUndefinedRect;
    TRect tempoPlusRect = globalUndefinedRect, tempoMinusRect = globalUndefinedRect;
    TRect keyShiftPlusRect = globalUndefinedRect, keyShiftMinusRect = globalUndefinedRect;
    TRect arrangementStrip = globalUndefinedRect;
    Llist<TRect> pointRects{0, 16, true};
    TRect pageArea = globalUndefinedRect;
    Llist<TRect> chordRects{0, 32, true};
    TRect addChordRect = globalUndefinedRect;
    TRect positionScale = globalUndefinedRect, rulerRect = globalUndefinedRect;
    TRect slotStrip = globalUndefinedRect;
    Llist<TRect> slotRects{0, 32, true};
    TRect addPageRect = globalUndefinedRect;
    TRect visualiserRect = globalUndefinedRect;
    TRect repeatBoxRect = globalUndefinedRect, precountBoxRect = globalUndefinedRect;
    TRect masterTuneBoxRect = globalUndefinedRect, transposeBoxRect = globalUndefinedRect;
    TRect linkRects[kSessionLinkCount] = {globalUndefinedRect, globalUndefinedRect, globalUndefinedRect,
                                          globalUndefinedRect, globalUndefinedRect};
    TPoint barsBoxOrigin;
    TRect barsBoxRect = globalUndefinedRect;

    // Mouse input state (hover, clicks, drags); indices -1 = none.
    int mouseX = -1, mouseY = -1;
    int hoveredResizeHandle = -1, hoveredSlot = -1;
    bool addPageHover = false, addChordHover = false;
    int hoveredStripPosition = -1, hoveredLoopBar = -1;
    int lastClickX = 0, lastClickY = 0, lastClickButton = 0, lastClickModifier = 0;
    std::int64_t lastClickTime = 0;
    int previousClickSlot = -1, previousClickStripPosition = -1;
    int selectionAnchor = -1, dismissedSensor = -1;
    bool titleDragging = false;
    TPoint dragStartCursor, dragStartFormPos;
    bool chordDragArmed = false, chordDragMoving = false;
    int chordDropIndex = -1;
    bool pointDragArmed = false, pointDragMoving = false;
    bool loopDragging = false;
    int loopDragAnchor = -1;
    bool copyModifierDown = false; // Ctrl or Shift held at the last poll
    std::int64_t lastModifierPollMs = 0;
    bool playButtonPressed = false;
    // Menus: the open and the requested menu title (-1 none).
    int openMenu = -1, requestedMenu = -1;
    // Flags of the main loop.
    bool minimiseRequested = false;   // the main loop minimises the window while the program is active
    bool closeRequestPending = false; // the desktop asked to close; the main loop asks the quit question
    bool mainLoopEnded = false;       // the window may close without asking
    // Ruler timing.
    std::int64_t rulerLastPaint = 0;
    std::int64_t pageTurnBlinkStart = -1;
    // Hint and attention flash.
    bool hintArmed = false, hintFinished = false;
    std::int64_t hintStartMs = 0;
    TRect hintRect{0, 0, 0, 0};
    bool attentionFlash = false;
    int paintedChordIndex = -1;       // index of the chord cell being composed
    bool playbackTickRunning = false; // guards playbackTick against running inside itself

    // Start-up and layout.
    void loadGlyphImages();
    void paintWindow(TFmain* host);
    void blitToForm();
    void buildControlPanels();
    void buildKeyStripImages();
    void paintMenuBar(bool force);
    void paintPanelBackground(Canvas& canvas, int x1, int x2, bool withReflection);
    void layoutPagePanel();
    void refreshPanels();
    // The idle tick of the loops: a playback tick, the displayed page following playback, the
    // play-position repaints, the Ctrl/Shift poll and the menu bar hover.
    void idleTick();
    // The edited position follows the playing one; every page-bound index is reset.
    void followPlayingPage();
    // Copies a back-buffer rectangle (inclusive) to the form unless deferBlit.
    void present(const TRect& rect);
    // The same, shown at once (only where no events are pumped).
    void presentNow(const TRect& rect);
    // Copies graphic onto canvas clipped to rect in two halves with a playback tick between, then
    // shows it at once.
    void drawGraphicRect(const Bitmap24& graphic, Canvas& canvas, const TRect& rect, int x, int y);
    std::string sessionPathText() const { return sessionPath; }
    int clientWidth() const;
    static constexpr int kClientHeight = 602;

    // Chord page.
    void paintPage(bool skipUnderSelector);
    TRect paintChordCell(int left, int top, int right, int bottom, const QvChord* chord, bool highlighted,
                         bool hovered, bool playing);
    void repaintPageWithSelector();
    TColor keyColour(int pitchClass) const;
    double beatPulse() const;
    void shadeCell(Limage& image, bool tall) const;
    int pageZoom(const QvPage& page) const;
    // Ruler, strip, slots, bars box.
    void paintRuler(bool force);
    void paintArrangementStrip();
    void paintArrangementPoint(int x, int state, bool hovered, const QvAPoint& point);
    void paintPageSlots(bool skipUnderSelector);
    void drawSlotFrame(Limage& target, int x, int y, int w, int h, bool plus);
    void paintBarsPanel(bool toggleZoom);
    // Panels.
    void paintSessionPanel(bool hovered);
    TRect paintStatusBox(const TRect& rect, const std::string& label, const std::string& value, bool open,
                         bool enabled);
    void paintStyleBox();
    void paintTempoBox();
    void paintKeyBox();
    void paintRepeatBox();
    void paintPrecountBox();
    void paintMasterTuneBox();
    void paintTransposingInstrumentBox();
    void paintPositionCounter();
    void paintSessionLinks(int hoveredLink);
    void paintPlayButton(int state);
    void drawPlaySymbol(int cx, int cy, int radius, int state);
    void paintVisualiser();
    void paintKeyboardVisualiser(bool wide);
    void paintNoteMatrixVisualiser();
    void paintChordBassVisualiser();
    std::string tempoBoxText() const;
    std::string keyBoxText() const;
    std::string positionCounterText(std::string& total) const;
    // Hint and flash.
    void animateHint(bool start);
    std::string hintText() const;
    void clearHint();
    void idleFlash();

    // The form's input entry points (button 1 left, 2 right, 0 other; modifier 2 Shift, 1 Ctrl).
    void mouseDown(int x, int y, int button, int modifier, bool synthetic);
    void mouseMove(int x, int y, bool leftDown, int modifier);
    void mouseUp(int x, int y, int button, int modifier);
    void keyUp(int key, bool ctrl, bool shift);
    // A dialog page is shown: the main form then forwards no input.
    bool isDialogVisible() const { return hooks.isDialogVisible && hooks.isDialogVisible(); }

    // ---- Mouse input (maininput.cpp) ----
    // The position under the mouse in 48ths of a bar from the page start: row 0 the band under the
    // chord cells (snapped down to the beat), row 1 the arrangement strip (nearest beat); -1 none.
    int positionAtMouse(int row) const;
    // The song bar under the mouse on the ruler (during a loop drag clamped to the page), -1 none.
    int loopBarAtMouse() const;
    // The window's title area, where a press moves the window.
    bool isInDragArea(int x, int y) const;
    // Recomputes every hover member and repaints what changed.
    void updateHover();
    // The drags and the click memory are forgotten (the session changed under them).
    void cancelMouseState();
    // The context menus (items in menu markup, the place on the screen, colour and column width; -1
    // none chosen). Empty: the popup menu.
    std::function<int(const Llist<std::string>& items, int x, int y, TColor colour, int width)> contextMenu;
    // The click that dismissed the last menu, in client coordinates: true when there was one (empty:
    // the popup menu's own record, taken when the click fell on the main window).
    std::function<bool(int& x, int& y, int& button, int& modifiers)> dismissClickSource;
    // Windows of other parts the mouse opens: the arrangement point menu (index, opened by the menu
    // button; true when something was chosen) and the Transpose page on the selected chords (true on OK).
    std::function<bool(int point, bool onMenuButton)> arrangementPointMenu;
    std::function<bool()> transposeSelectedChords;
    // Chord menu actions.
    void splitChord();
    void insertChord();
    // A click that closed a menu elsewhere on the window is replayed (as a synthetic mouse-down at
    // x, y) once the running mouse-down has ended: flat, never nested. The replay takes the button of
    // the click that opened the menu and no modifier, whatever button and modifier closed it.
    void scheduleClickReplay(int x, int y, int button, int modifier);

  private:
    bool replayPending = false; // a dismissing click waits to be replayed (flat, never nested)
    bool blitPending = false;
    void mouseDownOnce(int x, int y, int button, int modifier, bool synthetic);
    // At (x, y) on the screen (-1000: the mouse), in colour (-1 grey), columnWidth wide (-1 measured).
    // A menu dismissed by a click on the main window has that click replayed.
    int runContextMenu(const Llist<std::string>& items, int x = -1000, int y = -1000, TColor colour = -1,
                       int columnWidth = -1);
    // The point editor's mode and cymbal popups under sensor id: the choice, or -1 (then the sensor
    // remembers its dismissal so that the replayed click on it does not reopen it).
    int arrangementSensorPopup(int id, const Llist<std::string>& names, int current);
    void selectorClick(int x, int y, int button, int kindAtEntry, bool& done);
    void arrangementEditorClick(int x, int y, int button);
    void showChordMenu();
    void showAddChordMenu();
    void showRulerMenu(int bar);
    void showSlotMenu(int slot);
    void showDisplayMenu();
    void endPointDrag(int modifier);
    void endChordDrag(int modifier);
    void flushBlit();
    // Every chord, arrangement-point and loop drag is dropped.
    void dropDrags();

  public:
    // ---- end of the mouse input block ----
    // Every hover, click, drag and editing index back to "none", the loop flags cleared (new session).
    void resetWindowInputState();

  public:
    // ---- Menu bar, menus and pointer helpers (menubar.cpp, pointmenu.cpp) ----
    // An open Edit menu or context menu is marked by popupMenuOpen (isBusy reads it).
    // How menus are shown (null: the program's popup menu).
    MenuPresenter* menuPresenter = nullptr;
    GlobalNotes* globalNotes = nullptr; // set by the program context
    // The arrangement point clipboard.
    std::optional<QvAPoint> pointClipboard; // empty: nothing copied
    // -1 the mouse is on no title; 3 the menu ended with the mouse on its title; 2 a key closed the
    // last popup; else 1 an item ran, 0 dismissed.
    int runMenuBar();
    // From the idle tick while a popup menu shows: the mouse over another title requests that menu
    // and closes the popup.
    void trackMenuBarHover();
    // The items under title index, at (title.Left + 6, title.Top + 21); the chosen index (also of an
    // item that does not act) or -1 when the menu closed without a choice.
    int popupMenuUnderTitle(int index, const Llist<std::string>& items);
    // The items of each menu (also the tests' view of the menus).
    Llist<std::string> fileMenuItems() const;
    Llist<std::string> editMenuItems() const;
    Llist<std::string> playMenuItems() const;
    Llist<std::string> optionsMenuItems() const;
    Llist<std::string> helpMenuItems() const;
    // The preset progression entries of the Edit menu's page, in catalogue order (a separator never
    // first nor after another); indexes (may be null) gets each entry's catalogue index, -1 for a
    // separator.
    static Llist<std::string> presetProgressionMenuNames(Llist<int>* indexes);
    // Each builds, shows and runs one menu; true when an item was chosen (a dimmed one, which does
    // nothing, included).
    bool runFileMenu();
    bool runEditMenu();
    bool runPlayMenu();
    bool runOptionsMenu();
    bool runHelpMenu();
    // Runs item i of a menu as if chosen (a dimmed item does nothing); true when it acted.
    bool runFileItem(int i);
    bool runEditItem(int i);
    bool runPlayItem(int i);
    bool runOptionsItem(int i);
    bool runHelpItem(int i);
    std::string undoDescription() const;
    std::string redoDescription() const;
    // The Edit menu's preset progressions: the page (hooks.choosePresetProgression), then the chords
    // added or replacing the page. True when the page changed.
    bool presetChordProgressions();
    // entry (an index of the catalogue) added to (replace false) or replacing the edited page; false
    // with a message when it does not fit.
    bool applyPresetProgression(int entry, bool replace);
    // The global notes on the text-list page, saved when confirmed.
    void editGlobalNotes();
    // Shows a help or web address; a failure is told to the user.
    void openAddress(const std::string& target);
    // The context menu of the arrangement point at position (48ths of a bar) of the edited page.
    bool showArrangementPointMenu(int position, bool fromEditor);
    Llist<std::string> arrangementPointMenuItems(int position) const;
    bool runArrangementPointItem(int position, int item);
    void updateMousePosition();
    // ---- end of the menu block ----
};

#pragma once
// The main application object: connects the window to the session and the playback engine, and
// carries the operations every part of the interface uses to play, stop and switch styles. Its
// engine side needs no window: repaints go to a QvHost, questions to a Prompt.
#include <cstdint>
#include <string>

#include "app/qvhost.h"
#include "app/windowhooks.h"
#include "engine/prompt.h"
#include "engine/qvengine.h"
#include "foundation/textstream.h"
#include "ui/aapen.h"
#include "ui/limage.h"
#include "ui/sccontrols.h"
#include "ui/theme.h"

// MIDI channel index of part 0..6: part 0 (and below) is the drum part on index 9; parts 1..6 use six
// consecutive indexes from midiChannels (the option, 0..9), skipping index 9.
int partMidiChannel(int part, int midiChannels);

class FileDialogs;
class TFmain;
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
    // ---------------------------------------------------------------------------------------------
    // The main window (window side): layout, painting, the form's input entry points and the
    // window state that input, menus and commands share. Painters live in mainlayout.cpp,
    // pagepainter.cpp, rulerpainter.cpp, panels.cpp and hint.cpp.
    // ---------------------------------------------------------------------------------------------

    // What the other windows and the input plug in (each may be empty).
    QvWindowHooks hooks;

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

    // Variables the control panel's toggles are bound to.
    bool tempoResetButton = false;
    bool keyResetButton = false;
    bool mixAtDefaults = true;

    // Mouse input state (hover, clicks, drags); indices -1 = none.
    int mouseX = -1, mouseY = -1;
    int hoveredChord = -1, hoveredResizeHandle = -1, hoveredSlot = -1;
    bool addPageHover = false, addChordHover = false;
    int hoveredStripPosition = -1, hoveredLoopBar = -1;
    int lastClickX = 0, lastClickY = 0, lastClickButton = 0, lastClickModifier = 0;
    std::int64_t lastClickTime = 0;
    int previousClickChord = -1, previousClickSlot = -1, previousClickStripPosition = -1;
    int selectionAnchor = -1, dismissedSensor = -1;
    bool titleDragging = false;
    TPoint dragStartCursor, dragStartFormPos;
    bool chordDragArmed = false, chordDragMoving = false;
    int chordDropIndex = -1;
    int pointDragIndex = -1;
    bool pointDragArmed = false, pointDragMoving = false;
    bool loopDragging = false;
    int loopDragAnchor = -1;
    bool copyModifierDown = false; // Ctrl or Shift held at the last poll
    std::int64_t lastModifierPollMs = 0;
    bool playButtonPressed = false;
    // Editing state of the commands; indices into the edited page, -1 none.
    int editedChord = -1, menuSlot = -1, selectedPoint = -1, selectedPointX = -1;
    // Count-in and play-from marker.
    bool countInRunning = false, countInCancelled = false;
    int playMarkerPosition = -1, countInMarkerPosition = -1;
    // Menus: the open and the requested menu title (-1 none), the Edit menu open.
    int openMenu = -1, requestedMenu = -1;
    bool editMenuOpen = false;
    // Flags of the main loop.
    bool quitRequested = false;       // ends the main loop
    bool minimiseRequested = false;   // the main loop minimises the window once
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
    bool isSoundMixChanged() const;
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
    void keyDown(int key, bool ctrl, bool shift);
    void keyUp(int key, bool ctrl, bool shift);
    // A dialog page is shown: the main form then forwards no input.
    bool isDialogVisible() const { return hooks.isDialogVisible && hooks.isDialogVisible(); }
    // Every hover, click, drag and editing index back to "none", the loop flags cleared (new session).
    void resetWindowInputState();
    // The quit request: asks to save changes; true (and the quit flag set) when the program may end.
    bool requestQuit();
};

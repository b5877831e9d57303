#pragma once
// The dialog pages: every small dialog of the program is a page drawn into its own image and shown in
// a borderless, application-modal window of fixed size. A page function builds one page object,
//
//     TFdialog page(kPageFadeOut);
//     page.beginPage(297, 160, "Fade Out");          // size, centre, frame and title
//     page.drawFadeOutRow(text);                      // rows and widgets (dialogrows.cpp)
//     page.onSelectorClick = [&](int slot, int index) { ... };
//     int result = page.showPage("OK", "", "");      // buttons, then the page's wait
//
// and reads the result: 0, 1 or 2 for the bottom button pressed, -1 when the page was closed (Esc, the
// window closed, the program quitting). Each call has its own page object, so a question asked from
// inside a page (a message box) runs as a page of its own and the interrupted page keeps its widgets,
// values, position and result. The wait ticks playback through the program's modal loop.
#include <QPoint>
#include <QSize>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "foundation/llist.h"
#include "platform/qt/windowsurface.h"
#include "ui/aapen.h"
#include "ui/keygate.h"
#include "ui/limage.h"
#include "ui/sccontrols.h"
#include "ui/scvaluebox.h"
#include "ui/theme.h"

class Options;
class QLineEdit;
class QPlainTextEdit;
class QListWidget;

// Page ids (8 is never used; kNoPage: no page shown or being built).
enum DialogPageId : int {
    kPageTranspose = 0,
    kPageAccompaniment = 1,
    kPageFadeOut = 2,
    kPagePageSequence = 3,
    kPageOptions = 4,
    kPageHotKeys = 5,
    kPageTextList = 6,
    kPageSessionLinks = 7,
    kPageMessageBox = 9,
    kPageHistory = 10,
    kPagePresetProgressions = 11,
    kPagePrecount = 12,
    kPageVisualTranspose = 13,
    kPageReferenceTones = 14,
    kPageSaveChordsAsText = 15,
    kPageSaveAsMidiFile = 16,
    kPageAbout = 17,
    kPageSoundTest = 20,
    kPageLoopHelp = 21,
    kNoPage = 22,
};

// What the pages need from the rest of the program; the application fills it once at start.
struct DialogServices {
    // The options: the look (whiteModel, displayTextColor) and the value lists of the selector rows.
    // Without them the pages use the default look and the rows show empty values.
    Options* options = nullptr;
    // The popup menu: (items, current index, screen x, screen y, colour, column width) -> the chosen
    // index or -1. Without it a value box offers nothing.
    std::function<int(const Llist<std::string>& items, int current, int x, int y, TColor colour, int width)>
        showPopupMenu;
    // True while a popup menu is open; a press on a page then only closes it (closePopupMenu).
    std::function<bool()> popupMenuVisible;
    std::function<void()> closePopupMenu;
    // The screen size pages are centred on and clamped to (default: the primary screen).
    std::function<QSize()> screenSize;
    // The Sound Test page's picture (blended in by beginPage when set).
    const Limage* soundTestPicture = nullptr;
};
DialogServices& dialogServices();
QSize dialogScreenSize();

class TFdialog : public WindowSurface {
  public:
    static constexpr int kTitleBarHeight = 24;
    static constexpr int kSlotCount = 10;

    explicit TFdialog(int pageId);
    ~TFdialog() override;
    TFdialog(const TFdialog&) = delete;
    TFdialog& operator=(const TFdialog&) = delete;

    // --- The page -----------------------------------------------------------------------------------
    int dialogPageId;                     // this page's id
    int dialogResult = -1;                // -1 closed, 0..2 the bottom button
    bool keepPlaybackRunning = true;      // false on the Reference Tones page only
    std::optional<QPoint> reopenPosition; // set before beginPage: the page keeps this screen position
    Limage dialogImage;                   // the page picture; the window shows it
    Theme theme;                          // the look the page was drawn in
    TColor pageBackground = 0;
    TColor pageTextColour = 0;
    TColor pageLineColour = 0;

    // The page's widgets and their drawing context (aimed at dialogImage and this window).
    ScContext scContext;
    AaPen aaPen;
    ScControls controls{scContext};
    std::array<TRect, 3> bottomButtonRects{};
    std::array<std::string, 3> bottomButtonTexts{}; // the captions of the bottom buttons shown
    TRect linkRect{-1, -1, -1, -1};                 // the last link text drawn
    TRect helpRect{0, 0, 0, 0};                     // the "?" circle of the Accompaniment page
    std::array<ScValueBox, kSlotCount> selectorSlots{};
    // The items each slot's box offers (the rows over the options fill them; a page sets its own).
    std::array<Llist<std::string>, kSlotCount> slotItems;
    // Session Links: the tab labels, their hit rects and the selected tab.
    Llist<std::string> linkTabLabels;
    Llist<TRect> tabRects;
    int selectedLinkTab = 0;

    // --- What the page function adds ----------------------------------------------------------------
    // A widget changed its bound variable (isClick: a click; false: a fader drag).
    std::function<void(void* variable, bool isClick)> onValueChanged;
    // A choice in a value box: the slot and the chosen index (always inside the slot's items).
    std::function<void(int slot, int index)> onSelectorClick;
    // The page's own press (after the widgets); button 1 left, 2 right, 0 middle.
    std::function<void(int x, int y, int button)> onMouseDown;
    // The page's own release (after the bottom buttons); pressed is the rect of the button that was
    // pressed, or (-1, -1, -1, -1).
    std::function<void(int x, int y, const TRect& pressed)> onMouseUp;
    // A key before Enter and Esc are applied; true when the page used it.
    std::function<bool(int key, bool ctrl, bool shift)> onKeyDown;
    // Right after the page is shown; on every pass of its wait.
    std::function<void()> onShown;
    std::function<void()> eachPass;
    // A click on an item of the list box (the index, -1 below the last item).
    std::function<void(int index)> onListClick;

    // --- Building and running -----------------------------------------------------------------------
    void beginPage(int width, int height, const std::string& title);
    // Adds the bottom buttons (an empty text1: none), shows the page and waits until it closes.
    int showPage(const std::string& text1, const std::string& text2, const std::string& text3);
    // Aims the page's drawing context at its image and window and takes the page colours of the
    // current look again (after anything that repainted the main window while the page is open).
    void selectDialogDrawing();
    // Detaches the page's drawing context; called when the page ends.
    void restoreMainDrawing();
    // Copies the page picture to the window.
    void present();
    // Ends the page's wait with this result.
    void closePage(int result);
    bool isClosed() const { return closed_; }
    // The page's wait is running.
    bool isRunning() const { return running_; }
    // Offers items in the popup menu under the slot's value box when (x, y) lies in it; the chosen
    // index (inside the list) or -1.
    int openSelectorPopup(int x, int y, const Llist<std::string>& items, int slot);
    // The playback tick while the page keeps playback running.
    void tickPlayback();

    // The standard controls, made on first use: the edit box (pages 3 and 7), the memo (page 6) and
    // the list box (pages 10 and 11).
    QLineEdit* Esequence();
    QPlainTextEdit* Mnotes();
    QListWidget* Llistbox();

    // --- Rows (dialogrows.cpp) ----------------------------------------------------------------------
    // Markup: "^" bold, then "~" or a text beginning "www." a link (its rect becomes linkRect);
    // links false: only "^" is markup, the rest is drawn as it is.
    // size -1: 11 px; colour -1: the page text colour; fillWidth > 0 clears the strip first.
    void drawPageText(int x, int y, const std::string& text, int size = -1, TColor colour = -1,
                      int fillWidth = 0, bool links = true);
    // Each returns the widget's index in its list (buttons or faders).
    int addCheckBox(int x, int y, const std::string& label, bool* target);
    int addRadioButton(int x, int y, const std::string& label, int* target, int value);
    int addPushButton(int x, int y, int width, const std::string& text, bool large);
    int addFader(int x, int y, const std::string& label, double* target, int length);
    // Label and value box in one slot (0..9; any other slot draws nothing).
    void addSelectorRow(int x, int y, int labelWidth, int boxWidth, const std::string& label,
                        const std::string& valueText, int slot);
    void drawPageLine(int x1, int y1, int x2, int y2, TColor colour = -1);
    void drawIndentConnector(int a, int b);
    void drawRowConnector(int a, int b);
    void drawLinkTabs();
    // The rows of the pages over the options' value lists.
    void drawMidiDeviceRow();
    void drawMidiChannelsRow();
    void drawTextColorRow();
    void drawChordColorsRow();
    void drawChordLookRow();
    void drawChordCursorRow();
    void drawVisualizeNotesRow();
    void drawPrecountModeRow();
    void drawPrecountSoundRow();
    void drawPrecountWaitRow();
    void drawTransposingInstrumentRow();
    void drawCentsRow();
    void drawSemiRow();
    void drawFreqRow();
    void drawExportSilenceRow();
    void drawExportPrecountRow();
    // Rows whose value text the page computes.
    void drawFadeOutRow(const std::string& valueText);
    void drawAutoCymbalRow(const std::string& valueText);
    void drawCustomPitchRow(const std::string& pitchName);
    void drawRefToneRepeatRow(const std::string& durationText);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyGate keyGate_{this};
    bool closed_ = false;
    bool running_ = false;
    bool begun_ = false;
    bool popupOpen_ = false;
    bool dragArmed_ = false;
    QPoint dragMouse_;
    QPoint dragForm_;
    QLineEdit* edit_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QListWidget* list_ = nullptr;

    void drawFrame(int w, int h, const std::string& title);
    void drawPillar(int x0, int h, TColor p, TColor p2);
    void darkSeam(int x, int h);
    void styleControls();
    void handleKey(int key, bool ctrl, bool shift);
    void waitUntilClosed();
    void drawTextAt(int x, int top, const std::string& text, int size, TColor colour, bool forceBold,
                    bool links = true);
    void valueRow(int x, int y, int labelWidth, int boxWidth, const std::string& label,
                  const std::string& value, int slot, TColor boxColour, TColor textColour);
};

// The page the user sees on top (null when none), whether any page is showing, and the id of the top
// page (kNoPage when none). The main window takes no input while a page shows.
TFdialog* topDialogPage();
bool isDialogVisible();
int currentDialogPageId();
// Closes every open page (result -1), as when the main window is closed.
void closeDialogPages();

// The item of a value list shown in a value box: the text at index, or an empty text for an index
// outside the list.
std::string slotItem(const Llist<std::string>& list, int index);

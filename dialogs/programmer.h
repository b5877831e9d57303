#pragma once
// The Style Programmer: a tool window in which the current music style is edited while it plays:
// its name, tempo and step grid, the parameters of its seven tracks, and each track's pattern as a
// grid of steps by pitches, with a context menu of pattern operations and a library of every
// loaded style's tracks to copy from. It edits the main object's style edit buffer; every completed
// edit is re-applied to the playing session at once, and closing asks whether to save.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/programmermodel.h"
#include "ui/limage.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QuoVelanta;
class WindowSurface;

class TFprogrammer : public QWidget {
  public:
    static constexpr int kClientWidth = 1024;
    static constexpr int kClientHeight = 692;

    explicit TFprogrammer(QuoVelanta& app, QWidget* parent = nullptr);
    ~TFprogrammer() override;

    // The popup menu and the popup grid of the program (items with the menu markup, the current
    // item, the place (-1000: at the mouse), colour -1 for the default): the chosen index or -1.
    // Until they are connected nothing is ever chosen.
    std::function<int(const Llist<std::string>& items, int current, int x, int y, int colour,
                      int columnWidth)>
        popupMenu;
    std::function<int(const Llist<std::string>& items, int current, int rowsPerColumn, int shadingGroup,
                      int x, int y, int colour)>
        popupGrid;

    // Ctrl+Shift+Insert on the main window: shows the window (or raises it) on the current style.
    void showProgrammer();
    // A style change of the session: when the window is visible, it shows the style again.
    void refresh();

    // The window's input, as its event handlers call it (x, y in client pixels).
    void mouseDown(int x, int y, bool right, bool ctrl, bool alt, bool shift);
    void mouseMove(int x, int y, bool leftHeld, bool rightHeld, bool ctrl, bool alt, bool shift);
    void mouseUp();
    // A key (program key number) on the window or one of its edits and lists; true when used.
    bool keyDown(int vk);
    // The close of the window (Esc, the close button): the save question; true when it closed.
    bool requestClose();
    // The library category chosen (0..4) and a library row clicked.
    void chooseCategory(int category);
    void chooseLibraryRow(int row);

    // Full paint or the grid alone.
    void paintProgrammer(bool gridOnly);

    ProgrammerModel model;
    QLineEdit* EstyleName = nullptr;
    QLineEdit* EstyleTempo = nullptr;
    QLineEdit* EstyleStepsPerBeat = nullptr;
    QLineEdit* EstyleStepsPerBar = nullptr;
    QLineEdit* EarpLength = nullptr;
    QListWidget* LarpCat = nullptr;
    QListWidget* Larp = nullptr;
    const std::vector<LibraryItem>& libraryRows() const { return library; }
    int applyCount() const { return applies; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QuoVelanta& app;
    WindowSurface* surface = nullptr;
    Limage image;
    std::vector<LibraryItem> library;
    bool fieldsReady = true;
    bool dragging = false;
    bool pendingApply = false; // a grid edit waits for the mouse to be released
    bool inPopup = false;      // a popup of this window is open
    bool applying = false;     // the window itself re-applies the style
    bool closing = false;
    int applies = 0;

    void startEditing();
    void onShow();
    void showStyleFields();
    void readStyleFields();
    void showLimitedTempo();
    void loadGrid();
    // Re-applies the style to the session; edited: the buffer changed (it becomes what plays).
    void apply(bool edited = true);
    void fillLibrary();
    void openOperationsMenu();
    void openProgramGrid(int track);
    void press(int x, int y, bool right, bool ctrl, bool alt, bool shift);
    void present();

    void paintGrid(bool labels); // the row labels change only with the track
    void paintTrackPanel();
    void paintTrackCell(int track, TrackParam p);
};

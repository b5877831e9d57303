#pragma once
// TFnotes: the Session Notes window, a borderless Shade-styled tool window with the session's notes
// in a plain-text memo. Edited notes go back into the session, as one "Edit session notes" step per
// editing visit, whenever the window loses the focus, is hidden or closed, and before the program
// asks to save or saves (storePending), so no typed text is lost.
#include "ui/shadeui.h"

class QPlainTextEdit;
class QuoVelanta;
class QvHistory;

class TFnotes : public ShadeWindow {
  public:
    static constexpr int kClientWidth = 604;
    static constexpr int kClientHeight = 340;

    TFnotes(QuoVelanta& app, QvHistory* history, QWidget* parent);
    ~TFnotes() override;

    ShadeUI ui;
    QPlainTextEdit* Mnotes = nullptr;
    bool changed = false;
    bool closeFlag = false;

    // The memo from the session's notes; the changed flag is cleared (loading never records).
    void loadNotes();
    // The session's notes from the memo; the changed flag is cleared.
    void storeNotes();
    // With unsaved typing: storeNotes and one undo step. True when a step was recorded.
    bool storePending();
    // Frame, colours and the "Close" button (again after a change of the look).
    void buildPanel();
    // The main window's N: shows the window with the session's notes (a showing window keeps its text).
    void showNotes();
    void formDeactivate() { storePending(); }
    void closeForm();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QuoVelanta& app;
    QvHistory* history;
    bool loading = false;
    int insertedAt = -1; // where the edit in progress inserted text

    // Cuts text just inserted from `at` to the cursor down to what a session file keeps of the notes.
    void keepWithinLimits(int at);
};

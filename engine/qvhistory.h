#pragma once
// The session's undo history: a ring of up to 100 whole copies of the live session, each under a
// short description of the edit that produced it. Every edit ends with one record; undo, redo and
// the history page write a copy back into the live session.
#include <string>

#include "engine/qvcore.h"
#include "engine/stepcontrol.h"
#include "foundation/circularlist.h"

// What the history asks of the main object around it.
class HistoryClient {
  public:
    virtual ~HistoryClient() = default;
    // One playback poll (before and after a record, so that recording costs no step).
    virtual void playbackTick() {}
    // The repeat box shows the loop; called when a record drops a loop that lies beyond the song.
    virtual void repaintRepeatBox() {}
    // After a copy was written back (chords deselected, clock taken back and stopped): reload the
    // style's voices, clear pending drags, repaint, refresh the mixer and notes windows.
    virtual void afterHistoryRestore() {}
    // Before an entry is written back: false keeps the live session as it is (the user chose to go
    // on with something the restore would replace, such as an edited style).
    virtual bool allowRestore(const QvCore& /*entry*/) { return true; }
};

class QvHistory {
  public:
    static constexpr int kCapacity = 100;

    bool modified = false; // the session changed since it was last reset, opened or saved
    History<QvCore> ring{kCapacity};

    // live and clock are the live session and the running clock; all three outlive the history.
    QvHistory(QvCore& live, StepControl& clock, HistoryClient& client);
    QvHistory(const QvHistory&) = delete;
    QvHistory& operator=(const QvHistory&) = delete;

    // Empties the ring, records one entry and clears modified ("[New session]", "[Open session]").
    void reset(const std::string& description);
    // Records the live session under the description. With merge, an entry whose description
    // agrees with the current one up to the first ':' replaces it (never the first entry).
    void record(const std::string& description, bool merge);
    // Each restores an entry and marks the session modified; outside the entries, or when the client
    // does not allow the restore, nothing happens.
    void undo();
    void redo();
    void jumpTo(int index);

    int count() const { return ring.count; }
    int position() const { return ring.position; }
    bool canUndo() const { return ring.position > 0; }
    bool canRedo() const { return ring.position < ring.count - 1; }
    // The description of entry i (0 = oldest); empty outside the entries.
    std::string description(int i) const;
    // What undo / redo would restore; empty when there is nothing.
    std::string undoDescription() const;
    std::string redoDescription() const;

    // The text a merge compares: up to the first ':' (the whole text without one).
    static std::string mergeKey(const std::string& description);

  private:
    QvCore& live;
    StepControl& clock;
    HistoryClient& client;
    void restore();
};

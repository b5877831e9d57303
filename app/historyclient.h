#pragma once
// The main object as the undo history's client: the playback polls around a record, the repeat box
// and what follows a restore.
#include "app/quovelanta.h"
#include "engine/qvhistory.h"

class MainHistoryClient : public HistoryClient {
  public:
    explicit MainHistoryClient(QuoVelanta& app_) : app(app_) {}
    void playbackTick() override { app.playbackTick(); }
    void repaintRepeatBox() override { app.host.repaintRepeatBox(); }
    void afterHistoryRestore() override { app.afterHistoryRestore(); }
    // A restore into another style asks first about the Style Programmer's unsaved edits.
    bool allowRestore(const QvCore& entry) override { return app.confirmStyleEdits(entry.styleNumber); }

  private:
    QuoVelanta& app;
};

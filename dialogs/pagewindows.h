#pragma once
// The pages and tool windows of the program around the main window, built once the main form exists and
// connected to the main object's hooks: the mixer, notes and title cards, the information and
// settings pages, the document pages, the menus' pages and the play-from marker. Gone in reverse, with
// every hook it set cleared, before the main form and the program-wide objects go.
#include <memory>

#include "app/positionmarker.h"

class InfoPages;
class QvContext;
class TFmain;
class ToolWindows;

class PageWindows {
  public:
    PageWindows(QvContext& context, TFmain& mainForm);
    ~PageWindows();
    PageWindows(const PageWindows&) = delete;
    PageWindows& operator=(const PageWindows&) = delete;

    ToolWindows& tools() { return *tools_; }
    PositionMarker& marker() { return marker_; }
    InfoPages& info() { return *info_; }

  private:
    QvContext& ctx;
    TFmain& form;
    std::unique_ptr<ToolWindows> tools_;
    std::unique_ptr<InfoPages> info_;
    PositionMarker marker_;
    bool repaintingUnder_ = false; // the page is painted again beneath the marker

    void connectMarker();
    void paintMarker(bool force, int mode);
};

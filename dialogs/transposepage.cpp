#include "dialogs/transposepage.h"

#include "app/quovelanta.h"
#include "dialogs/tfdialog.h"

namespace {

int editedPageIndex(const QvCore& core) {
    const int pos = core.editedPosition;
    if (pos < 0 || pos >= core.pageSlots.count()) return 0;
    const int page = core.pageSlots.at(pos);
    return page >= 0 && page < core.pages.count() ? page : 0;
}

void transposeBy(QvCore& core, int semitones, int mode, int pageIndex) {
    if (semitones == 0) return;
    if (mode == 0) {
        for (QvPage& page : core.pages) page.transposeChords(semitones, false);
    } else if (pageIndex >= 0 && pageIndex < core.pages.count()) {
        core.pages.at(pageIndex).transposeChords(semitones, mode == 2);
    }
}

} // namespace

void TransposeState::reset(bool chordsSelected) {
    semitones = 0;
    appliedSemitones = 0;
    applyTo = appliedMode = chordsSelected ? 2 : 0;
    appliedPage = 0;
}

void undoTransposePreview(QuoVelanta& app, TransposeState& state) {
    transposeBy(app.engine.core, -state.appliedSemitones, state.appliedMode, state.appliedPage);
    state.appliedSemitones = 0;
}

void applyTransposePreview(QuoVelanta& app, TransposeState& state) {
    QvCore& core = app.engine.core;
    undoTransposePreview(app, state);
    state.appliedPage = editedPageIndex(core);
    transposeBy(core, state.semitones, state.applyTo, state.appliedPage);
    state.appliedMode = state.applyTo;
    state.appliedSemitones = state.semitones;
    app.host.repaintPageArea(true);
}

bool showTransposePage(QuoVelanta& app, bool chordsSelected) {
    TransposeState state;
    state.reset(chordsSelected);
    state.appliedPage = editedPageIndex(app.engine.core);
    TFdialog page(kPageTranspose);
    page.beginPage(330, 443, "Transpose");
    page.drawPageText(25, 50, "Transpose by semitones:");
    static const char* const labels[12] = {"0",
                                           "1",
                                           "2",
                                           "3 - minor third",
                                           "4 - major third",
                                           "5 - perfect fourth",
                                           "6",
                                           "7 - perfect fifth",
                                           "8",
                                           "9 - major sixth",
                                           "10",
                                           "11 - major seventh"};
    for (int i = 0; i < 12; ++i) page.addRadioButton(25, 80 + 23 * i, labels[i], &state.semitones, i);
    const int x = 330 / 2 + 16;
    page.drawPageText(x, 257, "Apply to:");
    page.addRadioButton(x, 287, "All pages", &state.applyTo, 0);
    page.addRadioButton(x, 310, "Actual page", &state.applyTo, 1);
    page.addRadioButton(x, 333, "Selected chords", &state.applyTo, 2);
    page.onValueChanged = [&](void* variable, bool) {
        if (variable != &state.semitones && variable != &state.applyTo) return;
        applyTransposePreview(app, state);
        page.selectDialogDrawing();
    };
    const int result = page.showPage("OK", "Cancel", "");
    if (result == 0) return true;
    // Cancel, Esc, the window closed or the program quitting: the session goes back to what it was
    // before the page, whatever page is edited now.
    undoTransposePreview(app, state);
    app.host.repaintPageArea(true);
    return false;
}

bool transposeCommand(QuoVelanta& app, bool chordsSelected) {
    if (!showTransposePage(app, chordsSelected)) return false;
    app.recordStep("Transpose", false);
    app.host.repaintPageArea(true);
    return true;
}

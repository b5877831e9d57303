#include "dialogs/mixerwindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "app/quovelanta.h"
#include "engine/customstylemixes.h"
#include "engine/qvhistory.h"
#include "platform/qt/keymap.h"
#include "ui/popupmenu.h"
#include "ui/theme.h"

namespace {

constexpr const char* kCustomMix = "style's custom mix";

Theme themeOf(const QuoVelanta& app) {
    Theme t;
    t.whiteModel = app.engine.options.whiteModel;
    t.displayTextColor = app.engine.options.displayTextColor;
    return t;
}

} // namespace

bool drumsMixAtDefault(const QvSessionMix& m) {
    return m.volDrums == 0.8 && m.mixKick == 0.5 && m.mixSnare == 0.5 && m.mixHihat == 0.5 &&
           m.mixExtra == 0.5 && m.mixRide == 0.5 && m.mixCrash == 0.5 && m.mixFxCym == 0.5;
}

bool bassMixAtDefault(const QvSessionMix& m) {
    return m.volBass == 0.8;
}

bool chordsMixAtDefault(const QvSessionMix& m) {
    return m.volChords == 0.8 && m.mixA == 1.0 && m.mixB == 1.0 && m.mixC == 1.0;
}

bool handleTitleBoxes(ShadeUI& ui, QWidget& window) {
    bool acted = false;
    if (ui.closeRequested) {
        ui.closeRequested = false;
        window.hide();
        acted = true;
    }
    if (ui.minimiseRequested) {
        ui.minimiseRequested = false;
        if (window.isVisible()) window.showMinimized();
        acted = true;
    }
    return acted;
}

TFmixer::TFmixer(QuoVelanta& app_, QvHistory* history_, CustomStyleMixes* mixes_, QWidget* mainWindow_)
    : ShadeWindow(ui, mainWindow_), app(app_), history(history_), mixes(mixes_), mainWindow(mainWindow_) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle("Session Mixer");
    setFixedSize(kClientWidth, kClientHeight);
    popupMenu = [](const Llist<std::string>& items, int x, int y, TColor colour) {
        return showPopupMenu(items, -1, x, y, colour);
    };
    buildMixerPanel();
}

TFmixer::~TFmixer() = default;

void TFmixer::buildMixerPanel() {
    const Theme theme = themeOf(app);
    shadeDarkSkin() = !theme.whiteModel;
    ui.attach(this, "Session Mixer", false, true);
    QvSessionMix& mix = app.engine.core.mix;
    const TColor normal = ui.textColour;
    const TColor dim = scaleColour(theme.dimTextColour(), theme.whiteModel ? 0.93f : 1.45f);

    ui.begin([this] { handleMixerChange(); }, nullptr);
    auto big = [&](int index, int x, const char* label, double* bound) {
        groupFaderX[index] = x;
        groupFaderY[index] = 50;
        ui.setX(x).setY(50).setHeight(100).fader(label, bound, 0, 10, -1);
    };
    auto small = [&](int x, const char* label, double* bound, int ticks, int centre) {
        ui.setX(x).setY(87).setHeight(50).fader(label, bound, 1, ticks, centre);
    };
    auto reset = [&](int x, bool* flag) {
        ui.setX(x).setY(123).setHeight(20).setWidth(20).toggle("<reset>", flag);
    };

    big(0, 29, "Drums", &mix.volDrums);
    ui.textColour = dim;
    small(77, "kick", &mix.mixKick, 4, 2);
    small(119, "snare", &mix.mixSnare, 4, 2);
    small(161, "hi-hat", &mix.mixHihat, 4, 2);
    small(203, "extra", &mix.mixExtra, 4, 2);
    small(245, "ride", &mix.mixRide, 4, 2);
    small(287, "crash", &mix.mixCrash, 4, 2);
    small(329, "fx", &mix.mixFxCym, 4, 2);
    ui.setX(284).setY(66).label("cymbal");
    ui.textColour = normal;
    reset(368, &drumsAtDefault);
    big(1, 422, "Bass", &mix.volBass);
    reset(467, &bassAtDefault);
    big(2, 521, "Chords", &mix.volChords);
    small(569, "a", &mix.mixA, 10, -1);
    small(611, "b", &mix.mixB, 10, -1);
    small(653, "c", &mix.mixC, 10, -1);
    reset(692, &chordsAtDefault);

    // Group marks.
    ui.setX(243).setY(83).line(115);
    ui.setX(567).setY(83).line(115);
    ui.setX(613).setY(66).label("layer");
    for (int i = 0; i < 3; ++i) {
        ui.setX(groupFaderX[i] - 6).setY(103).line(6);
        ui.setX(groupFaderX[i] + 33).setY(103).line(6);
    }

    // Bottom row.
    const char* mixLabel = "Music style's custom mix";
    ui.setX(24).setY(245).label(mixLabel);
    // The button stands right of the label, also where the label's font runs wider.
    int dotsX = 144;
    if (ui.image.isValid()) {
        Canvas& c = *ui.image.canvas();
        c.font = Font{"Tahoma", -11, false, false, ui.textColour};
        dotsX = std::max(dotsX, 24 + c.textWidth(mixLabel) + 6);
    }
    ui.setX(dotsX).setY(241).setWidth(22).setHeight(22).button("...", 1);
    ui.setX(kClientWidth - 128).setY(241).setWidth(104).setHeight(22).button("Close", 0);
    updateMixResetFlags();
    ui.present();
}

void TFmixer::updateMixResetFlags() {
    const QvSessionMix& mix = app.engine.core.mix;
    drumsAtDefault = drumsMixAtDefault(mix);
    bassAtDefault = bassMixAtDefault(mix);
    chordsAtDefault = chordsMixAtDefault(mix);
    ui.redrawBoundTo(&drumsAtDefault);
    ui.redrawBoundTo(&bassAtDefault);
    ui.redrawBoundTo(&chordsAtDefault);
}

void TFmixer::refreshMixer(bool force) {
    if (!force && !isVisible()) return;
    updateMixResetFlags();
    ui.drawAll();
}

void TFmixer::handleMixerChange() {
    QvCore& core = app.engine.core;
    QvSessionMix& mix = core.mix;
    if (ui.buttonClicked) {
        if (ui.clickedId == 1) customMixMenu();
        if (ui.clickedId == 0) closeFlag = true;
        return;
    }
    void* v = ui.changedVariable;
    if (v == nullptr) return;
    std::string step;
    bool reset = false;
    if (v == &drumsAtDefault) {
        mix.volDrums = 0.8;
        mix.mixKick = mix.mixSnare = mix.mixHihat = mix.mixExtra = mix.mixRide = mix.mixCrash = mix.mixFxCym =
            0.5;
        reset = true;
        step = "reset drums";
    } else if (v == &bassAtDefault) {
        mix.volBass = 0.8;
        reset = true;
        step = "reset bass";
    } else if (v == &chordsAtDefault) {
        mix.volChords = 0.8;
        mix.mixA = mix.mixB = mix.mixC = 1.0;
        reset = true;
        step = "reset chords";
    } else if (v == &mix.volDrums) {
        step = "adjust drums volume";
    } else if (v == &mix.volBass) {
        step = "adjust bass volume";
    } else if (v == &mix.volChords) {
        step = "adjust chords volume";
    } else if (v == &mix.mixA) {
        step = "adjust volume of layer a";
    } else if (v == &mix.mixB) {
        step = "adjust volume of layer b";
    } else if (v == &mix.mixC) {
        step = "adjust volume of layer c";
    } else if (v == &mix.mixKick) {
        step = "adjust velocity of kick drum";
    } else if (v == &mix.mixSnare) {
        step = "adjust velocity of snare drum";
    } else if (v == &mix.mixHihat) {
        step = "adjust velocity of hi-hat";
    } else if (v == &mix.mixExtra) {
        step = "adjust velocity of extra perc.";
    } else if (v == &mix.mixRide) {
        step = "adjust velocity of ride cymbal";
    } else if (v == &mix.mixCrash) {
        step = "adjust velocity of crash cymbal";
    } else if (v == &mix.mixFxCym) {
        step = "adjust velocity of fx cymbal";
    } else {
        return; // not one of ours
    }
    // The drum levels scale each drum note as it plays: nothing to send for them.
    if (reset || v == &mix.volDrums || v == &mix.volBass || v == &mix.volChords || v == &mix.mixA ||
        v == &mix.mixB || v == &mix.mixC)
        core.applyMix(core.masterVolume(), false);
    updateMixResetFlags();
    ui.drawAll();
    app.host.redrawBoundTo(&mix.volDrums);
    app.host.redrawBoundTo(&mix.volBass);
    app.host.redrawBoundTo(&mix.volChords);
    app.mixAtDefaults = !app.isSoundMixChanged();
    app.host.redrawBoundTo(&app.mixAtDefaults);
    if (history) history->record("Mixer - " + step, true);
}

void TFmixer::customMixMenu() {
    const int style = app.currentStyle();
    const bool has = mixes != nullptr && mixes->hasMix(style);
    Llist<std::string> items(0, 1, true);
    items.add(std::string("Save actual mix as ") + kCustomMix);
    items.add(std::string(has ? "" : "@") + "Load " + kCustomMix);
    items.add(std::string(has ? "-" : "-@") + "Delete " + kCustomMix);
    const TColor colour = scaleColour(themeOf(app).dimTextColour(), 0.95f);
    const int choice = popupMenu ? popupMenu(items, x() + 150, y() + height() - 31, colour) : -1;
    QvCore& core = app.engine.core;
    if (mixes != nullptr) {
        if (choice == 0) {
            mixes->storeCurrentMix(core.mix, style);
        } else if (choice == 1 && mixes->hasMix(style)) {
            mixes->applyMix(style, core.mix);
            refreshMixer(true);
            core.applyMix(core.masterVolume(), false);
            app.host.redrawBoundTo(&core.mix.volDrums);
            app.host.redrawBoundTo(&core.mix.volBass);
            app.host.redrawBoundTo(&core.mix.volChords);
            app.mixAtDefaults = !app.isSoundMixChanged();
            app.host.redrawBoundTo(&app.mixAtDefaults);
            if (history) history->record(std::string("Mixer - load ") + kCustomMix, false);
        } else if (choice == 2 && mixes->hasMix(style)) {
            mixes->removeMix(style);
        }
    }
    app.repaintStyleSelector();
    // The release went to the menu: the button's pressed look ends here.
    ui.mouseUp();
}

void TFmixer::mousePressEvent(QMouseEvent* event) {
    ShadeWindow::mousePressEvent(event);
    handleTitleBoxes(ui, *this);
    if (closeFlag) closeForm();
}

void TFmixer::closeForm() {
    closeFlag = false;
    ui.mouseUp(); // no fader stays grabbed by a window that is gone
    hide();
}

void TFmixer::keyPressEvent(QKeyEvent* event) {
    const int vk = qtKeyToVk(event->key(), event->modifiers());
    if (vk == vk::Escape) {
        closeForm();
        return;
    }
    if (mainWindow != nullptr) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
        QCoreApplication::sendEvent(mainWindow, &copy);
        return;
    }
    if (vk == 0) return;
    app.keyDown(vk, (event->modifiers() & Qt::ControlModifier) != 0,
                (event->modifiers() & Qt::ShiftModifier) != 0);
}

void TFmixer::keyReleaseEvent(QKeyEvent* event) {
    if (mainWindow == nullptr) return;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
    QCoreApplication::sendEvent(mainWindow, &copy);
}

void TFmixer::hideEvent(QHideEvent* event) {
    closeFlag = false;
    ShadeWindow::hideEvent(event);
}

void TFmixer::toggle() {
    if (isVisible() && !isMinimized()) {
        closeForm();
        return;
    }
    if (notYetPlaced) {
        notYetPlaced = false;
        if (mainWindow != nullptr) {
            const QRect main = mainWindow->frameGeometry();
            int left = main.left() + (main.width() - width()) / 2;
            int top = main.top() - 37;
            // Kept on the screen, so that the title bar stays in reach.
            QScreen* screen = mainWindow->screen();
            if (screen != nullptr) {
                const QRect area = screen->availableGeometry();
                left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - width()));
                top = std::clamp(top, area.top(), std::max(area.top(), area.bottom() + 1 - height()));
            }
            move(left, top);
        }
    }
    // Without memory for its picture or window the mixer is not shown (the failure is reported).
    if (!ui.image.isValid() || !imageReady()) buildMixerPanel();
    if (!ui.image.isValid() || !imageReady()) return;
    refreshMixer(true);
    if (isMinimized()) showNormal();
    show();
    ui.present();
    raise();
    activateWindow();
}

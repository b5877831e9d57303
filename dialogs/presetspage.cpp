#include "dialogs/presetspage.h"

#include <QListWidget>
#include <array>

#include "app/quovelanta.h"
#include "dialogs/tfdialog.h"
#include "engine/presetprogressions.h"
#include "engine/qvchord.h"
#include "engine/qvpage.h"
#include "platform/qt/keymap.h"
#include "ui/geometry.h"

namespace {

bool isSeparator(const std::string& name) {
    return name.empty() || name == "-";
}

} // namespace

int choosePresetProgression(const Llist<std::string>& names, int& chosenIndex) {
    TFdialog page(kPagePresetProgressions);
    QListWidget* list = page.Llistbox();
    list->clear();
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    int first = -1;
    for (int i = 0; i < names.count(); ++i) {
        const std::string& name = names.at(i);
        auto* item =
            new QListWidgetItem(QString::fromStdString(isSeparator(name) ? std::string() : " " + name));
        if (isSeparator(name)) {
            item->setFlags(Qt::NoItemFlags); // a separator cannot be selected or double clicked
        } else if (first < 0) {
            first = i;
        }
        list->addItem(item);
    }
    if (first >= 0) list->setCurrentRow(first);
    page.beginPage(560, 457, "Preset Chord Progressions");

    auto selected = [&]() -> int {
        const int row = list->currentRow();
        if (row < 0 || row >= names.count() || isSeparator(names.at(row))) return -1;
        const QListWidgetItem* item = list->item(row);
        return item != nullptr && item->isSelected() ? row : -1;
    };
    // "Replace Page" and "Add To Page" work only with a progression selected: otherwise their hit
    // rects are taken away and they are drawn greyed.
    std::array<TRect, 3> liveRects{};
    bool shown = false;
    auto updateButtons = [&] {
        if (!shown) return;
        const bool usable = selected() >= 0;
        for (int i = 0; i < 2; ++i) {
            page.bottomButtonRects[i] = usable ? liveRects[i] : TRect{-1, -1, -1, -1};
            for (ScButton& b : page.controls.buttons)
                if (b.rect == liveRects[i]) b.paint();
            if (!usable) {
                const TRect& r = liveRects[i];
                Limage& image = page.dialogImage;
                for (int y = r.Top; y < r.Bottom; ++y)
                    for (int x = r.Left; x < r.Right; ++x) {
                        const TColor p = image.pixel(x, y);
                        if (p >= 0) image.canvas()->setPixel(x, y, mixColours(p, page.pageBackground, 0.6f));
                    }
            }
        }
        page.present();
    };
    page.onShown = [&] {
        liveRects = page.bottomButtonRects;
        shown = true;
        updateButtons();
        list->setFocus();
    };
    QObject::connect(list, &QListWidget::itemSelectionChanged, &page, [&] { updateButtons(); });
    page.onKeyDown = [&](int key, bool, bool) {
        return key == vk::Return && selected() < 0; // Enter with nothing usable selected does nothing
    };
    const int result = page.showPage("Replace Page", "Add To Page", "Cancel");
    chosenIndex = list->currentRow();
    if ((result == 0 || result == 1) && selected() < 0) return 2;
    return result;
}

void presetProgressionList(Llist<std::string>& names, Llist<int>& catalogueIndexes) {
    names.clear();
    catalogueIndexes.clear();
    Llist<QvChord> none(0, 1, true);
    for (int i = 0;; ++i) {
        std::string name;
        getPresetProgression(name, i, none, false);
        if (name.empty()) break;
        const bool separator = isSeparator(name);
        if (separator && (names.count() == 0 || isSeparator(names.at(names.count() - 1)))) continue;
        names.add(name);
        catalogueIndexes.add(i);
    }
}

bool presetProgressionCommand(QuoVelanta& app) {
    Llist<std::string> names(0, 8, true);
    Llist<int> indexes(0, 8, true);
    presetProgressionList(names, indexes);
    int chosen = -1;
    const int result = choosePresetProgression(names, chosen);
    if ((result != 0 && result != 1) || chosen < 0 || chosen >= names.count() ||
        isSeparator(names.at(chosen)))
        return false;
    const bool replace = result == 0;
    std::string name;
    Llist<QvChord> chords(0, 8, true);
    getPresetProgression(name, indexes.at(chosen), chords, true);
    if (chords.count() == 0) return false;

    QvCore& core = app.engine.core;
    if (core.isTripleMeter()) {
        // The catalogue is in 4/4: its chords go onto the 3/4 grid first.
        QvPage converted;
        for (const QvChord& c : chords) converted.chords.add(c);
        converted.dirty = true;
        converted.convertMeter(true);
        chords = converted.chords;
    }
    QvPage& page = core.pageAt(false);
    int added = 0;
    for (const QvChord& c : chords) added += c.len;
    if (!replace && page.length() + added > kMaxPageUnits) {
        Llist<std::string> lines(0, 1, true);
        lines.add("There is not enough free space on actual page to add this chord progression.");
        app.prompt.messageBox(lines, PromptButtons::Ok, "");
        return false;
    }
    app.cancelInteractions();
    page.addChords(chords, replace, app.engine.pageContext());
    app.host.repaintPageArea(true);
    app.host.repaintPositionCounter();
    app.recordStep(std::string("Preset progression - ") + (replace ? "Replace" : "Add to") + " page", false);
    return true;
}

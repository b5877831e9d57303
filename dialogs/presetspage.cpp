#include "dialogs/presetspage.h"

#include <QListWidget>
#include <array>

#include "dialogs/tfdialog.h"
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

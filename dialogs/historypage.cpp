#include "dialogs/historypage.h"

#include <QListWidget>

#include "dialogs/tfdialog.h"
#include "engine/qvhistory.h"
#include "platform/qt/keymap.h"

std::string historyEntryText(const QvHistory& history, int i) {
    const auto& ring = history.ring;
    if (i < 0 || i >= ring.count) return "";
    int slot = ring.start + i - ring.count;
    if (slot < 0) slot += ring.capacity;
    if (slot < 0 || slot >= ring.items.count()) return "";
    return ring.items.at(slot).name;
}

void showHistoryPage(QvHistory& history) {
    TFdialog page(kPageHistory);
    QListWidget* list = page.Llistbox();
    list->clear();
    for (int i = 0; i < history.count(); ++i)
        list->addItem(QString::fromStdString(historyEntryText(history, i)));
    list->setCurrentRow(history.position());
    page.beginPage(260, 417, "History");

    // A jump restores the entry (it stops playback), so only a click or Enter jumps; moving through
    // the list with the arrow keys does not.
    auto jump = [&](int index) {
        if (index >= 0 && index < history.count() && index != history.position()) history.jumpTo(index);
        // A refused jump (the user kept unsaved style edits) leaves the list on the entry in force.
        if (list->currentRow() != history.position()) list->setCurrentRow(history.position());
        if (!page.isClosed()) {
            page.selectDialogDrawing();
            page.activateWindow();
            list->setFocus();
        }
    };
    page.onListClick = [&](int index) { jump(index); };
    page.onKeyDown = [&](int key, bool, bool) {
        if (key == vk::Return) jump(list->currentRow());
        return false; // Enter then closes the page with OK
    };
    page.onShown = [list] { list->setFocus(); };
    page.showPage("OK", "", "");
}

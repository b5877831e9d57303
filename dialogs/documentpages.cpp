#include "dialogs/documentpages.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "app/documentdialogs.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "dialogs/messagebox.h"
#include "dialogs/tfdialog.h"
#include "engine/options.h"
#include "foundation/strutil.h"
#include "ui/aapen.h"
#include "ui/geometry.h"

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

std::string joinMemoLines(const Llist<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

Llist<std::string> splitMemoText(const std::string& text) {
    Llist<std::string> lines(0, 8, true);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.add(line);
        start = end + 1;
    }
    return lines;
}

bool editPageSequence(std::string& text) {
    TFdialog page(kPagePageSequence);
    QLineEdit* edit = page.Esequence();
    // The limit is set when the page shows: the longer of 80 and the text, so nothing is cut.
    edit->setMaxLength(std::max<int>(80, static_cast<int>(qs(text).size())));
    edit->setText(qs(text));
    page.beginPage(548, 172, "Edit Page Sequence");
    edit->resize(548 - 2 * edit->x(), edit->height());
    page.drawPageText(25, 50, "Page sequence:");
    if (page.showPage("OK", "Cancel", "") != 0) return false;
    text = edit->text().toStdString();
    return true;
}

bool editSessionLinks(QuoVelanta& app, int startLink) {
    Llist<std::string>& links = app.engine.core.sessionLinks;
    startLink = std::clamp(startLink, 0, kSessionLinkCount - 1);
    TFdialog page(kPageSessionLinks);
    QLineEdit* edit = page.Esequence();
    Llist<std::string> work(0, kSessionLinkCount, true);
    for (int i = 0; i < kSessionLinkCount; ++i) work.add(slotItem(links, i));
    page.beginPage(548, 229, "Session Links");
    edit->resize(548 - 2 * edit->x(), edit->height());
    page.linkTabLabels.clear();
    for (int i = 0; i < kSessionLinkCount; ++i)
        page.linkTabLabels.add(i == 0 ? "Link" : "Link " + intToText(i + 1));
    page.selectedLinkTab = startLink;
    edit->setText(qs(work.at(startLink)));
    page.drawLinkTabs();
    page.drawPageText(25, 70, "File name or web page:");
    const int clearButton = page.addPushButton(50, 117, 69, "Clear", false);
    const int browseButton = page.addPushButton(120, 117, 69, "Browse", false);
    const int testButton = page.addPushButton(190, 117, 69, "Test", false);
    auto buttonRect = [&](int i) { return page.controls.buttons.at(i).rect; };

    page.onMouseDown = [&](int x, int y, int button) {
        if (button != 1) return;
        for (int i = 0; i < page.tabRects.count(); ++i) {
            const TRect r = page.tabRects.at(i);
            if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
            work.at(page.selectedLinkTab) = edit->text().toStdString();
            page.selectedLinkTab = i;
            page.drawLinkTabs();
            page.present();
            edit->setText(qs(work.at(i)));
            return;
        }
    };
    page.onMouseUp = [&](int x, int y, const TRect& pressed) {
        auto on = [&](int i) {
            const TRect r = buttonRect(i);
            return pressed == r && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        };
        if (on(clearButton)) {
            edit->clear();
        } else if (on(browseButton)) {
            std::string chosen;
            if (app.fileDialogs && app.fileDialogs->runOpenDialog(chosen, "Browse", "", ""))
                edit->setText(qs(chosen));
        } else if (on(testButton)) {
            // Only the empty text is refused here; anything else, blanks too, goes to the shell as it is.
            const std::string target = edit->text().toStdString();
            if (target.empty()) {
                messageBoxLine("Please browse for a file or enter/paste an internet address.", false, false,
                               "");
                return;
            }
            const std::string error = shellOpen(target, app.hooks.urlOpener);
            if (!error.empty()) messageBoxLine(error, false, false, "");
        }
    };
    if (page.showPage("OK", "Cancel", "") != 0) return false;
    work.at(page.selectedLinkTab) = edit->text().toStdString();
    links.clear();
    for (const std::string& l : work) links.add(l);
    return true;
}

bool askTextExportSettings(Options& o) {
    TFdialog page(kPageSaveChordsAsText);
    page.beginPage(442, 248, "Save Chords As Text");
    page.addCheckBox(25, 50, "Page sequence + unique pages (as opposed to all chords in series)",
                     &o.exportToText_pages);
    const int bars = page.addCheckBox(25, 80, "Indicate bars and beats:", &o.exportToText_bars);
    const int four = page.addCheckBox(68, 110, "Limit bars per line to 4", &o.exportToText_4bars);
    const int dots = page.addCheckBox(68, 140, "Beat symbol is dot (instead of slash)", &o.exportToText_dots);
    page.drawIndentConnector(bars, four);
    page.drawIndentConnector(bars, dots);
    return page.showPage("Select File", "Cancel", "") == 0;
}

bool askMidiExportSettings(Options& o) {
    TFdialog page(kPageSaveAsMidiFile);
    page.beginPage(540, 354, "Save As MIDI File");
    // The exported time line: channel settings, silence, precount, then the music.
    if (Canvas* c = page.dialogImage.canvas()) {
        const TColor back = page.pageBackground;
        const TColor box = scaleColour(back, page.theme.whiteModel ? 0.935f : 1.13f);
        drawRoundRectAA(page.aaPen, *c, 25, 44, page.dialogImage.width() - 50, 153, 5, box, back);
        const TColor text = page.theme.displayTextColour(-1);
        const TColor half = scaleColour(text, 0.5f);
        drawGradient(*c, 51, 169, 51 + 8, 178, text, half, false);
        drawGradient(*c, 62, 169, 62 + 32, 178, text, half, false);
        drawGradient(*c, 96, 169, 96 + 32, 178, text, half, false);
        drawGradient(*c, 130, 169, 488, 178, text, half, false);
        const int musicX = (130 + 488) / 2;
        page.drawPageLine(musicX, 161, musicX, 169);
        Font bold;
        bold.bold = true;
        bold.color = page.pageTextColour;
        c->font = bold;
        c->textOut(musicX - c->textWidth("Music") / 2, 145, "Music");
        c->font = Font{};
        page.drawPageLine(56, 84, 56, 173);
        page.drawPageLine(78, 114, 78, 173);
        page.drawPageLine(112, 144, 112, 173);
    }
    page.addCheckBox(43, 62, "MIDI channel settings (instrument, volume, pan)", &o.exportToMidi_settings);
    page.addCheckBox(324, 62, "Normalize volume levels", &o.exportToMidi_normalize);
    page.addCheckBox(65, 92, "Silence", &o.exportToMidi_silence);
    page.drawExportSilenceRow();
    page.addCheckBox(99, 122, "Precount", &o.exportToMidi_precount);
    page.drawExportPrecountRow();
    const int one =
        page.addRadioButton(43, 215, "All instruments in one track (format 0)", &o.exportToMidi_format, 0);
    const int each = page.addRadioButton(43, 245, "Each instrument in a separate track (format 1)",
                                         &o.exportToMidi_format, 1);
    page.drawRowConnector(one, each);
    page.onSelectorClick = [&](int slot, int index) {
        if (slot == 0) {
            o.exportToMidi_silenceBars = std::clamp(index + 1, 1, std::max(1, o.silenceBarsNames.count()));
            page.drawExportSilenceRow();
        } else if (slot == 1) {
            o.exportToMidi_precountBars = std::clamp(index + 1, 1, std::max(1, o.precountBarsNames.count()));
            page.drawExportPrecountRow();
        }
        page.present();
    };
    return page.showPage("Select File", "Cancel", "") == 0;
}

bool editTextList(const std::string& title, Llist<std::string>& lines) {
    TFdialog page(kPageTextList);
    QPlainTextEdit* memo = page.Mnotes();
    memo->setPlainText(qs(joinMemoLines(lines)));
    page.beginPage(400, 300, title);
    if (page.showPage("OK", "Cancel", "") != 0) return false;
    lines = splitMemoText(memo->toPlainText().toStdString());
    return true;
}

void connectDocumentPages(QuoVelanta& app) {
    QuoVelanta* a = &app;
    app.hooks.editPageSequence = [](std::string& text) { return editPageSequence(text); };
    app.hooks.editSessionLinks = [a](int link) { return editSessionLinks(*a, link); };
    app.hooks.askTextExportSettings = [a] { return askTextExportSettings(a->engine.options); };
    app.hooks.askMidiExportSettings = [a] { return askMidiExportSettings(a->engine.options); };
    app.hooks.editTextList = [](const std::string& title, Llist<std::string>& lines) {
        return editTextList(title, lines);
    };
}

// The chord chart export of the main object: the live session as text lines, written to a file the
// user chooses.
#include "app/documentdialogs.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "engine/chordtext.h"
#include "foundation/textfile.h"

void QuoVelanta::exportChordsAsText(Llist<std::string>& out) const {
    const Options& options = engine.options;
    ChordChartLayout layout;
    layout.pages = options.exportToText_pages;
    layout.bars = options.exportToText_bars;
    layout.fourBars = options.exportToText_4bars;
    layout.dots = options.exportToText_dots;
    ::exportChordsAsText(out, engine.core, engine.core.isTripleMeter(), engine.styles.current().name,
                         sessionPath, options.visualTranspose, layout);
}

bool QuoVelanta::saveChordsAsText() {
    stopAndCloseSelector();
    Options& options = engine.options;
    std::string name = sessionPath.empty() ? std::string() : fileBaseName(sessionPath) + ".txt";
    if (!fileDialogs ||
        !fileDialogs->runSaveDialog(name, "Save Chords As Text", "Text Documents (*.txt)| *.txt",
                                    exportStartFolder(options.lastExportFolder, sessionPath)))
        return false;
    std::size_t cut = name.find_last_of("/\\");
    if (cut != std::string::npos) options.lastExportFolder = name.substr(0, cut + 1);
    Text_ chart;
    exportChordsAsText(chart);
    if (chart.save(name)) return true;
    Llist<std::string> lines(0, 1, true);
    lines.add("Failed to save file.");
    prompt.messageBox(lines, PromptButtons::Ok, "");
    return false;
}

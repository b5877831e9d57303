// The Style Programmer's edit buffer as the main object guards it: the questions before something
// replaces an edited style, the writes, and the reload after the programmer closes.
#include "app/quovelanta.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace {

Llist<std::string> textLines(std::initializer_list<std::string> text) {
    Llist<std::string> lines(0, 1, true);
    for (const std::string& l : text) lines.add(l);
    return lines;
}

} // namespace

QuoVelanta::StyleEditEnd QuoVelanta::resolveStyleEdits() {
    if (!styleEdits.edited) return StyleEditEnd::Unchanged;
    StyleEditBuffer& buffer = styleEdits;
    Styles& styles = engine.styles;
    int answer = prompt.messageBox(textLines({"Save changes to style " + intToText(buffer.styleId) + "?"}),
                                   PromptButtons::YesNoCancel, "");
    if (answer == 1) {
        // No: the edits are discarded and the session's tempo from before the first edit comes back.
        if (buffer.tempoBefore >= 0) engine.core.tempo(buffer.tempoBefore);
        buffer.forget();
        return StyleEditEnd::Discarded;
    }
    if (answer != 0) return StyleEditEnd::KeepEditing;

    const std::string target = buffer.overwritePath(styles.folder());
    answer = prompt.messageBox(textLines({"Overwrite style file " + fileNamePart(target) + "?", "",
                                          "YES: Overwrite file      NO: Save changes to new file"}),
                               PromptButtons::YesNoCancel, "");
    if (answer != 0 && answer != 1) return StyleEditEnd::KeepEditing;
    const bool overwrite = answer == 0;
    const std::string path = overwrite ? target : buffer.newFilePath(styles.folder());
    if (!buffer.writeTo(path)) {
        prompt.messageBox(textLines({"The style could not be saved" +
                                         (path.empty() ? std::string(".") : " to " + path + "."),
                                     "Nothing was written; your changes are still in the Style Programmer."}),
                          PromptButtons::Ok, "");
        return StyleEditEnd::KeepEditing;
    }
    lastStyleWrite = path;
    buffer.forget();
    if (overwrite) return StyleEditEnd::Overwritten;
    prompt.messageBox(
        textLines({"The style was saved as " + fileNamePart(path) + " in the Styles folder.",
                   "Give the file a number as its name (for example " +
                       StyleEditBuffer::paddedNumber(buffer.styleId) + ".qms) to load it as a style."}),
        PromptButtons::Ok, "");
    return StyleEditEnd::NewFile;
}

bool QuoVelanta::confirmStyleEdits(int nextStyleId) {
    if (!styleEdits.edited) return true;
    if (nextStyleId >= 0 && nextStyleId == styleEdits.styleId) return true;
    StyleEditEnd end = resolveStyleEdits();
    if (end == StyleEditEnd::KeepEditing) return false;
    Styles& styles = engine.styles;
    if (end == StyleEditEnd::Overwritten || end == StyleEditEnd::NewFile) styles.loadAll();
    // What plays goes back to the style as it is on disk until the caller selects the next one.
    int index = styles.indexOfId(styleEdits.styleId);
    if (index >= 0) styles.current() = styles.at(index);
    return true;
}

QuoVelanta::StyleEditEnd QuoVelanta::closeStyleEdits() {
    const int tempoBefore = styleEdits.tempoBefore;
    StyleEditEnd end = resolveStyleEdits();
    if (end == StyleEditEnd::KeepEditing) return end;
    if (end != StyleEditEnd::Unchanged) {
        engine.styles.loadAll();
        // Kept: the edited tempo stays, and one undo step leads back to the one before (a discard has
        // brought it back already).
        QvCore& core = engine.core;
        const bool discarded = end == StyleEditEnd::Discarded;
        selectStyle(-1, false, true, false);
        if (!discarded && tempoBefore >= 0 && core.tempoValue != tempoBefore)
            recordStep("Edit style tempo: " + intToText(core.tempoValue) + " BPM", false);
        host.refreshPanels();
    }
    return end;
}

bool QuoVelanta::keepStyleEdits(int styleId, int& id) {
    if (!styleEdits.edited) return true;
    Styles& styles = engine.styles;
    int next = id;
    if (styles.indexOfId(next) < 0 && styles.count() > 0) next = styles.at(0).id;
    if (next == styleEdits.styleId || confirmStyleEdits(next)) return true;
    if (styleId >= 0) return false; // a style choice is simply not made
    // The session's own style changed under the edits without a question: the edited style stays.
    id = styleEdits.styleId;
    engine.core.styleNumber = id;
    return true;
}

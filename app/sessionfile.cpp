// The session document of the main object: the file body, and the new, open, save and save-as flows
// with the unsaved-changes question.
#include "engine/sessionfile.h"
#include "app/documentdialogs.h"
#include "app/quovelanta.h"
#include "app/utilities.h"
#include "engine/qvhistory.h"
#include "foundation/recentfiles.h"
#include "foundation/strutil.h"
#include "foundation/textfile.h"

namespace {

const char* const kSessionFilter = "QuoVelanta Session (*.qvs)| *.qvs";

void tell(Prompt& prompt, const std::string& line) {
    Llist<std::string> lines(0, 1, true);
    lines.add(line);
    prompt.messageBox(lines, PromptButtons::Ok, "");
}

void tell(Prompt& prompt, std::initializer_list<std::string> text) {
    Llist<std::string> lines(0, 1, true);
    for (const std::string& l : text) lines.add(l);
    prompt.messageBox(lines, PromptButtons::Ok, "");
}

// A failed open or save: the program's own first line, the file, and why.
void tellFileFailure(Prompt& prompt, const std::string& first, const std::string& path, FileProblem problem) {
    std::string reason = problem == FileProblem::WrongContent
                             ? "It is not a session file, or it is incomplete."
                             : fileProblemText(problem);
    tell(prompt, {first, "File: " + path, reason});
}

// The folder part of a path, with its trailing separator.
std::string folderOf(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

} // namespace

void QuoVelanta::serialize() {
    bool waltzNotice = false;
    serializeSession(*this, engine.core, fileVersion, waltzNotice, &readCuts);
    if (!waltzNotice) return;
    tell(
        prompt,
        {"The session you are opening is saved in 'Waltz' style with version 1.1 of QuoVelanta. The time "
         "signature of this style",
         "has changed from 6/4 to 3/4 due to standardization, made necessary by the addition of several "
         "new 3/4 music styles.",
         "In addition, chords are aligned to beats in 3/4 too, so extra conversion may be needed.", "",
         "We would like to ask you to do one of the following:", "",
         "A. Resize the chords as required by your music and then save the session.", "or",
         std::string("B. Send your session file to ") + kSupportAddress + ", and we will convert it for you.",
         "",
         "We are sorry for the inconvenience. There will be no similar problems in the future. Thank you."});
}

bool QuoVelanta::querySaveChanges() {
    if (hooks.storePendingEdits) hooks.storePendingEdits();
    if (!engine.options.warnSessionDelete || !history || !history->modified) return true;
    if (history->count() <= 1 && !openedWithCuts) return true;
    std::string question = "Save changes to session";
    if (!sessionPath.empty()) {
        question += ' ';
        question += fileBaseName(sessionPath);
    }
    question += "?";
    Llist<std::string> lines(0, 1, true);
    lines.add(question);
    int answer = prompt.messageBox(lines, PromptButtons::YesNoCancel, "");
    if (answer == 0) return saveSession(); // go on only when the changes are safe
    return answer == 1;
}

void QuoVelanta::afterNewSession() {
    host.refreshPanels();
    host.refreshMixer();
    host.reloadNotes();
    if (history) history->reset("[New session]");
}

void QuoVelanta::stopAndCloseSelector() {
    closeSelectorOverlay();
    if (engine.stepControl.isPlaying()) togglePlay();
}

bool QuoVelanta::openSession(const std::string& path) {
    if (!querySaveChanges()) return false;
    if (!confirmStyleEdits(-1)) return false;
    Options& options = engine.options;
    std::string opening;
    if (path.empty()) {
        stopAndCloseSelector();
        std::string start =
            options.lastSessionFolder.empty() ? exeFolder() + "Samples/" : options.lastSessionFolder;
        if (!fileDialogs || !fileDialogs->runOpenDialog(opening, "Open", kSessionFilter, start)) return false;
        options.lastSessionFolder = folderOf(opening);
    } else if (pathEntryExists(path)) {
        opening = path;
    } else {
        if (recentFiles) recentFiles->remove(path);
        tell(prompt,
             {"Sorry, the file does not exist. Maybe it has been moved to another folder.", "File: " + path});
        return false;
    }
    // The file is read and checked whole before the session is touched: a file that cannot be
    // opened leaves the current session exactly as it was.
    Text_ text;
    if (FileProblem problem = readSessionText(opening, text); problem != FileProblem::None) {
        tellFileFailure(prompt, "Failed to open file.", opening, problem);
        return false;
    }
    newSession(true);
    sessionPath = opening;
    lines = std::move(text);
    readCuts = SessionCuts();
    bool loaded = loadFile(kSessionHeader, "");
    lines.clear();
    if (loaded && recentFiles) recentFiles->add(sessionPath);
    if (isVersionNewer(kDocumentVersion, fileVersion)) {
        tell(prompt, {"This file has been created with a higher version (v" + fileVersion + ") of " +
                          kApplicationTitle + " than you are currently running (v" + kDocumentVersion + ").",
                      std::string(kApplicationTitle) +
                          " can still open the file, but note that some musical elements or functions may be "
                          "different or missing.",
                      std::string("Please update your software at ") + kMakerWebSite +
                          " to take advantage of the latest features."});
        fileVersion = kDocumentVersion;
    }
    if (engine.styles.indexOfId(engine.core.styleNumber) < 0)
        tell(prompt, "Music style " + intToText(engine.core.styleNumber) + " not found.");
    selectStyle(-1, false, true, false);
    cancelInteractions();
    mixAtDefaults = !isSoundMixChanged();
    host.refreshMixer();
    host.reloadNotes();
    if (history) history->reset("[Open session]");
    if (readCuts.any()) {
        // Saving would write the session without what was left out: it counts as changed.
        openedWithCuts = true;
        if (history) history->modified = true;
        Llist<std::string> report(0, 1, true);
        report.add("Not all of " + fileNamePart(opening) +
                   " fits a session; this was left out or shortened:");
        report.appendAll(readCuts.describe());
        report.add("Saving over the file loses it for good; Save As keeps the file as it is.");
        prompt.messageBox(report, PromptButtons::Ok, "");
    }
    return loaded;
}

FileProblem QuoVelanta::writeSessionFile(const std::string& path) {
    saveFile(kSessionHeader, "");
    FileProblem problem = FileProblem::None;
    writeFileAtomic(path, lines.joined(), &problem);
    lines.clear();
    return problem;
}

bool QuoVelanta::offerSaveAs(const std::string& path, FileProblem problem) {
    Llist<std::string> text(0, 1, true);
    for (const char* l : {"Failed to save file.", "", "", "", "Save the session under another name?"})
        text.add(l);
    text.at(1) = "File: " + path;
    text.at(2) = fileProblemText(problem);
    return prompt.messageBox(text, PromptButtons::YesNo, "") == 0;
}

bool QuoVelanta::saveSession() {
    if (hooks.storePendingEdits) hooks.storePendingEdits();
    if (sessionPath.empty()) return saveSessionAs();
    if (FileProblem problem = writeSessionFile(sessionPath); problem != FileProblem::None)
        // The session keeps its unsaved changes unless it is saved under another name.
        return offerSaveAs(sessionPath, problem) && saveSessionAs();
    if (history) history->modified = false;
    openedWithCuts = false;
    return true;
}

bool QuoVelanta::saveSessionAs() {
    stopAndCloseSelector();
    Options& options = engine.options;
    std::string chosen = sessionPath;
    for (;;) {
        std::string start =
            options.lastSessionFolder.empty() ? exeFolder() + "Samples/" : options.lastSessionFolder;
        if (!fileDialogs || !fileDialogs->runSaveDialog(chosen, "Save As", kSessionFilter, start)) break;
        options.lastSessionFolder = folderOf(chosen);
        if (hooks.storePendingEdits) hooks.storePendingEdits();
        FileProblem problem = writeSessionFile(chosen);
        if (problem == FileProblem::None) {
            sessionPath = chosen;
            if (recentFiles) recentFiles->add(sessionPath);
            if (history) history->modified = false;
            openedWithCuts = false;
            host.refreshPanels();
            return true;
        }
        // The session still belongs to the file it came from; another name may be tried.
        if (!offerSaveAs(chosen, problem)) break;
    }
    host.refreshPanels();
    return false;
}

void QuoVelanta::afterHistoryRestore() {
    cancelInteractions();
    mixAtDefaults = !isSoundMixChanged();
    playButtonOn = engine.stepControl.isPlaying();
    selectStyle(-1, false, false, false);
    host.refreshPanels();
    host.refreshMixer();
    host.reloadNotes();
}

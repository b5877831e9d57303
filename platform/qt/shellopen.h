#pragma once
// Opening a web address or a document with the desktop's default application. Nothing is ever run:
// programs, scripts and launchers are refused.
#include <functional>
#include <string>

enum class ShellOpenResult {
    Opened,   // handed to the desktop
    Empty,    // nothing to open (the empty text; blanks are not found)
    NotFound, // neither a web address nor an existing file or folder
    Refused,  // a program, script or launcher
    Failed,   // the desktop could not open it
};

struct ShellTarget {
    ShellOpenResult verdict = ShellOpenResult::Empty; // Opened means "may be opened"
    std::string url;                                  // what would be opened
};

// Decides what target is: a web address (http://, https://, or a text beginning "www."), a mail
// address ("mailto:" or name@domain), an existing
// document or folder (a path or a file:// address), or something that is not opened.
ShellTarget classifyShellTarget(const std::string& target);

// Opens a URL; true on success. The default opener is QDesktopServices::openUrl.
using UrlOpener = std::function<bool(const std::string& url)>;
ShellOpenResult shellOpenTarget(const std::string& target, const UrlOpener& opener = {});

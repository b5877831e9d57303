#pragma once
// Small helpers of the application shell: the help page's path, opening documents and web addresses,
// the update page's address and the minutes-and-seconds text of the position counter.
#include <string>

#include "platform/qt/shellopen.h"

extern const char* const kApplicationTitle; // "QuoVelanta"
extern const char* const kProgramVersion;   // "2.2"
extern const char* const kMakerWebSite;     // the maker's web site, without a trailing "/"
extern const char* const kSupportAddress;   // the maker's support e-mail address

// The executable's folder + "Help/" + the application title + ".html".
std::string helpFilePath();
// Opens a web address or an existing document through the desktop. Returns an empty text on success
// (and for an empty target, which opens nothing), "File not found." when there is nothing to open, and
// "No application is associated with the file extension." when it cannot be opened (programs and
// scripts are never run).
std::string shellOpen(const std::string& target);
std::string shellOpen(const std::string& target, const UrlOpener& opener);
// Every "." replaced by "p".
std::string replaceDotsWithP(const std::string& text);
// kMakerWebSite + "/update" + the version with "p" for "." + ".html".
std::string updatePageAddress();
// Where the export file dialogs start: the remembered export folder, else the session's folder (the
// working folder for a session named without one), else the Samples folder beside the executable;
// a folder that does not exist (any more) is passed over.
std::string exportStartFolder(const std::string& rememberedFolder, const std::string& sessionPath);
// "mm:ss" of a time in minutes (seconds truncated; each field at least two digits).
std::string formatMinutesSeconds(double minutes);

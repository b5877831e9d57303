#pragma once
// The open and save file dialogs: a title, a filter and a starting folder in, a full path out.
// The filter is a list of description|pattern pairs, such as "QuoVelanta Session (*.qvs)| *.qvs".
#include <functional>
#include <string>

#include <QStringList>

// Called about every 2 ms while a dialog runs its own modal loop, so that playback keeps going;
// never re-entered. May be empty.
using ModalTick = std::function<void()>;

// Shows a save dialog (overwrite question on) proposing fileName. True when confirmed: fileName is
// then the chosen path, completed by completeSaveFileName before the overwrite question is asked.
// False when cancelled, fileName unchanged.
bool runSaveDialog(std::string& fileName, const std::string& title, const std::string& filter,
                   const std::string& initialDir, const ModalTick& tick = {});
// Shows an open dialog in which only an existing file can be chosen. True when confirmed, and then
// fileName is the chosen path; false when cancelled, fileName unchanged.
bool runOpenDialog(std::string& fileName, const std::string& title, const std::string& filter,
                   const std::string& initialDir, const ModalTick& tick = {});

// The filter as Qt name filters: "Description (pattern pattern)" per pair.
QStringList qtNameFilters(const std::string& filter);
// The extension a save dialog completes a name with: "." and the extension of the filter's last
// pattern (".qvs" for the filter above); empty when the filter gives none.
std::string filterDefaultExtension(const std::string& filter);
// path with that extension appended when its file name (after the last "/") contains no "."; a path
// whose file name contains a "." anywhere, or an empty file name, is returned as it is.
std::string completeSaveFileName(const std::string& path, const std::string& filter);

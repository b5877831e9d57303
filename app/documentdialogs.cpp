#include "app/documentdialogs.h"

#include "platform/qt/filedialogs.h"

bool QtFileDialogs::runOpenDialog(std::string& fileName, const std::string& title, const std::string& filter,
                                  const std::string& initialDir) {
    return ::runOpenDialog(fileName, title, filter, initialDir, modalTick);
}

bool QtFileDialogs::runSaveDialog(std::string& fileName, const std::string& title, const std::string& filter,
                                  const std::string& initialDir) {
    return ::runSaveDialog(fileName, title, filter, initialDir, modalTick);
}

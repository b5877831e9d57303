#pragma once
// The file dialogs the document commands ask: an interface, so that the flows run without a window
// (tests answer from a script), the real one over the platform's Qt dialogs, and one that always
// cancels (no window at all).
#include <functional>
#include <string>

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // True when confirmed; fileName is then the chosen path. False when cancelled, fileName unchanged.
    virtual bool runOpenDialog(std::string& fileName, const std::string& title, const std::string& filter,
                               const std::string& initialDir) = 0;
    // As above; the proposed name comes in fileName, an existing file is confirmed by the user and a
    // name without "." gets the filter's extension.
    virtual bool runSaveDialog(std::string& fileName, const std::string& title, const std::string& filter,
                               const std::string& initialDir) = 0;
};

class CancelledFileDialogs : public FileDialogs {
  public:
    bool runOpenDialog(std::string&, const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool runSaveDialog(std::string&, const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

// The platform's dialogs; tick keeps playback running while one is open.
class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(std::function<void()> tick = {}) : modalTick(std::move(tick)) {}
    bool runOpenDialog(std::string& fileName, const std::string& title, const std::string& filter,
                       const std::string& initialDir) override;
    bool runSaveDialog(std::string& fileName, const std::string& title, const std::string& filter,
                       const std::string& initialDir) override;

  private:
    std::function<void()> modalTick;
};

#pragma once
// Helpers of the style, naming and reference-tone tests: a scratch folder and whole-file reads.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace stylestest {

inline std::string dataPath(const std::string& name) {
    return std::string(QV_TEST_DATA) + "/" + name;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& sub = "") {
        std::random_device rd;
        base = std::filesystem::temp_directory_path() /
               ("qv-styles-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        dir = sub.empty() ? base : base / sub;
        std::filesystem::create_directories(dir);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(base, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return dir.string(); }
    std::string file(const std::string& name) const { return (dir / name).string(); }

  private:
    std::filesystem::path base;
    std::filesystem::path dir;
};

} // namespace stylestest

#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

std::vector<std::string> gmSoundFontCandidates() {
    return {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
            "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

std::string findFirstReadableFile(const std::vector<std::string>& candidates) {
    for (const std::string& path : candidates) {
        struct stat st {};
        if (path.empty() || ::stat(path.c_str(), &st) != 0) continue; // follows symbolic links
        if (S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0) return path;
    }
    return {};
}

std::string findGmSoundFont() {
    return findFirstReadableFile(gmSoundFontCandidates());
}

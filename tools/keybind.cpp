// Gives every character of a UTF-8 text that the X server's keyboard has no key for a spare key code
// of its own, and leaves it there (the smoke test's X server is thrown away afterwards); prints the
// text as key names for `xdotool key` (U00E4 U0020 ...). Usage: qv_keybind TEXT
//
// `xdotool type` types such a character by binding it to a spare key for about half its delay. A Qt
// program looks a key up in a copy of the keyboard map that it fetches from the server when it
// handles the map change; handled after the unbinding (a few milliseconds late, as any program on a
// busy machine may be), the press has no character and is lost: a plain Qt text box loses them as
// well. With the characters bound beforehand the keys are ordinary ones, and a character that is
// still lost was lost by the program.
#include <X11/Xlib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The code points of UTF-8 text; a malformed byte is skipped.
std::vector<unsigned> codePoints(const std::string& text) {
    std::vector<unsigned> out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || (extra > 0 && i + extra >= text.size())) {
            ++i;
            continue;
        }
        unsigned cp = extra == 0 ? b : b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(text[i + k]);
            ok = ok && (c >> 6) == 2;
            cp = (cp << 6) | (c & 0x3F);
        }
        i += ok ? extra + 1 : 1;
        if (ok) out.push_back(cp);
    }
    return out;
}

// The keysym of a character: Latin-1 keysyms are their code points, the rest are Unicode keysyms.
KeySym keysymOf(unsigned cp) {
    if ((cp >= 0x20 && cp <= 0x7E) || (cp >= 0xA0 && cp <= 0xFF)) return cp;
    return 0x01000000 + cp;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qv_keybind TEXT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "qv_keybind: cannot open the display\n");
        return 1;
    }
    int first = 0, last = 0, perCode = 0;
    XDisplayKeycodes(display, &first, &last);
    const int count = last - first + 1;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), count, &perCode);
    if (map == nullptr) {
        std::fprintf(stderr, "qv_keybind: cannot read the keyboard map\n");
        XCloseDisplay(display);
        return 1;
    }
    auto bound = [&](KeySym sym) {
        for (int i = 0; i < count * perCode; ++i)
            if (map[i] == sym) return true;
        return false;
    };
    int result = 0, next = count - 1; // spare codes are taken from the top, where keyboards have none
    std::string names;
    for (unsigned cp : codePoints(argv[1])) {
        const KeySym sym = keysymOf(cp);
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) {
            std::fprintf(stderr, "qv_keybind: control character U+%04X\n", cp);
            result = 1;
            break;
        }
        char name[16];
        std::snprintf(name, sizeof name, "%sU%04X", names.empty() ? "" : " ", cp);
        names += name;
        if (bound(sym)) continue;
        auto spare = [&](int code) {
            for (int k = 0; k < perCode; ++k)
                if (map[code * perCode + k] != NoSymbol) return false;
            return true;
        };
        while (next >= 0 && !spare(next)) --next;
        if (next < 0) {
            std::fprintf(stderr, "qv_keybind: no spare key code left for U+%04X\n", cp);
            result = 1;
            break;
        }
        KeySym both[2] = {sym, sym}; // the same character with and without Shift
        XChangeKeyboardMapping(display, first + next, 2, both, 1);
        for (int k = 0; k < perCode; ++k) map[next * perCode + k] = k < 2 ? sym : NoSymbol;
    }
    XSync(display, False);
    XFree(map);
    XCloseDisplay(display);
    if (result == 0) std::printf("%s\n", names.c_str());
    return result;
}

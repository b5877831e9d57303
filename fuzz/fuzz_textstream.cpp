// The tagged-text reader on arbitrary bytes: Text_::load both ways, then TextStream::loadFile of a
// small object with every kind of field, a nested object and a list of sections, and a write of what
// was read that must read back to the same values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/textstream.h"
#include "fuzz_context.h"

namespace {

class Leaf : public TextStream {
  public:
    int n = 0;
    std::string t;
    void serialize() override {
        serializeInt("n", n);
        serializeText("t", t);
    }
};

class Doc : public TextStream {
  public:
    bool b = false;
    int i = 0;
    double d = 0.0;
    std::string t;
    Leaf child;
    Llist<Leaf> items{0, 1, true};

    void serialize() override {
        serializeBool("flag", b);
        serializeInt("count", i);
        serializeDouble("ratio", d);
        serializeText("name", t);
        serializeObject("child", child);
        if (writing) {
            for (Leaf& l : items) serializeObject("item", l);
        } else {
            Llist<Text_> sections(0, 1, true);
            extractSections(lines, "item", sections);
            items.clear();
            for (const Text_& s : sections) {
                Leaf l;
                l.lines = s;
                l.serialize();
                items.add(l);
            }
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path = qvfuzz::writeInput("input.txt", data, size);
    Text_ a, b;
    a.load(path, false);
    b.load(path, true);
    if (b.count() > a.count()) std::abort();
    a.joined();

    // The header is the first line's tag when there is one, so that most inputs get past it.
    std::string header = "QuoVelanta Session";
    if (a.count() > 0) {
        const std::string& first = a.at(0);
        if (first.size() > 2 && first.front() == '<' && first.back() == '>')
            header = first.substr(1, first.size() - 2);
    }
    Doc doc;
    if (!doc.loadFile(header, path)) return 0;

    // What was read writes and reads back to the same values.
    std::string out = qvfuzz::scratch() + "output.txt";
    if (!doc.saveFile(header, out)) return 0;
    Doc again;
    if (!again.loadFile(header, out)) std::abort();
    // (Reals are written rounded: the number harness checks them.)
    if (again.b != doc.b || again.i != doc.i || again.child.n != doc.child.n ||
        again.items.count() != doc.items.count())
        std::abort();
    return 0;
}

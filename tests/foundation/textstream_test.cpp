// The tagged-text serializer: field lines, nested objects, lists of objects and whole files.
#include <gtest/gtest.h>

#include "foundation/strutil.h"
#include "foundation/textstream.h"
#include "tests/common/alloccount.h"
#include "tests/common/tempdir.h"
#include "tests/foundation/fixture.h"

namespace {

const char* const kHeader = "QuoVelanta Test Document";

struct Mix : TextStream {
    double volume = 1.0;
    int pan = 0;
    bool mute = false;
    std::string name;
    void serialize() override {
        serializeDouble("volume", volume);
        serializeInt("pan", pan);
        serializeBool("mute", mute);
        serializeText("name", name);
    }
};

struct Voicing : TextStream {
    int top = 0;
    void serialize() override { serializeInt("top", top); }
};

struct Chord : TextStream {
    std::string name;
    int length = 0;
    Voicing voicing;
    void serialize() override {
        serializeText("name", name);
        serializeInt("length", length);
        serializeObject("voicing", voicing);
    }
};

// Fields kept among its owner's own lines.
struct Fader : TextStream {
    double level = 0;
    int channel = 0;
    void serialize() override {
        serializeDouble("level", level);
        serializeInt("channel", channel);
    }
};

struct Document : TextStream {
    int tempo = 120;
    std::string notes;
    double swing = 0.5;
    double ratio = 1.0;
    Mix mix;
    Fader fader;
    Llist<Chord> chords{0, 1, true};

    void serialize() override {
        serializeInt("tempo", tempo);
        serializeText("notes", notes);
        serializeDouble("swing", swing);
        serializeDouble("ratio", ratio);
        serializeObject("mix", mix);
        serializeObject("", fader);
        if (writing) {
            for (Chord& c : chords) serializeObject("chord", c);
            return;
        }
        Llist<Text_> sections;
        extractSections(lines, "chord", sections);
        chords.clear();
        chords.setCapacity(sections.count(), false);
        for (const Text_& section : sections) {
            Chord c;
            c.lines = section;
            c.writing = false;
            c.serialize();
            chords.add(c);
        }
    }
};

Document sampleDocument() {
    Document d;
    d.tempo = 96;
    d.notes = "see <mix> below; a=b stays";
    d.swing = 0.125;
    d.ratio = 1234.5;
    d.mix.volume = 0.8;
    d.mix.pan = -12;
    d.mix.mute = true;
    d.mix.name = "Main mix";
    d.fader.level = 0.25;
    d.fader.channel = 3;
    Chord c;
    c.name = "Cmaj7";
    c.length = 4;
    c.voicing.top = 64;
    d.chords.add(c);
    c.name = "";
    c.length = 2;
    c.voicing.top = 60;
    d.chords.add(c);
    return d;
}

std::string toLf(std::string s) {
    std::string out;
    for (char c : s)
        if (c != '\r') out += c;
    return out;
}

TextStream withLines(std::initializer_list<const char*> text) {
    TextStream ts;
    for (const char* line : text) ts.lines.add(line);
    ts.writing = false;
    return ts;
}

std::string lineText(const Text_& t) {
    std::string s;
    for (const std::string& line : t) s += line + "|";
    return s;
}

} // namespace

TEST(TextStream, DocumentWritesGoldenFileAndReadsItBack) {
    TempDir dir;
    Document d = sampleDocument();
    ASSERT_TRUE(d.saveFile(kHeader, dir.file("doc.cfg")));
    EXPECT_EQ(readBytes(dir.file("doc.cfg")), readBytes(fixture("document.cfg")));

    Document back;
    ASSERT_TRUE(back.loadFile(kHeader, fixture("document.cfg")));
    EXPECT_EQ(back.tempo, 96);
    EXPECT_EQ(back.notes, "see <mix> below; a=b stays");
    EXPECT_EQ(back.swing, 0.125);
    EXPECT_EQ(back.ratio, 1235.0);
    EXPECT_EQ(back.mix.volume, 0.8);
    EXPECT_EQ(back.mix.pan, -12);
    EXPECT_TRUE(back.mix.mute);
    EXPECT_EQ(back.mix.name, "Main mix");
    EXPECT_EQ(back.fader.level, 0.25);
    EXPECT_EQ(back.fader.channel, 3);
    ASSERT_EQ(back.chords.count(), 2);
    EXPECT_EQ(back.chords.at(0).name, "Cmaj7");
    EXPECT_EQ(back.chords.at(0).voicing.top, 64);
    EXPECT_EQ(back.chords.at(1).name, "");
    EXPECT_EQ(back.chords.at(1).length, 2);
    EXPECT_EQ(back.chords.at(1).voicing.top, 60);
    // After loading, the object's lines are the whole file's.
    EXPECT_EQ(back.lines.at(0), "<QuoVelanta Test Document>");
    EXPECT_EQ(back.lines.count(), 28);
    EXPECT_EQ(back.lines.at(27), "</QuoVelanta Test Document>");

    ASSERT_TRUE(back.saveFile(kHeader, dir.file("again.cfg")));
    EXPECT_EQ(readBytes(dir.file("again.cfg")), readBytes(fixture("document.cfg")));

    // The same file with LF line ends reads the same.
    writeBytes(dir.file("lf.cfg"), toLf(readBytes(fixture("document.cfg"))));
    Document lf;
    ASSERT_TRUE(lf.loadFile(kHeader, dir.file("lf.cfg")));
    ASSERT_TRUE(lf.saveFile(kHeader, dir.file("lf-again.cfg")));
    EXPECT_EQ(readBytes(dir.file("lf-again.cfg")), readBytes(fixture("document.cfg")));
}

TEST(TextStream, EmptyListAndDefaults) {
    TempDir dir;
    Document d;
    ASSERT_TRUE(d.saveFile(kHeader, dir.file("empty.cfg")));
    EXPECT_EQ(readBytes(dir.file("empty.cfg")), readBytes(fixture("document_empty.cfg")));
    Document back = sampleDocument();
    ASSERT_TRUE(back.loadFile(kHeader, dir.file("empty.cfg")));
    EXPECT_EQ(back.chords.count(), 0);
    EXPECT_EQ(back.notes, "");
    EXPECT_EQ(back.mix.name, "");
}

TEST(TextStream, FailedLoadsChangeNothing) {
    TempDir dir;
    writeBytes(dir.file("empty.cfg"), "");
    writeBytes(dir.file("lower.cfg"),
               "<quovelanta test document>\r\ntempo=1\r\n</quovelanta test document>\r\n");
    for (const std::string& path :
         {fixture("document_truncated.cfg"), fixture("document_badheader.cfg"), dir.file("missing.cfg"),
          dir.file("empty.cfg"), dir.file("lower.cfg"), dir.folder()}) {
        Document d;
        d.lines.add("held");
        EXPECT_FALSE(d.loadFile(kHeader, path)) << path;
        EXPECT_EQ(d.tempo, 120) << path;
        EXPECT_EQ(d.mix.pan, 0) << path;
        EXPECT_EQ(lineText(d.lines), "held|") << path;
    }
    Document wrongKind;
    EXPECT_FALSE(wrongKind.loadFile("Recent Files", fixture("document.cfg")));
    EXPECT_EQ(wrongKind.tempo, 120);
}

TEST(TextStream, LoadFromHeldLines) {
    Document d;
    Document source = sampleDocument();
    ASSERT_TRUE(source.saveFile(kHeader, ""));
    d.lines = source.lines;
    ASSERT_TRUE(d.loadFile(kHeader, ""));
    EXPECT_EQ(d.tempo, 96);
    EXPECT_EQ(d.chords.count(), 2);
    Document none;
    EXPECT_FALSE(none.loadFile(kHeader, ""));
}

TEST(TextStream, FieldLookup) {
    int bpm = 0;
    TextStream a = withLines({"bpm=120", "  bpm=90"});
    EXPECT_TRUE(a.serializeInt("bpm", bpm));
    EXPECT_EQ(bpm, 120);
    TextStream b = withLines({"x", "\t bpm=90"});
    EXPECT_TRUE(b.serializeInt("bpm", bpm));
    EXPECT_EQ(bpm, 90);
    TextStream c = withLines({"bpm =5", "BPM=6", "bpmx=7"});
    EXPECT_FALSE(c.serializeInt("bpm", bpm));
    EXPECT_EQ(bpm, 90);

    // Values are everything after the first "=", unchanged.
    std::string t = "a=b";
    TextStream w;
    w.writing = true;
    EXPECT_FALSE(w.serializeText("k", t));
    EXPECT_EQ(lineText(w.lines), "k=a=b|");
    w.writing = false;
    t.clear();
    EXPECT_TRUE(w.serializeText("k", t));
    EXPECT_EQ(t, "a=b");
    TextStream spaced = withLines({"k= padded "});
    EXPECT_TRUE(spaced.serializeText("k", t));
    EXPECT_EQ(t, " padded ");

    // Values that do not parse.
    TextStream bad = withLines({"i=x", "d=abc", "b=yes"});
    int i = 5;
    double d = 5;
    bool flag = true;
    EXPECT_TRUE(bad.serializeInt("i", i));
    EXPECT_TRUE(bad.serializeDouble("d", d));
    EXPECT_TRUE(bad.serializeBool("b", flag));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(d, 1.0);
    EXPECT_FALSE(flag);
}

TEST(TextStream, LineBreaksInTextBecomeBlanks) {
    Mix m;
    m.name = "two\r\nlines\nhere";
    ASSERT_TRUE(m.saveFile("M", ""));
    EXPECT_EQ(lineText(m.lines), "<M>|volume=1|pan=0|mute=false|name=two  lines here|</M>|");
    Mix back;
    back.lines = m.lines;
    ASSERT_TRUE(back.loadFile("M", ""));
    EXPECT_EQ(back.name, "two  lines here");
}

TEST(TextStream, UserTextThatLooksLikeATagOpensNothing) {
    // A text value holding a tag, even one that ends the line, is a field line.
    TextStream ts = withLines({"notes=<mix>", "volume=0.1", "title=</mix>", "<mix>", "volume=0.7", "</mix>"});
    Mix m;
    ts.serializeObject("mix", m);
    EXPECT_EQ(m.volume, 0.7);
    // Tag lines may carry surrounding blanks.
    TextStream padded = withLines({"  <mix>\t", "pan=5", " </mix>"});
    Mix p;
    padded.serializeObject("mix", p);
    EXPECT_EQ(p.pan, 5);
}

TEST(TextStream, SectionExtraction) {
    Text_ out;
    out.add("stale");
    TextStream siblings = withLines({"<a>", "first", "</a>", "<a>", "second", "</a>"});
    EXPECT_TRUE(TextStream::extractSection(siblings.lines, "a", out));
    EXPECT_EQ(lineText(out), "first|");
    TextStream nested = withLines({"<a>", "outer", "<a>", "inner", "</a>", "</a>"});
    EXPECT_TRUE(TextStream::extractSection(nested.lines, "a", out));
    EXPECT_EQ(lineText(out), "inner|");
    TextStream emptySection = withLines({"<a>", "</a>"});
    EXPECT_TRUE(TextStream::extractSection(emptySection.lines, "a", out));
    EXPECT_EQ(out.count(), 0);
    TextStream open = withLines({"<a>", "x", "</b>"});
    out.add("stale");
    EXPECT_FALSE(TextStream::extractSection(open.lines, "a", out));
    EXPECT_EQ(out.count(), 0);
    TextStream endFirst = withLines({"</a>", "<a>", "y", "</a>"});
    EXPECT_TRUE(TextStream::extractSection(endFirst.lines, "a", out));
    EXPECT_EQ(lineText(out), "y|");

    // The section may be extracted into the very list it is read from.
    TextStream self = withLines({"<H>", "k=1", "<c>", "k=2", "</c>", "</H>"});
    EXPECT_TRUE(TextStream::extractSection(self.lines, "H", self.lines));
    EXPECT_EQ(lineText(self.lines), "k=1|<c>|k=2|</c>|");

    Llist<Text_> list;
    list.add(Text_());
    TextStream many =
        withLines({"<c>", "1", "</c>", "x", "</c>", "<c>", "</c>", "<c>", "2", "<c>", "3", "</c>", "<c>"});
    TextStream::extractSections(many.lines, "c", list);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(lineText(list.at(0)), "1|");
    EXPECT_EQ(lineText(list.at(1)), "");
    EXPECT_EQ(lineText(list.at(2)), "3|");
    TextStream none = withLines({"x=1"});
    TextStream::extractSections(none.lines, "c", list);
    EXPECT_EQ(list.count(), 0);
}

TEST(TextStream, MissingSectionKeepsFields) {
    TextStream ts = withLines({"tempo=80", "<other>", "pan=9", "</other>"});
    Mix m;
    m.pan = 33;
    m.name = "kept";
    ts.serializeObject("mix", m);
    EXPECT_EQ(m.pan, 33);
    EXPECT_EQ(m.name, "kept");
    EXPECT_EQ(m.lines.count(), 0);
}

TEST(TextStream, EmptyKeyObjectLivesAmongItsParentsLines) {
    Document d = sampleDocument();
    ASSERT_TRUE(d.saveFile(kHeader, ""));
    int levelLine = -1;
    for (int k = 0; k <= d.lines.top; ++k)
        if (d.lines.at(k) == "level=0.25") levelLine = k;
    EXPECT_EQ(levelLine, 11);
    EXPECT_EQ(d.lines.at(10), "</mix>");
    Fader f;
    TextStream parent = withLines({"x=1", "channel=7", "level=2.5"});
    parent.serializeObject("", f);
    EXPECT_EQ(f.channel, 7);
    EXPECT_EQ(f.level, 2.5);
    EXPECT_EQ(f.lines.count(), 3);
}

TEST(TextStream, CommaSeparatorFilesReadEverywhere) {
    TempDir dir;
    setDecimalSeparator(',');
    Document d = sampleDocument();
    bool saved = d.saveFile(kHeader, dir.file("comma.cfg"));
    setDecimalSeparator('.');
    ASSERT_TRUE(saved);
    std::string bytes = readBytes(dir.file("comma.cfg"));
    EXPECT_NE(bytes.find("swing=0,125\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("ratio=1,235e+3\r\n"), std::string::npos);
    Document back;
    ASSERT_TRUE(back.loadFile(kHeader, dir.file("comma.cfg")));
    EXPECT_EQ(back.swing, 0.125);
    EXPECT_EQ(back.mix.volume, 0.8);
}

TEST(TextStream, SaveFailureIsReported) {
    TempDir dir;
    Document d;
    EXPECT_FALSE(d.saveFile(kHeader, dir.file("missing/folder/doc.cfg")));
    EXPECT_TRUE(d.saveFile(kHeader, ""));
    EXPECT_EQ(d.lines.at(0), "<QuoVelanta Test Document>");
}

// The work of writing and reading a document grows in proportion to its size: four times the chords
// take about four times the memory traffic (growing the line list slot by slot makes it sixteen).
TEST(TextStream, LargeDocumentsWriteAndReadInLinearTime) {
    TempDir dir;
    auto roundTrip = [&](int n) {
        Document d;
        d.chords.growStep = 1000;
        Chord c;
        for (int k = 0; k < n; ++k) {
            c.length = k;
            d.chords.add(c);
        }
        alloccount::Scope counted;
        EXPECT_TRUE(d.saveFile(kHeader, dir.file("big.cfg")));
        Document back;
        EXPECT_TRUE(back.loadFile(kHeader, dir.file("big.cfg")));
        unsigned long long bytes = counted.bytesSince();
        EXPECT_EQ(back.chords.count(), n);
        EXPECT_EQ(back.chords.at(n - 1).length, n - 1);
        return double(bytes);
    };
    double small = roundTrip(5000), large = roundTrip(20000);
    EXPECT_LT(large / small, 6.0) << small << " bytes for 5000 chords, " << large << " for 20000";
    EXPECT_GT(large / small, 3.0);
}

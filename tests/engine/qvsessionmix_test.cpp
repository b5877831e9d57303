#include <gtest/gtest.h>

#include "engine/qvsessionmix.h"
#include "model_test_util.h"

namespace {

// A mix nested under an empty key, as the session file keeps it, beside a field of its own.
class MixHolder : public TextStream {
  public:
    QvSessionMix mix;
    int style = 0;
    void serialize() override {
        serializeObject("", mix);
        serializeInt("style", style);
    }
};

} // namespace

TEST(QvSessionMix, DefaultsAndCustomDetection) {
    QvSessionMix m;
    EXPECT_DOUBLE_EQ(m.volDrums, 0.8);
    EXPECT_DOUBLE_EQ(m.mixFxCym, 0.5);
    EXPECT_DOUBLE_EQ(m.mixC, 1.0);
    EXPECT_EQ(m.forStyle, -1);
    EXPECT_TRUE(m.writeForStyle);
    EXPECT_FALSE(m.isCustom());
    m.volBass = 0.1;
    m.volDrums = 0;
    m.volChords = 1;
    EXPECT_FALSE(m.isCustom()); // the volumes do not count
    m.mixFxCym = 0.49;
    EXPECT_TRUE(m.isCustom());
    m.setNeutral();
    EXPECT_FALSE(m.isCustom());
    EXPECT_DOUBLE_EQ(m.volBass, 0.1);
    for (double QvSessionMix::*field :
         {&QvSessionMix::mixKick, &QvSessionMix::mixSnare, &QvSessionMix::mixHihat, &QvSessionMix::mixExtra,
          &QvSessionMix::mixRide, &QvSessionMix::mixCrash, &QvSessionMix::mixFxCym}) {
        QvSessionMix c;
        c.*field = 0.6;
        EXPECT_TRUE(c.isCustom());
    }
    for (double QvSessionMix::*field : {&QvSessionMix::mixA, &QvSessionMix::mixB, &QvSessionMix::mixC}) {
        QvSessionMix c;
        c.*field = 0.99;
        EXPECT_TRUE(c.isCustom());
    }
    m.forStyle = 7;
    m.mixA = 0.2;
    m.setDefaults();
    EXPECT_EQ(m.forStyle, -1);
    EXPECT_DOUBLE_EQ(m.volBass, 0.8);
    EXPECT_FALSE(m.isCustom());
}

TEST(QvSessionMix, FileRoundTripIsExact) {
    ScratchDir dir;
    QvSessionMix m;
    ASSERT_TRUE(m.loadFile("mix", modelFixture("sessionmix", "mix_roundtrip.txt")));
    EXPECT_DOUBLE_EQ(m.volDrums, 0.9);
    EXPECT_DOUBLE_EQ(m.mixExtra, 0.0);
    EXPECT_DOUBLE_EQ(m.mixCrash, 0.3333);
    EXPECT_DOUBLE_EQ(m.mixC, 0.0125);
    EXPECT_EQ(m.forStyle, 12);
    ASSERT_TRUE(m.saveFile("mix", dir.path("mix.txt")));
    EXPECT_EQ(fileBytes(dir.path("mix.txt")), fileBytes(modelFixture("sessionmix", "mix_roundtrip.txt")));
}

TEST(QvSessionMix, WithoutForStyleThirteenLines) {
    MixHolder h;
    h.mix.forStyle = 4;
    h.mix.mixB = 0.25;
    h.mix.writeForStyle = false;
    h.style = 3;
    h.saveFile("S", "");
    EXPECT_EQ(h.lines.joined(),
              "<S>\r\nvolDrums=0.8\r\nmixKick=0.5\r\nmixSnare=0.5\r\nmixHihat=0.5\r\nmixExtra=0.5\r\n"
              "mixRide=0.5\r\nmixCrash=0.5\r\nmixFxCym=0.5\r\nvolBass=0.8\r\nvolChords=0.8\r\n"
              "mixA=1\r\nmixB=0.25\r\nmixC=1\r\nstyle=3\r\n</S>\r\n");
    EXPECT_EQ(h.mix.lines.count(), 13);

    MixHolder r;
    r.mix.writeForStyle = false;
    r.mix.forStyle = 9;
    r.lines.assign(h.lines);
    r.lines.insert("forStyle=2", 1);
    ASSERT_TRUE(r.loadFile("S", ""));
    EXPECT_EQ(r.mix.forStyle, 9);
    EXPECT_DOUBLE_EQ(r.mix.mixB, 0.25);
    EXPECT_EQ(r.style, 3);
}

TEST(QvSessionMix, MissingAndBadLevels) {
    QvSessionMix m;
    m.mixC = 0.3;
    m.forStyle = 5;
    ASSERT_TRUE(m.loadFile("mix", modelFixture("sessionmix", "mix_bad_values.txt")));
    EXPECT_DOUBLE_EQ(m.volDrums, 0.0);  // -0.5 clamped
    EXPECT_DOUBLE_EQ(m.mixKick, 1.0);   // 1.7 clamped
    EXPECT_DOUBLE_EQ(m.mixSnare, 1.0);  // 1e999 is no finite number: unreadable
    EXPECT_DOUBLE_EQ(m.mixHihat, 1.0);  // unparsable
    EXPECT_DOUBLE_EQ(m.mixExtra, 0.25); // the other decimal separator
    EXPECT_DOUBLE_EQ(m.mixRide, 1.0);
    EXPECT_DOUBLE_EQ(m.mixCrash, 0.4);
    EXPECT_DOUBLE_EQ(m.mixFxCym, 0.3);
    EXPECT_DOUBLE_EQ(m.volBass, 1.0);
    EXPECT_DOUBLE_EQ(m.mixA, 0.0);
    EXPECT_DOUBLE_EQ(m.mixB, 0.0);
    EXPECT_DOUBLE_EQ(m.mixC, 0.3); // missing: keeps the previous value
    EXPECT_EQ(m.forStyle, 0);      // textToInt of a non-number
    m.writing = false;
    m.lines.clear();
    m.lines.add("mixC=nonsense");
    m.serialize();
    EXPECT_DOUBLE_EQ(m.mixC, 1.0);
}

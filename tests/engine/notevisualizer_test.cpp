#include "engine/notevisualizer.h"

#include <gtest/gtest.h>

#include "engine_rig.h"

using enginetest::Rig;

TEST(NoteVisualizer, FadesAfterTheStrikeAndHoldsWhileSounding) {
    Rig r;
    NoteVisualizer& nv = r.engine.visualizer;
    EXPECT_EQ(nv.intensity(60, false), 0.0);
    nv.noteOn(60, false);
    EXPECT_DOUBLE_EQ(nv.intensity(60, false), 1.0);
    r.clock.advance(500);
    EXPECT_NEAR(nv.intensity(60, false), 0.16, 1e-12); // 1 - 500 x 1.4 x 0.00001 x 120
    EXPECT_NEAR(nv.intensityByGroup(60, false), 0.16, 1e-12);
    EXPECT_EQ(nv.intensityByGroup(60, true), 0.0);
    r.engine.options.visualizeMode = 2;
    EXPECT_EQ(nv.intensity(60, false), 0.0); // 1 - 500 x 1.7 x 0.00001 x 120 is below 0
    r.engine.options.visualizeMode = 0;
    // While a voice still holds the note it stays at 0.3.
    Instrument& v = r.voice(2);
    v.setVolume(1.0, 1.0);
    v.playNote(60, 90, -1);
    r.clock.advance(1000);
    EXPECT_DOUBLE_EQ(nv.intensity(60, false), 0.3);
    EXPECT_DOUBLE_EQ(nv.intensityByGroup(60, false), 0.3);
    EXPECT_EQ(nv.intensityByGroup(60, true), 0.0);
    EXPECT_EQ(nv.intensity(128, false), 0.0);
    EXPECT_EQ(nv.intensity(-1, false), 0.0);
}

TEST(NoteVisualizer, VisualTransposeAndLocate) {
    Rig r;
    NoteVisualizer& nv = r.engine.visualizer;
    nv.noteOn(57, true);
    r.engine.options.visualTranspose = 9; // the display reads note n + 9 - 12
    EXPECT_DOUBLE_EQ(nv.intensity(60, true), 1.0);
    EXPECT_EQ(nv.intensity(60, false), 0.0);
    EXPECT_DOUBLE_EQ(nv.intensityByGroup(60, true), 1.0);
    r.engine.options.visualTranspose = 4;
    EXPECT_DOUBLE_EQ(nv.intensity(53, true), 1.0);
    r.engine.stepControl.locate(0, false);
    EXPECT_EQ(nv.intensity(53, true), 0.0);
}

#include "platform/qt/keymap.h"

#include <gtest/gtest.h>

TEST(KeyMap, MapsQtKeysToTheProgramsNumbers) {
    struct Row {
        int qt;
        Qt::KeyboardModifiers mods;
        int expected;
    };
    const Row rows[] = {
        {Qt::Key_Escape, Qt::NoModifier, 27},     {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_Return, Qt::NoModifier, 13},     {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Home, Qt::NoModifier, 36},       {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_Down, Qt::NoModifier, 40},       {Qt::Key_Insert, Qt::NoModifier, 45},
        {Qt::Key_Delete, Qt::NoModifier, 46},     {Qt::Key_R, Qt::NoModifier, 'R'},
        {Qt::Key_Z, Qt::ControlModifier, 'Z'},    {Qt::Key_5, Qt::NoModifier, '5'},
        {Qt::Key_5, Qt::KeypadModifier, 101},     {Qt::Key_F1, Qt::NoModifier, 112},
        {Qt::Key_F8, Qt::NoModifier, 119},        {Qt::Key_Plus, Qt::NoModifier, 187},
        {Qt::Key_Plus, Qt::ShiftModifier, 187},   {Qt::Key_Equal, Qt::NoModifier, 187},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},  {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Minus, Qt::KeypadModifier, 109}, {Qt::Key_QuoteLeft, Qt::ControlModifier, 192},
        {Qt::Key_Shift, Qt::ShiftModifier, 16},   {Qt::Key_Control, Qt::ControlModifier, 17},
        {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(qtKeyToVk(r.qt, r.mods), r.expected) << "Qt key " << r.qt;
}

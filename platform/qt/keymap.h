#pragma once
// Qt keys to the program's key numbers (the Windows virtual-key numbering the key handlers are written
// in: Enter 13, Esc 27, Space 32, Insert 45, Delete 46, digits 48.., letters 65.., keypad 96..111,
// F1 112.., "+" 187, "-" 189, grave accent 192 ...). One table, so that every window maps alike.
#include <Qt>

namespace vk {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19, Escape = 27,
              Space = 32, Prior = 33, Next = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
              Down = 40, Insert = 45, Delete = 46, Numpad0 = 96, Multiply = 106, Add = 107, Subtract = 109,
              Decimal = 110, Divide = 111, F1 = 112, OemPlus = 187, OemComma = 188, OemMinus = 189,
              OemPeriod = 190, Oem2 = 191, Oem3 = 192;
constexpr int key(char c) {
    return c;
} // '0'..'9' and 'A'..'Z' are their own numbers
} // namespace vk

// The program's key number for a Qt key, or 0 for a key the program does not know. Letters map to
// their capital whatever the layout gives; "+" and "=" map to the main plus key and "-" to the main
// minus key, unless the key comes from the keypad (then the keypad's numbers).
int qtKeyToVk(int qtKey, Qt::KeyboardModifiers modifiers);

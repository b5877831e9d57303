#include "platform/qt/keymap.h"

int qtKeyToVk(int k, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? vk::Numpad0 + (k - Qt::Key_0) : '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return vk::F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Return;
    case Qt::Key_Shift:
        return vk::Shift;
    case Qt::Key_Control:
        return vk::Control;
    case Qt::Key_Alt:
        return vk::Menu;
    case Qt::Key_Pause:
        return vk::Pause;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_PageUp:
        return vk::Prior;
    case Qt::Key_PageDown:
        return vk::Next;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Delete:
        return vk::Delete;
    case Qt::Key_Plus:
        return keypad ? vk::Add : vk::OemPlus;
    case Qt::Key_Equal:
        return vk::OemPlus;
    case Qt::Key_Minus:
        return keypad ? vk::Subtract : vk::OemMinus;
    case Qt::Key_Underscore:
        return vk::OemMinus;
    case Qt::Key_Asterisk:
        return keypad ? vk::Multiply : 0;
    case Qt::Key_Slash:
        return keypad ? vk::Divide : vk::Oem2;
    case Qt::Key_Period:
        return keypad ? vk::Decimal : vk::OemPeriod;
    case Qt::Key_Comma:
        return vk::OemComma;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
    case Qt::Key_Dead_Grave:
        return vk::Oem3;
    default:
        return 0;
    }
}

#pragma once
// The settings and information pages opened from the main window's keys and menus (transpose,
// accompaniment, fade out, precount, visual transpose, options, hot keys, history, preset
// progressions), and how they reach the parts of the main window they repaint.
#include <functional>

class QvContext;
class QuoVelanta;

// Repaints of the main window that the pages ask for beyond the QvHost's own. Each may be empty; the
// pages then fall back to QvHost::refreshPanels.
struct SettingsWindowHooks {
    // The whole main window laid out and painted again (a look or layout option changed).
    std::function<void()> relayoutMainWindow;
    // The "Tr. Instr." box of the main window.
    std::function<void()> repaintTransposingInstrumentBox;
    // The Shade windows (mixer, notes) rebuilt in the current skin, even when hidden.
    std::function<void()> reskinToolWindows;
};
SettingsWindowHooks& settingsWindowHooks();

// Connects the pages to the main object's hooks (History on H, Visual Transpose) and gives the dialog
// pages the options when nobody did yet. Call once after the context is built.
void installSettingsPages(QvContext& context);

// The main window was laid out again through the hook (or the panels at least repainted).
void relayoutMainWindow(QuoVelanta& app);

#include "ui/keygate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "ui/modalloop.h"

namespace {

std::vector<KeyGate*>& openGates() {
    static std::vector<KeyGate*> gates;
    return gates;
}

} // namespace

KeyGate::KeyGate(QWidget* box) : box_(box) {}

KeyGate::~KeyGate() {
    close();
}

long long KeyGate::keyOf(const QKeyEvent& event) {
    // The physical key where the window system names it: a key pressed with Shift and released
    // without it is still one key.
    if (event.nativeScanCode() != 0) return (1LL << 32) | event.nativeScanCode();
    return event.key();
}

void KeyGate::open() {
    std::vector<KeyGate*>& gates = openGates();
    for (KeyGate* other : gates) other->pressed_.clear();
    pressed_.clear();
    refusedRelease_.clear();
    if (!open_) {
        gates.push_back(this);
        if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
        open_ = true;
    }
    settling_ = true;
    modalLoop().settleInput();
    settling_ = false;
}

void KeyGate::close() {
    if (!open_) return;
    std::vector<KeyGate*>& gates = openGates();
    gates.erase(std::remove(gates.begin(), gates.end(), this), gates.end());
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
    open_ = false;
    settling_ = false;
    pressed_.clear();
    refusedRelease_.clear();
}

bool KeyGate::admit(const QKeyEvent& event) {
    if (!open_) return true;
    if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) return true;
    if (settling_) return false;
    const long long key = keyOf(event);
    // A key event goes through the filters again for each parent it is passed on to: nothing here is
    // forgotten, so every pass gets the first pass's answer.
    if (pressed_.count(key) > 0) return true;
    if (event.type() == QEvent::KeyRelease) {
        refusedRelease_[key] = event.timestamp();
        return false;
    }
    // The window system repeats a held key as a release and a press with one time stamp; Qt marks
    // them as repeats only when it reads both at once.
    const auto refused = refusedRelease_.find(key);
    const bool repeat = event.isAutoRepeat() || (event.timestamp() != 0 && refused != refusedRelease_.end() &&
                                                 refused->second == event.timestamp());
    if (repeat) return false;
    pressed_.insert(key);
    return true;
}

bool KeyGate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != box_) return false;
    return !admit(*static_cast<QKeyEvent*>(event));
}

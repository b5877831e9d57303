#pragma once
// The keys a dialog page, message box or popup menu answers: only those whose press it saw itself
// after it opened. A key that was already down when the box opened (its auto-repeat, its release)
// answers nothing in it, and neither does input typed before the box opened that is read only now
// (the window system hands a key to the window that has the focus when the program reads it, so a
// key typed while the program was busy between two boxes would otherwise reach the second one).
//
// Every box has a gate: open() once the box is shown, close() when it has closed. While it is open
// the gate drops the key events of the box's window (any widget in it) that the box must not answer;
// a box that also takes keys meant for other windows (the popup menu) asks admit() for those.
#include <QObject>
#include <map>
#include <set>

class QKeyEvent;
class QWidget;

class KeyGate : public QObject {
  public:
    explicit KeyGate(QWidget* box);
    ~KeyGate() override;
    KeyGate(const KeyGate&) = delete;
    KeyGate& operator=(const KeyGate&) = delete;

    // The box is showing: the input already waiting for the program is delivered while the box takes
    // no keys (the wait loop syncs with the window system first), then the keys pressed from now on
    // count. Every other open box forgets the presses it saw, so that the key-up of a key pressed in
    // this box never answers the box below it.
    void open();
    // The box has closed: the gate lets everything through again and forgets its presses.
    void close();
    bool isOpen() const { return open_; }

    // Whether the box answers this key event: a press that is not an auto-repeat (remembered), or
    // the auto-repeat or release of a remembered key. A press with the time stamp of the refused
    // release of its key just before it is an auto-repeat too. Nothing while the gate settles the
    // waiting input; everything when the gate is closed. Asking twice about one event gives one answer.
    bool admit(const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* box_;
    bool open_ = false;
    bool settling_ = false;
    std::set<long long> pressed_;                       // the keys whose press the box saw
    std::map<long long, unsigned long> refusedRelease_; // the time of each key's last release refused

    static long long keyOf(const QKeyEvent& event);
};

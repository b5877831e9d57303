#pragma once
// The pointer by which an engine object reaches the other program-wide engine objects.
//
// Copying an object copies its link, but assigning one object to another keeps the target's own link:
// a history snapshot written back into the live session (or a clock copy into the running clock)
// must not cut the live object off from the engine, nor make a snapshot point into it.
class QvEngine;

class EngineLink {
  public:
    EngineLink() = default;
    explicit EngineLink(QvEngine* engine) : ptr(engine) {}
    EngineLink(const EngineLink& other) = default;
    EngineLink& operator=(const EngineLink&) { return *this; }

    QvEngine* get() const { return ptr; }
    QvEngine* operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }

  private:
    QvEngine* ptr = nullptr;
};

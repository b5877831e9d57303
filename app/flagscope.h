#pragma once
// Sets a flag for a scope and puts its previous value back.
struct FlagScope {
    bool& flag;
    bool previous;
    explicit FlagScope(bool& f) : flag(f), previous(f) { flag = true; }
    ~FlagScope() { flag = previous; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
};

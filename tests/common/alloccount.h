#pragma once
// Counts what operator new hands out, so that a test can show how the work of an operation grows
// with its input by comparing two sizes, without timing anything. Exactly one source file of a test
// program expands QV_COUNTING_OPERATOR_NEW at namespace scope; every allocation of the program then
// goes through malloc and is counted.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace alloccount {
inline std::atomic<unsigned long long> bytes{0};
inline std::atomic<unsigned long long> blocks{0};

inline void* take(std::size_t n) {
    bytes.fetch_add(n, std::memory_order_relaxed);
    blocks.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(n ? n : 1);
}

// Bytes and blocks allocated while an instance lives.
struct Scope {
    unsigned long long bytes0 = bytes.load(), blocks0 = blocks.load();
    unsigned long long bytesSince() const { return bytes.load() - bytes0; }
    unsigned long long blocksSince() const { return blocks.load() - blocks0; }
};
} // namespace alloccount

#define QV_COUNTING_OPERATOR_NEW                                                                             \
    void* operator new(std::size_t n) {                                                                      \
        if (void* p = alloccount::take(n)) return p;                                                         \
        throw std::bad_alloc();                                                                              \
    }                                                                                                        \
    void* operator new[](std::size_t n) {                                                                    \
        return ::operator new(n);                                                                            \
    }                                                                                                        \
    void* operator new(std::size_t n, const std::nothrow_t&) noexcept {                                      \
        return alloccount::take(n);                                                                          \
    }                                                                                                        \
    void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {                                    \
        return alloccount::take(n);                                                                          \
    }                                                                                                        \
    void operator delete(void* p) noexcept {                                                                 \
        std::free(p);                                                                                        \
    }                                                                                                        \
    void operator delete[](void* p) noexcept {                                                               \
        std::free(p);                                                                                        \
    }                                                                                                        \
    void operator delete(void* p, std::size_t) noexcept {                                                    \
        std::free(p);                                                                                        \
    }                                                                                                        \
    void operator delete[](void* p, std::size_t) noexcept {                                                  \
        std::free(p);                                                                                        \
    }                                                                                                        \
    void operator delete(void* p, const std::nothrow_t&) noexcept {                                          \
        std::free(p);                                                                                        \
    }                                                                                                        \
    void operator delete[](void* p, const std::nothrow_t&) noexcept {                                        \
        std::free(p);                                                                                        \
    }

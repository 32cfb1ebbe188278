#include "LiveAllocations.h"

#include <cstdlib>
#include <new>

namespace {

constexpr int kSlots = 256;
std::size_t g_watched = 0;
void* g_live[kSlots] = {};

void Remember(void* p, std::size_t size) {
    if (size != g_watched || g_watched == 0) return;
    for (void*& slot : g_live) {
        if (!slot) {
            slot = p;
            return;
        }
    }
}

void Forget(void* p) {
    if (!p || g_watched == 0) return;
    for (void*& slot : g_live) {
        if (slot == p) {
            slot = nullptr;
            return;
        }
    }
}

void* Allocate(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    Remember(p, size);
    return p;
}

}  // namespace

void WatchAllocations(std::size_t size) {
    g_watched = size;
    for (void*& slot : g_live) slot = nullptr;
}

int LiveWatchedAllocations() {
    int n = 0;
    for (void* slot : g_live) n += slot != nullptr;
    return n;
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    void* p = std::malloc(size ? size : 1);
    if (p) Remember(p, size);
    return p;
}
void operator delete(void* p) noexcept {
    Forget(p);
    std::free(p);
}
void operator delete[](void* p) noexcept {
    Forget(p);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Forget(p);
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Forget(p);
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Forget(p);
    std::free(p);
}

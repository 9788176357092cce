// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/engine_coroutine.h"

#include <array>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define RADIOPROG_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RADIOPROG_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef RADIOPROG_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace radioprog::engine::frame_pool {

namespace {

constexpr std::size_t kGrain = 64;
constexpr std::size_t kClasses = 16;  // frames up to 1 KiB; larger ones are not kept
// A transfer's chain of steps is a dozen deep; more frames of one size are not worth keeping.
constexpr int kKeptPerClass = 32;

struct FreeFrame {
    FreeFrame* next;
};

void Poison(void* frame, std::size_t size) {
#ifdef RADIOPROG_ADDRESS_SANITIZER
    __asan_poison_memory_region(frame, size);
#else
    (void)frame;
    (void)size;
#endif
}

void Unpoison(void* frame, std::size_t size) {
#ifdef RADIOPROG_ADDRESS_SANITIZER
    __asan_unpoison_memory_region(frame, size);
#else
    (void)frame;
    (void)size;
#endif
}

struct Pool {
    std::array<FreeFrame*, kClasses> heads{};
    std::array<int, kClasses> counts{};
    ~Pool();
};

thread_local Pool pool;
thread_local bool poolGone = false;  // frames given back while the thread ends are freed

Pool::~Pool() {
    for (std::size_t c = 0; c < kClasses; ++c)
        while (FreeFrame* frame = heads[c]) {
            Unpoison(frame, (c + 1) * kGrain);
            heads[c] = frame->next;
            ::operator delete(frame);
        }
    poolGone = true;
}

// The class of frames of size bytes, or kClasses when they are not kept.
std::size_t ClassOf(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGrain; }

}  // namespace

void* Take(std::size_t size) {
    const std::size_t c = ClassOf(size);
    if (c >= kClasses || poolGone) return ::operator new(size);
    if (FreeFrame* frame = pool.heads[c]) {
        Unpoison(frame, sizeof(FreeFrame));
        pool.heads[c] = frame->next;
        --pool.counts[c];
        Unpoison(frame, (c + 1) * kGrain);
        return frame;
    }
    return ::operator new((c + 1) * kGrain);
}

void Give(void* frame, std::size_t size) noexcept {
    const std::size_t c = ClassOf(size);
    if (c >= kClasses || poolGone || pool.counts[c] >= kKeptPerClass) {
        ::operator delete(frame);
        return;
    }
    auto* free = static_cast<FreeFrame*>(frame);
    free->next = pool.heads[c];
    pool.heads[c] = free;
    ++pool.counts[c];
    Poison(frame, (c + 1) * kGrain);
}

}  // namespace radioprog::engine::frame_pool

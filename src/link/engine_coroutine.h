// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The coroutine type the transfer engine writes its protocol steps in: a step runs when it
// is awaited, may itself await other steps, and suspends the whole chain when it waits for
// the line. Resuming the innermost waiting step continues the chain where it stopped. A step
// owns its frame: destroying the outermost step ends every step it awaits.
//
// Await a step as a statement or as the initializer of a variable, never inside a condition
// (`if (!co_await step()) ...`): GCC 12 builds some of those so that the awaited step never
// runs and the chain is lost.
#include <coroutine>
#include <cstddef>
#include <exception>
#include <utility>

namespace radioprog::engine {

// Frames of finished steps, kept for the next steps of the same size: a transfer runs
// thousands of short steps (a few for every unit written) and would otherwise allocate a
// frame for each. Per thread, so no locking; a frame may be returned on another thread than
// the one that took it. Frames waiting here are poisoned for the address sanitizer.
namespace frame_pool {
void* Take(std::size_t size);
void Give(void* frame, std::size_t size) noexcept;
}  // namespace frame_pool

template <typename T>
class [[nodiscard]] Co {
public:
    struct promise_type {
        T value{};
        std::coroutine_handle<> self;  // this step, as the compiler hands it over
        std::coroutine_handle<> continuation = std::noop_coroutine();

        // The handle is taken where the step first suspends rather than computed from the
        // promise's address, which one compiler gets wrong for some frames.
        Co get_return_object() { return Co(this); }
        static void* operator new(std::size_t size) { return frame_pool::Take(size); }
        static void operator delete(void* frame, std::size_t size) noexcept { frame_pool::Give(frame, size); }
        struct InitialAwaiter {
            promise_type* promise;
            bool await_ready() const noexcept { return false; }
            void await_suspend(std::coroutine_handle<> step) const noexcept { promise->self = step; }
            void await_resume() const noexcept {}
        };
        InitialAwaiter initial_suspend() noexcept { return {this}; }
        struct FinalAwaiter {
            promise_type* promise;
            bool await_ready() const noexcept { return false; }
            std::coroutine_handle<> await_suspend(std::coroutine_handle<>) const noexcept {
                return promise->continuation;
            }
            void await_resume() const noexcept {}
        };
        FinalAwaiter final_suspend() noexcept { return {this}; }
        void return_value(T result) { value = std::move(result); }
        void unhandled_exception() { std::terminate(); }
    };

    Co() = default;
    explicit Co(promise_type* promise) : promise_(promise) {}
    Co(Co&& other) noexcept : promise_(std::exchange(other.promise_, nullptr)) {}
    Co& operator=(Co&& other) noexcept {
        if (this != &other) {
            destroy();
            promise_ = std::exchange(other.promise_, nullptr);
        }
        return *this;
    }
    ~Co() { destroy(); }

    // Starts an outermost step; it runs until its first wait.
    void start() { promise_->self.resume(); }
    bool done() const { return !promise_ || promise_->self.done(); }
    T& result() { return promise_->value; }

    bool await_ready() const noexcept { return false; }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> caller) noexcept {
        promise_->continuation = caller;
        return promise_->self;
    }
    T await_resume() { return std::move(promise_->value); }

private:
    void destroy() {
        if (promise_) std::exchange(promise_, nullptr)->self.destroy();
    }

    promise_type* promise_ = nullptr;
};

}  // namespace radioprog::engine
